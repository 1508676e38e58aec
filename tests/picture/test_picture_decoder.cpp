#include "picture_decoder.h"

#include <QtTest/QtTest>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <random>
#include <vector>

#include <jpeglib.h>
#include <png.h>
#include <unistd.h>
#include <zlib.h>

// ---- Allocation watch ----------------------------------------------------------------------------------
// Refusing a forged header is only worth something if it happens before the pixel buffer is allocated,
// so the tests replace operator new and record the largest request made while a decode runs.

namespace {
std::atomic<bool> watching_allocations{false};
std::atomic<std::size_t> largest_allocation{0};
}  // namespace

void* operator new(std::size_t size)
{
    if (watching_allocations.load(std::memory_order_relaxed)) {
        std::size_t seen = largest_allocation.load(std::memory_order_relaxed);
        while (size > seen && !largest_allocation.compare_exchange_weak(seen, size)) {
        }
    }
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }

namespace {

using picture::Format;
using Samples = std::vector<unsigned char>;

std::span<const unsigned char> as_span(const QByteArray& bytes)
{
    return {reinterpret_cast<const unsigned char*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

unsigned char byte_at(const QByteArray& bytes, qsizetype at) { return static_cast<unsigned char>(bytes[at]); }

void put_be16(QByteArray& bytes, qsizetype at, unsigned value)
{
    bytes[at] = static_cast<char>(value >> 8);
    bytes[at + 1] = static_cast<char>(value);
}

void put_be32(QByteArray& bytes, qsizetype at, unsigned long value)
{
    put_be16(bytes, at, static_cast<unsigned>(value >> 16));
    put_be16(bytes, at + 2, static_cast<unsigned>(value & 0xFFFF));
}

QString hex(std::uint32_t value) { return QString::number(value, 16).rightJustified(8, u'0'); }

// Deterministic noise, so the compressed fixtures are big enough to cut in half meaningfully.
Samples noise(std::size_t count)
{
    std::mt19937 generator(12345);
    Samples samples(count);
    for (auto& sample : samples)
        sample = static_cast<unsigned char>(generator() & 0xFF);
    return samples;
}

// ---- Fixture encoders ----------------------------------------------------------------------------------

QByteArray encode_png(int width, int height, png_uint_32 format, const Samples& samples,
                      const Samples& colormap = {})
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = format;
    if (format & PNG_FORMAT_FLAG_COLORMAP)
        image.colormap_entries =
            static_cast<png_uint_32>(colormap.size() / PNG_IMAGE_SAMPLE_CHANNELS(format));
    const void* map = colormap.empty() ? nullptr : colormap.data();

    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, samples.data(), 0, map))
        return {};
    QByteArray png(static_cast<qsizetype>(size), '\0');
    if (!png_image_write_to_memory(&image, png.data(), &size, 0, samples.data(), 0, map))
        return {};
    png.resize(static_cast<qsizetype>(size));
    return png;
}

struct JpegOptions {
    J_COLOR_SPACE input = JCS_RGB;
    int components = 3;
    J_COLOR_SPACE stored = JCS_UNKNOWN;  // unknown: libjpeg's default for the input
    bool subsampled = false;             // 2x2 chroma instead of full resolution
    bool progressive = false;
    int quality = 95;
};

QByteArray encode_jpeg(int width, int height, const Samples& samples, const JpegOptions& options = {})
{
    // The fixtures are well formed, so libjpeg's default error handler (which exits) is good enough here.
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);

    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = options.components;
    info.in_color_space = options.input;
    jpeg_set_defaults(&info);
    if (options.stored != JCS_UNKNOWN)
        jpeg_set_colorspace(&info, options.stored);
    jpeg_set_quality(&info, options.quality, TRUE);
    if (!options.subsampled) {
        for (int c = 0; c < info.num_components; ++c)
            info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    }
    if (options.progressive)
        jpeg_simple_progression(&info);

    jpeg_start_compress(&info, TRUE);
    const auto stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(options.components);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(samples.data() + info.next_scanline * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);

    QByteArray jpeg(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
    std::free(buffer);
    return jpeg;
}

