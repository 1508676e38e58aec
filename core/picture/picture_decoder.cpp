#include "picture_decoder.h"

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h expects FILE and size_t to be declared already
#include <new>

#include <jpeglib.h>
#include <jerror.h>
#include <png.h>

namespace picture {
namespace {

// Both decoders write the bytes B, G, R, A in that order; only a little-endian host reads them back
// as the 0xAARRGGBB words that Image promises.
static_assert(std::endian::native == std::endian::little, "pixel layout assumes a little-endian host");

constexpr unsigned char png_signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// A 16384-wide strip or a 40-megapixel photo still decodes; a forged header asking for gigabytes does not.
constexpr long long max_side = 16384;
constexpr long long max_pixels = 40'000'000;

bool dimensions_acceptable(long long width, long long height)
{
    return width > 0 && height > 0 && width <= max_side && height <= max_side
           && width * height <= max_pixels;
}

std::uint32_t opaque_argb(unsigned red, unsigned green, unsigned blue)
{
    return 0xFF000000u | red << 16 | green << 8 | blue;
}

// ---- PNG --------------------------------------------------------------------------------------------

// Owns a png_image so that every exit path frees it; png_image_free is harmless when there is
// nothing left to free.
struct PngReader {
    png_image image{};
    PngReader() { image.version = PNG_IMAGE_VERSION; }
    ~PngReader() { png_image_free(&image); }
    PngReader(const PngReader&) = delete;
    PngReader& operator=(const PngReader&) = delete;

    // The simplified API keeps its messages in image.message instead of printing them.
    bool failed(int result) const { return result == 0 || (image.warning_or_error & PNG_IMAGE_ERROR) != 0; }
};

std::optional<Image> decode_png(std::span<const unsigned char> bytes)
{
    PngReader reader;
    png_image& image = reader.image;
    if (reader.failed(png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())))
        return std::nullopt;
    if (!dimensions_acceptable(image.width, image.height))
        return std::nullopt;

    Image out;
    out.width = out.source_width = static_cast<int>(image.width);
    out.height = out.source_height = static_cast<int>(image.height);
    // Set by an alpha channel or by a tRNS chunk, before we ask for our own output format.
    out.has_alpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;

    // 8-bit sRGB output with alpha comes back straight, not premultiplied; opaque files get A = 255.
    image.format = PNG_FORMAT_BGRA;
    out.pixels.resize(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
    if (reader.failed(png_image_finish_read(&image, nullptr, out.pixels.data(), 0, nullptr)))
        return std::nullopt;
    return out;
}

// ---- JPEG -------------------------------------------------------------------------------------------

// libjpeg reports errors through error_exit, which must not return: we jump back to JpegReader::read.
struct JpegErrors {
    jpeg_error_mgr manager;  // first, so the library's pointer to it is also a pointer to us
    std::jmp_buf jump;
};

[[noreturn]] void jump_back(j_common_ptr info)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(info->err)->jump, 1);
}

// These warnings concern metadata or junk between segments; the pixels themselves are intact.
bool harmless_warning(int code)
{
    switch (code) {
    case JWRN_EXTRANEOUS_DATA:
    case JWRN_JFIF_MAJOR:
    case JWRN_ADOBE_XFORM:
    case JWRN_BOGUS_ICC:
        return true;
    default:
        return false;
    }
}

// libjpeg pads a cut-off or corrupt stream with grey and only warns. We would rather show nothing than
// half a picture, so any other warning aborts the decode at once, which also saves decoding the padding.
// Note that a file missing just its final EOI marker counts as cut off too.
void on_message(j_common_ptr info, int level)
{
    if (level >= 0)
        return;  // trace output
    ++info->err->num_warnings;
    if (!harmless_warning(info->err->msg_code))
        jump_back(info);
}

void print_nothing(j_common_ptr) {}

class JpegReader {
public:
    JpegReader()
    {
        info.err = jpeg_std_error(&errors.manager);
        errors.manager.error_exit = jump_back;
        errors.manager.emit_message = on_message;
        errors.manager.output_message = print_nothing;
    }
    // Safe even if jpeg_create_decompress never ran: the zeroed struct has no memory manager to free.
    ~JpegReader() { jpeg_destroy_decompress(&info); }
    JpegReader(const JpegReader&) = delete;
    JpegReader& operator=(const JpegReader&) = delete;

    bool read(std::span<const unsigned char> bytes, int target_width, int target_height);
    Image image;

private:
    void choose_scale(int target_width, int target_height);
    void widen_row(std::uint32_t* out) const;

