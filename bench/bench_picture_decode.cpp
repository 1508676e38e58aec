// Times picture::decode on large JPEGs at full size and with DCT scaling to a screen-sized target.
//
//   bench_picture_decode              synthetic 3840x2160 (full and 2x2 chroma) and 1920x1200 pictures
//   bench_picture_decode FILE.jpg     the given JPEG instead
//
// Build in Release; a debug build measures the wrapper, not libjpeg.
#include "picture_decoder.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <jpeglib.h>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr int target_width = 1072;
constexpr int target_height = 648;
constexpr int repeats = 10;

// ---- Synthetic pictures ----------------------------------------------------------------------------

// A smooth diagonal gradient with a few hard-edged shapes: photo-like large areas plus edges that cost
// the entropy coder something, with no noise to inflate the file unrealistically.
Bytes paint_scene(int width, int height)
{
    Bytes rgb(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    const double cx = width * 0.35, cy = height * 0.5, radius = height * 0.3;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double u = static_cast<double>(x) / width, v = static_cast<double>(y) / height;
            double r = 255 * u, g = 255 * v, b = 255 * (1 - u) * (1 - v) + 40;
            if (std::hypot(x - cx, y - cy) < radius) {
                r = 250 - 80 * v;
                g = 200;
                b = 60;
            } else if (x > width * 0.6 && x < width * 0.9 && y > height * 0.2 && y < height * 0.45) {
                r = 30;
                g = 60 + 120 * u;
                b = 200;
            } else if ((x / 64 + y / 64) % 7 == 0) {
                r *= 0.5;
            }
            unsigned char* pixel = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
            pixel[0] = static_cast<unsigned char>(std::clamp(r, 0.0, 255.0));
            pixel[1] = static_cast<unsigned char>(std::clamp(g, 0.0, 255.0));
            pixel[2] = static_cast<unsigned char>(std::clamp(b, 0.0, 255.0));
        }
    }
    return rgb;
}

Bytes encode_jpeg(int width, int height, const Bytes& rgb, int chroma_step)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);  // fixed, valid parameters: the default handler will do
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    // Luma sampling relative to chroma: 1 keeps chroma at full resolution, 2 halves it both ways.
    info.comp_info[0].h_samp_factor = info.comp_info[0].v_samp_factor = chroma_step;

    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        const std::size_t offset = static_cast<std::size_t>(info.next_scanline) * width * 3;
        JSAMPROW row = const_cast<JSAMPLE*>(rgb.data() + offset);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes jpeg(buffer, buffer + size);
    std::free(buffer);
    return jpeg;
}

// ---- Box filter ------------------------------------------------------------------------------------

// Averages the block of source pixels that falls on each destination pixel. Only for downscaling,
// which is all it is used for here: from the DCT-scaled size down to the exact target.
std::vector<std::uint32_t> box_downscale(const picture::Image& image, int width, int height)
{
    const auto scale = [](int index, int from, int to) {
        return static_cast<int>(static_cast<long long>(index) * from / to);
    };
    std::vector<int> column_start(static_cast<std::size_t>(width) + 1);
    for (int x = 0; x <= width; ++x)
        column_start[static_cast<std::size_t>(x)] = scale(x, image.width, width);

    std::vector<std::uint32_t> out(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        const int top = scale(y, image.height, height);
        const int bottom = scale(y + 1, image.height, height);
        for (int x = 0; x < width; ++x) {
            const int left = column_start[static_cast<std::size_t>(x)];
            const int right = column_start[static_cast<std::size_t>(x) + 1];
            std::uint32_t sum[4] = {};
            for (int sy = top; sy < bottom; ++sy) {
                const std::uint32_t* row = image.pixels.data() + static_cast<std::size_t>(sy) * image.width;
                for (int sx = left; sx < right; ++sx)
                    for (int c = 0; c < 4; ++c)
                        sum[c] += (row[sx] >> (8 * c)) & 0xFF;
            }
            const auto count = static_cast<std::uint32_t>((bottom - top) * (right - left));
            std::uint32_t pixel = 0;
            for (int c = 0; c < 4; ++c)
                pixel |= ((sum[c] + count / 2) / count) << (8 * c);
            out[static_cast<std::size_t>(y) * width + x] = pixel;
        }
    }
    return out;
}

// ---- Timing ----------------------------------------------------------------------------------------

double median_ms(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
    }
    std::sort(times.begin(), times.end());
    return (times[repeats / 2 - 1] + times[repeats / 2]) / 2;
}

// Keeps the optimiser from dropping a decode whose result is otherwise unused.
volatile std::uint32_t sink = 0;

bool bench(const std::string& label, const Bytes& jpeg)
{
    const auto full = picture::decode(jpeg);
    const auto scaled = picture::decode(jpeg, target_width, target_height);
    if (!full || !scaled) {
        std::printf("%s: could not decode\n", label.c_str());
        return false;
    }
    const double full_ms = median_ms([&] { sink = sink + picture::decode(jpeg)->pixels[0]; });
    const double scaled_ms =
        median_ms([&] { sink = sink + picture::decode(jpeg, target_width, target_height)->pixels[0]; });
    const double box_ms =
        median_ms([&] { sink = sink + box_downscale(*scaled, target_width, target_height)[0]; });

    std::printf("%s (%zu KB): %dx%d full %.1f ms, scaled-to-%dx%d %.1f ms (decoded at %dx%d), ratio %.1fx\n",
                label.c_str(), jpeg.size() / 1024, full->width, full->height, full_ms, target_width,
                target_height, scaled_ms, scaled->width, scaled->height, full_ms / scaled_ms);
    std::printf("    plus box filter %dx%d -> exactly %dx%d: %.1f ms\n", scaled->width, scaled->height,
                target_width, target_height, box_ms);
    return true;
}

Bytes read_file(const char* path)
{
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv)
{
    std::printf("median of %d runs each\n", repeats);
    if (argc > 1)
        return bench(argv[1], read_file(argv[1])) ? EXIT_SUCCESS : EXIT_FAILURE;

    bool ok = true;
    const Bytes uhd = paint_scene(3840, 2160);
    ok &= bench("3840x2160 q90 full chroma", encode_jpeg(3840, 2160, uhd, 1));
    ok &= bench("3840x2160 q90 2x2 chroma", encode_jpeg(3840, 2160, uhd, 2));
    ok &= bench("1920x1200 q90 2x2 chroma", encode_jpeg(1920, 1200, paint_scene(1920, 1200), 2));
    return ok ? EXIT_SUCCESS : EXIT_FAILURE;
}