// A 16x16 picture of four flat 8x8 quadrants (top-left, top-right, bottom-left, bottom-right), which
// JPEG reproduces closely away from the quadrant edges.
Samples quadrants(const std::vector<Samples>& colours)
{
    const std::size_t components = colours.front().size();
    Samples samples;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const Samples& colour = colours[static_cast<std::size_t>((y / 8) * 2 + x / 8)];
            samples.insert(samples.end(), colour.begin(), colour.begin() + static_cast<long>(components));
        }
    }
    return samples;
}

const std::vector<Samples> rgb_quadrants = {{230, 20, 20}, {20, 200, 40}, {30, 40, 220}, {240, 220, 60}};
const QList<quint32> rgb_quadrant_argb = {0xFFE61414, 0xFF14C828, 0xFF1E28DC, 0xFFF0DC3C};

// ---- JPEG surgery --------------------------------------------------------------------------------------

// Offset of the first header segment with this marker, found by walking the segment lengths.
qsizetype find_segment(const QByteArray& jpeg, unsigned char marker)
{
    qsizetype at = 2;
    while (at + 4 <= jpeg.size() && byte_at(jpeg, at) == 0xFF) {
        if (byte_at(jpeg, at + 1) == marker)
            return at;
        if (byte_at(jpeg, at + 1) == 0xDA)
            break;  // entropy-coded data follows
        at += 2 + (byte_at(jpeg, at + 2) << 8 | byte_at(jpeg, at + 3));
    }
    return -1;
}

QByteArray jpeg_claiming(int width, int height)
{
    QByteArray jpeg = encode_jpeg(16, 16, quadrants(rgb_quadrants));
    // Baseline SOF0: FF C0, length, precision, height, width.
    const qsizetype frame = find_segment(jpeg, 0xC0);
    if (frame < 0)
        return {};
    put_be16(jpeg, frame + 5, static_cast<unsigned>(height));
    put_be16(jpeg, frame + 7, static_cast<unsigned>(width));
    return jpeg;
}

// ---- PNG surgery ---------------------------------------------------------------------------------------

QByteArray small_rgb_png() { return encode_png(3, 2, PNG_FORMAT_RGB, noise(3 * 2 * 3)); }

// IHDR is always first: length at 8, "IHDR" at 12, width at 16, height at 20, CRC over 12..28 at 29.
// libpng checks the CRC, so it has to be recomputed for the forged size to be believed.
QByteArray png_claiming(unsigned long width, unsigned long height)
{
    QByteArray png = small_rgb_png();
    put_be32(png, 16, width);
    put_be32(png, 20, height);
    const auto crc = crc32(0, reinterpret_cast<const Bytef*>(png.constData() + 12), 17);
    put_be32(png, 29, crc);
    return png;
}

// ---- Watching a decode ---------------------------------------------------------------------------------

// Sends stderr to a temporary file while alive, so a test can see whether a library printed anything.
class StderrCapture {
public:
    StderrCapture() : file(std::tmpfile())
    {
        std::fflush(stderr);
        saved = dup(STDERR_FILENO);
        if (file)
            dup2(fileno(file), STDERR_FILENO);
    }
    ~StderrCapture() { restore(); }

    QByteArray finish()
    {
        restore();
        QByteArray text;
        if (!file)
            return text;
        std::rewind(file);
        char chunk[256];
        while (const std::size_t got = std::fread(chunk, 1, sizeof chunk, file))
            text.append(chunk, static_cast<qsizetype>(got));
        std::fclose(file);
        file = nullptr;
        return text;
    }

private:
    void restore()
    {
        if (saved < 0)
            return;
        std::fflush(stderr);
        dup2(saved, STDERR_FILENO);
        close(saved);
        saved = -1;
    }
    std::FILE* file;
    int saved = -1;
};

struct Watched {
    bool decoded = false;
    std::size_t largest_allocation = 0;
    QByteArray printed;
};

Watched watch_decode(const QByteArray& bytes, int target_width, int target_height)
{
    Watched watched;
    StderrCapture capture;
    largest_allocation = 0;
    watching_allocations = true;
    watched.decoded = picture::decode(as_span(bytes), target_width, target_height).has_value();
    watching_allocations = false;
    watched.largest_allocation = largest_allocation;
    watched.printed = capture.finish();
    return watched;
}

}  // namespace

class TestPictureDecoder : public QObject {
    Q_OBJECT

private slots:
    void sniffs_format_data();
    void sniffs_format();
    void decodes_png_exactly_data();
    void decodes_png_exactly();
    void decodes_jpeg_closely_data();
    void decodes_jpeg_closely();
    void refuses_bad_input_quietly_data();
    void refuses_bad_input_quietly();
    void picks_smallest_dct_scale_covering_target_data();
    void picks_smallest_dct_scale_covering_target();
};