    // Everything the decode touches lives in members, not in locals of read(), so nothing that
    // changes after setjmp can be lost by the longjmp.
    jpeg_decompress_struct info{};
    JpegErrors errors{};
    std::vector<JSAMPLE> row;
    bool cmyk = false;
};

bool JpegReader::read(std::span<const unsigned char> bytes, int target_width, int target_height)
{
    if (setjmp(errors.jump) != 0)
        return false;
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(&info, TRUE) != JPEG_HEADER_OK)
        return false;
    if (!dimensions_acceptable(info.image_width, info.image_height))
        return false;

    // libjpeg turns greyscale and YCbCr into RGB itself, but leaves CMYK to us.
    cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    choose_scale(target_width, target_height);

    jpeg_start_decompress(&info);
    if (info.output_components != (cmyk ? 4 : 3))
        return false;

    image.source_width = static_cast<int>(info.image_width);
    image.source_height = static_cast<int>(info.image_height);
    image.width = static_cast<int>(info.output_width);
    image.height = static_cast<int>(info.output_height);
    const auto width = static_cast<std::size_t>(image.width);
    image.pixels.resize(width * static_cast<std::size_t>(image.height));
    row.resize(width * static_cast<std::size_t>(info.output_components));

    while (info.output_scanline < info.output_height) {
        const std::size_t line = info.output_scanline;
        JSAMPROW rows[] = {row.data()};
        if (jpeg_read_scanlines(&info, rows, 1) != 1)
            return false;
        widen_row(image.pixels.data() + line * width);
    }
    // Reads on to the EOI marker, so damage after the last row is noticed as well.
    jpeg_finish_decompress(&info);
    return true;
}

// libjpeg only scales by n/8, so try each from the smallest and keep the first that still covers the
// target; DCT scaling skips most of the IDCT work, which matters for 4K photos shown as thumbnails.
void JpegReader::choose_scale(int target_width, int target_height)
{
    info.scale_denom = 8;
    info.scale_num = 8;
    if (target_width <= 0 || target_height <= 0)
        return;
    for (unsigned num = 1; num < 8; ++num) {
        info.scale_num = num;
        jpeg_calc_output_dimensions(&info);
        if (info.output_width >= static_cast<unsigned>(target_width)
            && info.output_height >= static_cast<unsigned>(target_height))
            return;
    }
    info.scale_num = 8;
}

void JpegReader::widen_row(std::uint32_t* out) const
{
    const JSAMPLE* in = row.data();
    const auto width = static_cast<std::size_t>(image.width);
    if (!cmyk) {
        for (std::size_t x = 0; x < width; ++x, in += 3)
            out[x] = opaque_argb(in[0], in[1], in[2]);
        return;
    }
    // CMYK JPEGs come almost only from Photoshop, which stores the inks inverted (255 = no ink),
    // so each channel times the inverted black gives the RGB value directly.
    const auto mix = [](unsigned ink, unsigned black) { return (ink * black + 127) / 255; };
    for (std::size_t x = 0; x < width; ++x, in += 4)
        out[x] = opaque_argb(mix(in[0], in[3]), mix(in[1], in[3]), mix(in[2], in[3]));
}

std::optional<Image> decode_jpeg(std::span<const unsigned char> bytes, int target_width, int target_height)
{
    JpegReader reader;
    if (!reader.read(bytes, target_width, target_height))
        return std::nullopt;
    return std::move(reader.image);
}

}  // namespace

Format sniff_format(std::span<const unsigned char> bytes)
{
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8)
        return Format::jpeg;
    if (bytes.size() >= std::size(png_signature)
        && std::equal(std::begin(png_signature), std::end(png_signature), bytes.begin()))
        return Format::png;
    return Format::none;
}

std::optional<Image> decode(std::span<const unsigned char> bytes, int target_width, int target_height)
{
    // Nothing real is this small, and both decoders want their whole signature.
    if (bytes.size() < 8)
        return std::nullopt;
    // Allocation is the only thing in here that throws; the C libraries report failure by return value
    // (libpng) or through our longjmp (libjpeg).
    try {
        switch (sniff_format(bytes)) {
        case Format::jpeg:
            return decode_jpeg(bytes, target_width, target_height);
        case Format::png:
            return decode_png(bytes);
        case Format::none:
            break;
        }
    } catch (const std::bad_alloc&) {
    }
    return std::nullopt;
}

}  // namespace picture
