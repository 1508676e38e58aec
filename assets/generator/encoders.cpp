#include "encoders.h"

#include <QFile>

#include <csetjmp>
#include <cstdio>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace generator {
namespace {

// Both libraries want a FILE*; a small owner keeps the error paths short.
struct File {
    std::FILE* handle = nullptr;
    explicit File(const QString& path) : handle(std::fopen(QFile::encodeName(path).constData(), "wb")) {}
    ~File() {
        if (handle) std::fclose(handle);
    }
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    // fclose reports late write errors (full disk), so callers check it.
    bool close() {
        const bool ok = std::fclose(handle) == 0;
        handle = nullptr;
        return ok;
    }
};

struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void jpeg_error_exit(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    (*cinfo->err->output_message)(cinfo);
    std::longjmp(manager->escape, 1);
}

}  // namespace

bool write_png(const QImage& image, PngColour colour, bool must_be_opaque, const QString& path) {
    // Non-premultiplied ARGB so the stored colour of a half-covered edge pixel is
    // the real colour and not one darkened by its alpha.
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width();
    const int height = argb.height();
    const int channels = colour == PngColour::Rgba ? 4 : 3;

    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * channels);
    for (int y = 0; y < height; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        unsigned char* out = pixels.data() + static_cast<std::size_t>(y) * width * channels;
        for (int x = 0; x < width; ++x) {
            const QRgb px = line[x];
            if (colour == PngColour::Rgb && qAlpha(px) != 255) {
                std::fprintf(stderr, "%s: pixel (%d,%d) is not opaque in an RGB picture\n",
                             qPrintable(path), x, y);
                return false;
            }
            if (must_be_opaque && qAlpha(px) != 255) {
                std::fprintf(stderr, "%s: pixel (%d,%d) has alpha %d\n", qPrintable(path), x, y, qAlpha(px));
                return false;
            }
            *out++ = static_cast<unsigned char>(qRed(px));
            *out++ = static_cast<unsigned char>(qGreen(px));
            *out++ = static_cast<unsigned char>(qBlue(px));
            if (channels == 4) *out++ = static_cast<unsigned char>(qAlpha(px));
        }
    }

    File file(path);
    if (!file.handle) {
        std::perror(qPrintable(path));
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    // Everything with a destructor exists before setjmp: libpng's error path
    // longjmps back here and would otherwise skip it.
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y)
        rows[static_cast<std::size_t>(y)] = pixels.data() + static_cast<std::size_t>(y) * width * channels;
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.handle);
    // Only IHDR, IDAT and IEND: no time or text chunks, so the same drawing
    // always gives the same bytes.
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 colour == PngColour::Rgba ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_compression_level(png, 9);
    png_write_info(png, info);
    png_write_image(png, rows.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return file.close();
}

bool write_jpeg(const QImage& image, JpegLayout layout, int quality, const QString& path) {
    // JPEG has no alpha; every picture stored as JPEG is painted opaque.
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);

    File file(path);
    if (!file.handle) {
        std::perror(qPrintable(path));
        return false;
    }
    jpeg_compress_struct cinfo{};
    JpegErrorManager errors{};
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = jpeg_error_exit;
    if (setjmp(errors.escape)) {
        jpeg_destroy_compress(&cinfo);
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file.handle);

    cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
    cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    // Defaults: YCbCr, JFIF marker, sequential (not progressive), 2x2 luma.
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE /* keep tables baseline */);
    cinfo.dct_method = JDCT_ISLOW;  // integer DCT: identical output on every machine
    cinfo.optimize_coding = TRUE;   // per-image Huffman tables, still a baseline SOF0 frame

    if (layout == JpegLayout::Adobe444) {
        cinfo.write_JFIF_header = FALSE;
        cinfo.write_Adobe_marker = TRUE;
        for (int c = 0; c < cinfo.num_components; ++c) {
            cinfo.comp_info[c].h_samp_factor = 1;
            cinfo.comp_info[c].v_samp_factor = 1;
        }
    } else {
        cinfo.write_JFIF_header = TRUE;
        cinfo.write_Adobe_marker = FALSE;
        cinfo.comp_info[0].h_samp_factor = 2;
        cinfo.comp_info[0].v_samp_factor = 2;
        for (int c = 1; c < cinfo.num_components; ++c) {
            cinfo.comp_info[c].h_samp_factor = 1;
            cinfo.comp_info[c].v_samp_factor = 1;
        }
    }

    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        // libjpeg's API takes non-const rows but never writes through them.
        auto* row = const_cast<JSAMPLE*>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return file.close();
}

}  // namespace generator