void TestPictureDecoder::sniffs_format_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Format>("expected");

    const QByteArray png_signature("\x89PNG\r\n\x1A\n", 8);
    QTest::newRow("jpeg") << QByteArray("\xFF\xD8\xFF\xE0\0\x10JFIF", 10) << Format::jpeg;
    QTest::newRow("jpeg soi alone") << QByteArray("\xFF\xD8", 2) << Format::jpeg;
    QTest::newRow("png") << png_signature + QByteArray("\0\0\0\x0DIHDR", 8) << Format::png;
    QTest::newRow("png signature alone") << png_signature << Format::png;
    QTest::newRow("png signature cut to 7 bytes") << png_signature.left(7) << Format::none;
    QTest::newRow("png signature one byte wrong") << QByteArray("\x89PNG\r\n\x1A\r", 8) << Format::none;
    QTest::newRow("gif") << QByteArray("GIF89a\x01\0\x01\0", 10) << Format::none;
    QTest::newRow("single ff") << QByteArray("\xFF", 1) << Format::none;
    QTest::newRow("empty") << QByteArray() << Format::none;
}

void TestPictureDecoder::sniffs_format()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Format, expected);
    QCOMPARE(picture::sniff_format(as_span(bytes)), expected);
}

void TestPictureDecoder::decodes_png_exactly_data()
{
    QTest::addColumn<QByteArray>("png");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("has_alpha");
    QTest::addColumn<QList<quint32>>("expected");

    QTest::newRow("rgb 3x2")
        << encode_png(3, 2, PNG_FORMAT_RGB,
                      {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255, 0, 0, 0, 0x12, 0x34, 0x56})
        << 3 << 2 << false
        << QList<quint32>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF, 0xFF000000, 0xFF123456};
    // Premultiplying would turn the first pixel into 0x80643219.
    QTest::newRow("rgba partial alpha 2x2")
        << encode_png(2, 2, PNG_FORMAT_RGBA,
                      {200, 100, 50, 128, 10, 20, 30, 0, 255, 255, 255, 255, 1, 2, 3, 64})
        << 2 << 2 << true << QList<quint32>{0x80C86432, 0x000A141E, 0xFFFFFFFF, 0x40010203};
    QTest::newRow("grey 2x1") << encode_png(2, 1, PNG_FORMAT_GRAY, {0, 200}) << 2 << 1 << false
                              << QList<quint32>{0xFF000000, 0xFFC8C8C8};
    QTest::newRow("grey alpha 1x1") << encode_png(1, 1, PNG_FORMAT_GA, {100, 50}) << 1 << 1 << true
                                    << QList<quint32>{0x32646464};
    QTest::newRow("palette with transparency 2x2")
        << encode_png(2, 2, PNG_FORMAT_RGBA_COLORMAP, {0, 1, 1, 0}, {255, 0, 0, 255, 0, 0, 255, 100})
        << 2 << 2 << true << QList<quint32>{0xFFFF0000, 0x640000FF, 0x640000FF, 0xFFFF0000};
}

void TestPictureDecoder::decodes_png_exactly()
{
    QFETCH(QByteArray, png);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, has_alpha);
    QFETCH(QList<quint32>, expected);
    QVERIFY(!png.isEmpty());

    // A target must not matter for PNG; asking for a smaller one proves nothing gets scaled.
    for (const int target : {0, 1}) {
        const auto image = picture::decode(as_span(png), target, target);
        QVERIFY(image);
        QCOMPARE(image->width, width);
        QCOMPARE(image->height, height);
        QCOMPARE(image->source_width, width);
        QCOMPARE(image->source_height, height);
        QCOMPARE(image->has_alpha, has_alpha);
        QCOMPARE(image->pixels.size(), static_cast<std::size_t>(expected.size()));
        for (qsizetype i = 0; i < expected.size(); ++i)
            QCOMPARE(hex(image->pixels[static_cast<std::size_t>(i)]), hex(expected[i]));
    }
}

