// Decoding and scaling each wallpaper the way the desktop shows it, against a full-size decode.
//
//   bench_wallpaper_decode [RUNS]     default 15
//
// The wallpapers are the real ones carried in the program (assets::picture). The desktop stretches
// its wallpaper over the 1072x648 client area, so PictureLayer decodes it through libjpeg's DCT
// scaling at the smallest scale still at least 1072x648 and then scales that smoothly to exactly
// 1072x648. The reference decodes at full size and scales the same way. The two are timed in
// turns, run by run, and the medians compared. The picture decoder alone (picture::decode, the
// same DCT scale, no QImage) is timed as well: the difference is what rt::decode_picture adds.
#include <QImage>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench_common.h"
#include "picture_catalogue.h"
#include "picture_decoder.h"
#include "picture_layer.h"

namespace {

const QSize shown(1072, 648);

volatile unsigned sink = 0;

struct Timing {
    std::vector<double> decode_ms;
    std::vector<double> scale_ms;
    std::vector<double> total_ms;
};

// One decode (to `target`, or full size when empty) and the smooth scale to the shown size.
void once(const rt::Picture& picture, QSize target, Timing& timing)
{
    const std::int64_t start = bench::monotonic_ns();
    const QImage decoded = rt::decode_picture(picture, target);
    const std::int64_t decoded_at = bench::monotonic_ns();
    const QImage scaled = decoded.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const std::int64_t end = bench::monotonic_ns();
    sink = sink + scaled.pixel(0, 0);
    timing.decode_ms.push_back((decoded_at - start) / 1e6);
    timing.scale_ms.push_back((end - decoded_at) / 1e6);
    timing.total_ms.push_back((end - start) / 1e6);
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    std::printf("wallpaper decode + smooth scale to %dx%d, median of %d runs\n", shown.width(), shown.height(), runs);
    for (const char* name : {"wallpaper-initial", "wallpaper-installed"}) {
        const auto bytes = assets::picture(name);
        const rt::Picture picture{bytes.data, bytes.size};
        const QImage full = rt::decode_picture(picture);
        const QImage reduced = rt::decode_picture(picture, shown);
        if (full.isNull() || reduced.isNull()) {
            std::printf("%s: could not decode\n", name);
            return EXIT_FAILURE;
        }
        Timing dct, whole;
        std::vector<double> decoder_ms;
        for (int run = 0; run < runs; ++run) {
            once(picture, shown, dct);
            once(picture, QSize(), whole);
            const std::int64_t start = bench::monotonic_ns();
            const auto pixels = picture::decode({bytes.data, bytes.size}, shown.width(), shown.height());
            decoder_ms.push_back((bench::monotonic_ns() - start) / 1e6);
            sink = sink + pixels->pixels[0];
        }
        const double dct_total = bench::median(dct.total_ms), whole_total = bench::median(whole.total_ms);
        std::printf("%s (%zu KB, %dx%d)\n", name, bytes.size / 1024, full.width(), full.height());
        std::printf("  DCT-scaled decode to %dx%d %6.1f ms + scale %5.1f ms = %6.1f ms  %.2fx the full-size path\n",
                    reduced.width(), reduced.height(), bench::median(dct.decode_ms),
                    bench::median(dct.scale_ms), dct_total, dct_total / whole_total);
        std::printf("  full-size decode  to %dx%d %6.1f ms + scale %5.1f ms = %6.1f ms  (reference)\n", full.width(),
                    full.height(), bench::median(whole.decode_ms), bench::median(whole.scale_ms),
                    whole_total);
        std::printf("  of the DCT-scaled decode, picture::decode alone takes %.1f ms; copying into a QImage "
                    "and converting it to RGB32 the other %.1f ms\n",
                    bench::median(decoder_ms), bench::median(dct.decode_ms) - bench::median(decoder_ms));
    }
    return EXIT_SUCCESS;
}
