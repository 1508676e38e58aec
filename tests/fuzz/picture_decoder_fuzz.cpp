// libFuzzer target for picture::decode.
//
// Besides looking for crashes and sanitizer reports, it checks the promises decode() makes about any
// picture it does return. Run with PICTURE_FUZZ_WRITE_SEEDS=<dir> to write a starting corpus of small
// valid files into <dir> instead of fuzzing.
#include "picture_decoder.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace {

using Bytes = std::vector<unsigned char>;

// ---- Invariants ------------------------------------------------------------------------------------

void require(bool holds)
{
    if (!holds)
        __builtin_trap();  // libFuzzer reports this as a crash and saves the input
}

void check(const std::optional<picture::Image>& image, picture::Format format, int target_width,
           int target_height)
{
    if (!image)
        return;
    require(image->width > 0 && image->height > 0);
    require(image->width <= image->source_width && image->height <= image->source_height);
    require(image->source_width <= 16384 && image->source_height <= 16384);
    require(static_cast<long long>(image->source_width) * image->source_height <= 40'000'000);
    require(image->pixels.size() == static_cast<std::size_t>(image->width) * image->height);
    if (format == picture::Format::png) {
        require(image->width == image->source_width && image->height == image->source_height);
        return;
    }
    require(format == picture::Format::jpeg && !image->has_alpha);
    for (const std::uint32_t pixel : image->pixels)
        require(pixel >> 24 == 0xFF);
    // A scaled picture still covers the target unless the source itself is smaller.
    const bool scaled = image->width < image->source_width || image->height < image->source_height;
    if (target_width > 0 && target_height > 0 && scaled)
        require(image->width >= target_width && image->height >= target_height);
}

// ---- Seed corpus -----------------------------------------------------------------------------------

Bytes gradient(int width, int height, int components)
{
    Bytes samples;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < components; ++c)
                samples.push_back(static_cast<unsigned char>(x * 17 + y * 29 + c * 61));
    return samples;
}

Bytes encode_png(int width, int height, png_uint_32 format, const void* samples,
                 const void* colormap = nullptr, png_uint_32 colormap_entries = 0)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    image.colormap_entries = colormap_entries;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, samples, 0, colormap))
        return {};
    Bytes png(size);
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, samples, 0, colormap))
        return {};
    png.resize(size);
    return png;
}

struct JpegKind {
    J_COLOR_SPACE input = JCS_RGB;
    int components = 3;
    bool full_chroma = false;
    bool progressive = false;
    bool arithmetic = false;
    unsigned restart_interval = 0;
};

Bytes encode_jpeg(int width, int height, const JpegKind& kind)
{
    // Seeds are generated from fixed, valid parameters, so libjpeg's exiting error handler will do.
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = kind.components;
    info.in_color_space = kind.input;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 80, TRUE);
    if (kind.full_chroma)
        info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = 1;
    if (kind.progressive)
        jpeg_simple_progression(&info);
    info.arith_code = kind.arithmetic ? TRUE : FALSE;
    info.restart_interval = kind.restart_interval;

    const Bytes samples = gradient(width, height, kind.components);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + info.next_scanline * width * kind.components);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes jpeg(buffer, buffer + size);
    std::free(buffer);
    return jpeg;
}

bool write_file(const std::string& path, const Bytes& bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = !bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

// Small files, so the fuzzer mutates headers and tables rather than wading through pixel data.
int write_seeds(const std::string& dir)
{
    const Bytes rgb = gradient(5, 3, 3);
    const Bytes rgba = gradient(3, 3, 4);
    const std::vector<std::uint16_t> grey16 = {0, 1000, 30000, 65535};
    const Bytes indices = {0, 1, 2, 1, 0, 2};
    const Bytes palette = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0};

    const std::vector<std::pair<std::string, Bytes>> seeds = {
        {"rgb.png", encode_png(5, 3, PNG_FORMAT_RGB, rgb.data())},
        {"rgba.png", encode_png(3, 3, PNG_FORMAT_RGBA, rgba.data())},
        {"grey16.png", encode_png(2, 2, PNG_FORMAT_LINEAR_Y, grey16.data())},
        {"palette.png", encode_png(3, 2, PNG_FORMAT_RGBA_COLORMAP, indices.data(), palette.data(), 3)},
        {"baseline.jpg", encode_jpeg(17, 13, {})},
        {"full_chroma.jpg", encode_jpeg(16, 8, {.full_chroma = true})},
        {"grey.jpg", encode_jpeg(9, 9, {.input = JCS_GRAYSCALE, .components = 1})},
        {"progressive.jpg", encode_jpeg(16, 16, {.progressive = true})},
        {"arithmetic.jpg", encode_jpeg(16, 16, {.arithmetic = true})},
        {"restarts.jpg", encode_jpeg(24, 16, {.restart_interval = 1})},
        {"cmyk.jpg", encode_jpeg(8, 8, {.input = JCS_CMYK, .components = 4})},
    };
    int failures = 0;
    for (const auto& [name, bytes] : seeds) {
        if (!write_file(dir + "/" + name, bytes)) {
            std::fprintf(stderr, "could not write seed %s\n", name.c_str());
            ++failures;
        }
    }
    std::printf("wrote %zu seeds to %s\n", seeds.size() - static_cast<std::size_t>(failures), dir.c_str());
    return failures == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (const char* dir = std::getenv("PICTURE_FUZZ_WRITE_SEEDS"))
        std::exit(write_seeds(dir));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const unsigned char> bytes(data, size);
    const picture::Format format = picture::sniff_format(bytes);
    check(picture::decode(bytes), format, 0, 0);

    // Both decoders ignore trailing bytes, so the last two choose a target and every DCT scale gets tried.
    const int target_width = size >= 2 ? 1 + data[size - 2] * 16 : 64;
    const int target_height = size >= 2 ? 1 + data[size - 1] * 16 : 48;
    check(picture::decode(bytes, target_width, target_height), format, target_width, target_height);
    return 0;
}