void TestPictureDecoder::decodes_jpeg_closely_data()
{
    QTest::addColumn<QByteArray>("jpeg");
    QTest::addColumn<QList<quint32>>("quadrant_colours");
    QTest::addColumn<int>("tolerance");
    QTest::addColumn<bool>("grey");

    const Samples rgb = quadrants(rgb_quadrants);
    QTest::newRow("rgb full chroma") << encode_jpeg(16, 16, rgb) << rgb_quadrant_argb << 6 << false;
    QTest::newRow("rgb 2x2 chroma") << encode_jpeg(16, 16, rgb, {.subsampled = true}) << rgb_quadrant_argb
                                    << 20 << false;
    QTest::newRow("progressive") << encode_jpeg(16, 16, rgb, {.progressive = true}) << rgb_quadrant_argb << 6
                                 << false;

    // Junk between segments only draws a warning from libjpeg; the picture is intact and must show.
    QByteArray junk = encode_jpeg(16, 16, rgb);
    junk.insert(find_segment(junk, 0xDA), QByteArray("\x12\x34", 2));
    QTest::newRow("junk before a marker") << junk << rgb_quadrant_argb << 6 << false;

    // libjpeg-turbo widens greyscale to RGB itself; R, G and B must come out identical.
    const Samples grey = quadrants({{30}, {100}, {170}, {240}});
    QTest::newRow("greyscale") << encode_jpeg(16, 16, grey, {.input = JCS_GRAYSCALE, .components = 1})
                               << QList<quint32>{0xFF1E1E1E, 0xFF646464, 0xFFAAAAAA, 0xFFF0F0F0} << 3 << true;

    // Inverted inks as Photoshop stores them: 255 is no ink, so K = 128 halves every channel.
    const Samples cmyk = quadrants({{230, 20, 20, 255}, {20, 200, 40, 255}, {255, 255, 255, 128},
                                    {240, 220, 60, 128}});
    const QList<quint32> cmyk_argb = {0xFFE61414, 0xFF14C828, 0xFF808080, 0xFF786E1E};
    QTest::newRow("cmyk") << encode_jpeg(16, 16, cmyk, {.input = JCS_CMYK, .components = 4}) << cmyk_argb << 6
                          << false;
    const JpegOptions ycck = {.input = JCS_CMYK, .components = 4, .stored = JCS_YCCK};
    QTest::newRow("ycck") << encode_jpeg(16, 16, cmyk, ycck) << cmyk_argb << 6 << false;
}

void TestPictureDecoder::decodes_jpeg_closely()
{
    QFETCH(QByteArray, jpeg);
    QFETCH(QList<quint32>, quadrant_colours);
    QFETCH(int, tolerance);
    QFETCH(bool, grey);

    const auto image = picture::decode(as_span(jpeg));
    QVERIFY(image);
    QCOMPARE(image->width, 16);
    QCOMPARE(image->height, 16);
    QCOMPARE(image->source_width, 16);
    QCOMPARE(image->source_height, 16);
    QVERIFY(!image->has_alpha);
    QCOMPARE(image->pixels.size(), std::size_t{16 * 16});

    for (std::size_t i = 0; i < image->pixels.size(); ++i) {
        const std::uint32_t pixel = image->pixels[i];
        QCOMPARE(pixel >> 24, 0xFFu);
        if (grey) {
            QCOMPARE((pixel >> 16) & 0xFF, pixel & 0xFF);
            QCOMPARE((pixel >> 8) & 0xFF, pixel & 0xFF);
        }
        // Colours are checked away from the quadrant edges, where DCT ringing and chroma blending live.
        const std::size_t x = i % 16, y = i / 16;
        if (x % 8 < 2 || x % 8 > 5 || y % 8 < 2 || y % 8 > 5)
            continue;
        const quint32 want = quadrant_colours[static_cast<qsizetype>((y / 8) * 2 + x / 8)];
        for (const int shift : {16, 8, 0}) {
            const int got = static_cast<int>((pixel >> shift) & 0xFF);
            const int expected = static_cast<int>((want >> shift) & 0xFF);
            if (std::abs(got - expected) > tolerance)
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2 is %3, expected about %4")
                                     .arg(x).arg(y).arg(hex(pixel), hex(want))));
        }
    }
}

void TestPictureDecoder::refuses_bad_input_quietly_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray png = encode_png(32, 32, PNG_FORMAT_RGB, noise(32 * 32 * 3));
    const QByteArray jpeg = encode_jpeg(64, 64, noise(64 * 64 * 3));
    const Samples random = noise(512);
    const QByteArray garbage(reinterpret_cast<const char*>(random.data()),
                             static_cast<qsizetype>(random.size()));

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("7 bytes") << png.left(7);
    QTest::newRow("random bytes") << garbage;
    QTest::newRow("jpeg soi then garbage") << QByteArray("\xFF\xD8", 2) + garbage;
    QTest::newRow("png signature then garbage") << png.left(8) + garbage;
    QTest::newRow("truncated png") << png.left(png.size() / 2);
    QTest::newRow("truncated jpeg") << jpeg.left(jpeg.size() / 2);
    QTest::newRow("jpeg without its eoi") << jpeg.chopped(2);
    QTest::newRow("jpeg claiming 60000x60000") << jpeg_claiming(60000, 60000);
    QTest::newRow("jpeg claiming 16385x2000") << jpeg_claiming(16385, 2000);
    QTest::newRow("png claiming 20000x20000") << png_claiming(20000, 20000);
    QTest::newRow("png claiming 2000x16385") << png_claiming(2000, 16385);
    QTest::newRow("png claiming 8000x6000") << png_claiming(8000, 6000);
}

void TestPictureDecoder::refuses_bad_input_quietly()
{
    QFETCH(QByteArray, bytes);

    for (const int target : {0, 64}) {
        const Watched watched = watch_decode(bytes, target, target);
        QVERIFY(!watched.decoded);
        QCOMPARE(watched.printed, QByteArray());
        // Far below the 160 MB that even a legitimate 40-megapixel picture would need.
        QVERIFY2(watched.largest_allocation < 16 * 1024 * 1024,
                 qPrintable(QStringLiteral("allocated %1 bytes").arg(watched.largest_allocation)));
    }
}

void TestPictureDecoder::picks_smallest_dct_scale_covering_target_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("target");
    QTest::addColumn<QSize>("expected");
    QTest::addColumn<QSize>("source");

    const int width = 3840, height = 2160;
    Samples flat(static_cast<std::size_t>(width * height) * 3);
    for (std::size_t i = 0; i < flat.size(); i += 3) {
        flat[i] = 40;
        flat[i + 1] = 120;
        flat[i + 2] = 200;
    }
    const QByteArray uhd = encode_jpeg(width, height, flat, {.subsampled = true, .quality = 75});
    const QSize full(width, height);

    QTest::newRow("no target") << uhd << QSize(0, 0) << full << full;
    QTest::newRow("1072x648 takes 3/8") << uhd << QSize(1072, 648) << QSize(1440, 810) << full;
    QTest::newRow("exactly 3/8") << uhd << QSize(1440, 810) << QSize(1440, 810) << full;
    QTest::newRow("one pixel over 3/8 takes 4/8") << uhd << QSize(1441, 810) << QSize(1920, 1080) << full;
    QTest::newRow("100x100 takes 1/8") << uhd << QSize(100, 100) << QSize(480, 270) << full;
    QTest::newRow("1920x1080 takes 4/8") << uhd << QSize(1920, 1080) << QSize(1920, 1080) << full;
    // 4/8 would give 1920 wide, under the target, so it has to be 5/8.
    QTest::newRow("2000x1000 takes 5/8") << uhd << QSize(2000, 1000) << QSize(2400, 1350) << full;
    QTest::newRow("source size") << uhd << full << full << full;
    QTest::newRow("larger than source") << uhd << QSize(5000, 3000) << full << full;
    QTest::newRow("width only") << uhd << QSize(1072, 0) << full << full;
    QTest::newRow("png ignores target") << small_rgb_png() << QSize(1, 1) << QSize(3, 2) << QSize(3, 2);
}

void TestPictureDecoder::picks_smallest_dct_scale_covering_target()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, target);
    QFETCH(QSize, expected);
    QFETCH(QSize, source);

    const auto image = picture::decode(as_span(bytes), target.width(), target.height());
    QVERIFY(image);
    QCOMPARE(QSize(image->width, image->height), expected);
    QCOMPARE(QSize(image->source_width, image->source_height), source);
    QCOMPARE(image->pixels.size(), static_cast<std::size_t>(expected.width()) * expected.height());
}

QTEST_GUILESS_MAIN(TestPictureDecoder)
#include "test_picture_decoder.moc"
