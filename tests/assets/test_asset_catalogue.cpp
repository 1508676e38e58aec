// Checks every picture of the embedded catalogue the way the program will use
// it: the file's own header (format, pixel size, colour type or chroma
// sampling and marker), then the decoded pixels.

#include "picture_catalogue.h"

#include <QDebug>
#include <QImage>
#include <QObject>
#include <QString>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#if defined(ASSET_TEST_HAVE_PICTURE_DECODER)
#include "picture_decoder.h"
#endif

namespace {

// ---- what the files say about themselves --------------------------------

std::uint32_t read_be32(const unsigned char* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | std::uint32_t(p[3]);
}

std::uint16_t read_be16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}

std::uint32_t read_le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

struct PngHeader {
    std::uint32_t width = 0, height = 0;
    int bit_depth = -1, colour_type = -1, compression = -1, filter = -1, interlace = -1;
    std::vector<std::string> chunks;  // chunk types in file order
};

// Reads the IHDR chunk and lists the chunk types; nullopt when the bytes are
// not a well-formed PNG chunk sequence.
std::optional<PngHeader> read_png(std::span<const unsigned char> bytes) {
    static constexpr unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (bytes.size() < 8 + 25 || std::memcmp(bytes.data(), signature, 8) != 0) return std::nullopt;
    PngHeader header;
    std::size_t at = 8;
    while (at + 12 <= bytes.size()) {
        const std::uint32_t length = read_be32(bytes.data() + at);
        const std::string type(reinterpret_cast<const char*>(bytes.data() + at + 4), 4);
        if (at + 12 + length > bytes.size()) return std::nullopt;
        const unsigned char* data = bytes.data() + at + 8;
        if (type == "IHDR") {
            if (length != 13 || !header.chunks.empty()) return std::nullopt;
            header.width = read_be32(data);
            header.height = read_be32(data + 4);
            header.bit_depth = data[8];
            header.colour_type = data[9];
            header.compression = data[10];
            header.filter = data[11];
            header.interlace = data[12];
        }
        header.chunks.push_back(type);
        at += 12 + length;
        if (type == "IEND") break;
    }
    if (header.chunks.empty() || header.chunks.front() != "IHDR" || header.chunks.back() != "IEND") return std::nullopt;
    return header;
}

struct JpegHeader {
    bool jfif = false;   // APP0 "JFIF\0"
    bool adobe = false;  // APP14 "Adobe"
    int adobe_transform = -1;
    std::vector<int> frame_markers;  // every SOFn marker found (0xC0 = baseline)
    int precision = 0, width = 0, height = 0;
    std::vector<int> sampling;  // per component: h << 4 | v
};

// Walks the marker segments up to the first scan.
std::optional<JpegHeader> read_jpeg(std::span<const unsigned char> bytes) {
    if (bytes.size() < 4 || bytes[0] != 0xFF || bytes[1] != 0xD8) return std::nullopt;
    JpegHeader header;
    std::size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (bytes[at] != 0xFF) return std::nullopt;
        const int marker = bytes[at + 1];
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const std::size_t length = read_be16(bytes.data() + at + 2);
        if (length < 2 || at + 2 + length > bytes.size()) return std::nullopt;
        const unsigned char* data = bytes.data() + at + 4;
        const std::size_t data_length = length - 2;
        if (marker == 0xE0 && data_length >= 5 && std::memcmp(data, "JFIF\0", 5) == 0) header.jfif = true;
        if (marker == 0xEE && data_length >= 12 && std::memcmp(data, "Adobe", 5) == 0) {
            header.adobe = true;
            header.adobe_transform = data[11];
        }
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            header.frame_markers.push_back(marker);
            if (data_length < 6) return std::nullopt;
            header.precision = data[0];
            header.height = read_be16(data + 1);
            header.width = read_be16(data + 3);
            const int components = data[5];
            if (data_length < 6 + 3u * components) return std::nullopt;
            for (int c = 0; c < components; ++c) header.sampling.push_back(data[6 + 3 * c + 1]);
        }
        if (marker == 0xDA) return header;  // start of scan: the header is complete
        at += 2 + length;
    }
    return std::nullopt;
}

// ---- decoded pixels --------------------------------------------------------

struct Decoded {
    int width = 0, height = 0;
    int source_width = 0, source_height = 0;
    std::vector<std::uint32_t> pixels;  // 0xAARRGGBB, row by row
};

std::optional<Decoded> decode(assets::PictureBytes bytes) {
    const std::span<const unsigned char> data(bytes.data, bytes.size);
#if defined(ASSET_TEST_HAVE_PICTURE_DECODER)
    auto image = picture::decode(data);
    if (!image) return std::nullopt;
    return Decoded{image->width, image->height, image->source_width, image->source_height,
                   std::move(image->pixels)};
#else
    const QImage image = QImage::fromData(data.data(), static_cast<int>(data.size())).convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) return std::nullopt;
    Decoded decoded{image.width(), image.height(), image.width(), image.height(), {}};
    decoded.pixels.reserve(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
        decoded.pixels.insert(decoded.pixels.end(), line, line + image.width());
    }
    return decoded;
#endif
}

std::span<const unsigned char> span_of(assets::PictureBytes bytes) {
    return {bytes.data, bytes.size};
}

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

class AssetCatalogueTest : public QObject {
    Q_OBJECT

private slots:
    void catalogue_lists_every_picture_once();
    void unknown_names_are_empty();
    void picture_files_data();
    void picture_files();
    void wallpaper_constants_data();
    void wallpaper_constants();
    void bytes_of_constant_rejects_other_counts();
    void setup_page_button_is_where_the_real_button_goes();
};

namespace {

// PNG colour types.
constexpr int rgb = 2;
constexpr int rgba = 6;

// JPEG layouts: JFIF with 2x2 luma and 1x1 chroma, or Adobe APP14 with every
// component at 1x1.
const QString jfif_420 = QStringLiteral("jfif-420");
const QString adobe_444 = QStringLiteral("adobe-444");

struct Row {
    const char* name;
    const char* format;
    int width, height;
    int png_colour_type;  // -1 for JPEG
    QString jpeg_layout;  // empty for PNG
    bool opaque;
};

const std::vector<Row>& expected_catalogue() {
    static const std::vector<Row> rows = {
        {"wallpaper-initial", "jpeg", 1920, 1200, -1, jfif_420, true},
        {"wallpaper-installed", "jpeg", 3840, 2160, -1, adobe_444, true},
        {"icon-usb-tool", "png", 179, 181, rgb, {}, true},
        {"icon-install-notes", "png", 67, 76, rgba, {}, true},
        {"icon-ghost-image", "jpeg", 256, 256, -1, jfif_420, true},
        {"taskbar-tray", "png", 105, 30, rgba, {}, true},
        {"icon-forum-client", "png", 358, 376, rgb, {}, true},
        {"pe-background", "png", 1080, 638, rgb, {}, true},
        {"icon-browser", "png", 76, 76, rgba, {}, true},
        {"icon-system-installer", "png", 61, 66, rgba, {}, true},
        {"setup-page", "jpeg", 1026, 766, -1, jfif_420, true},
        // The window icon may be transparent around the horse.
        {"program-icon", "png", 128, 128, rgba, {}, false},
    };
    return rows;
}

}  // namespace

void AssetCatalogueTest::catalogue_lists_every_picture_once() {
    const auto names = assets::picture_names();
    const auto& rows = expected_catalogue();
    QCOMPARE(names.size(), rows.size());
    std::set<std::string_view> seen;
    for (std::size_t i = 0; i < names.size(); ++i) {
        QCOMPARE(qt(names[i]), QString::fromLatin1(rows[i].name));
        QVERIFY2(seen.insert(names[i]).second, "a name is listed twice");
        const auto bytes = assets::picture(names[i]);
        QVERIFY2(bytes.data != nullptr && bytes.size > 0, rows[i].name);
    }
}

void AssetCatalogueTest::unknown_names_are_empty() {
    for (std::string_view name : {"", "wallpaper", "setup-page.jpg", "Setup-Page", "no-such-picture"}) {
        const auto bytes = assets::picture(name);
        QVERIFY(bytes.data == nullptr);
        QCOMPARE(bytes.size, std::size_t(0));
    }
}

void AssetCatalogueTest::picture_files_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("pngColourType");
    QTest::addColumn<QString>("jpegLayout");
    QTest::addColumn<bool>("opaque");
    for (const Row& row : expected_catalogue()) {
        QTest::newRow(row.name) << QString::fromLatin1(row.name) << QString::fromLatin1(row.format) << row.width
                                << row.height << row.png_colour_type << row.jpeg_layout << row.opaque;
    }
}

void AssetCatalogueTest::picture_files() {
    QFETCH(QString, name);
    QFETCH(QString, format);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, pngColourType);
    QFETCH(QString, jpegLayout);
    QFETCH(bool, opaque);

    const std::string key = name.toStdString();
    const assets::PictureBytes bytes = assets::picture(key);
    QVERIFY(bytes.data != nullptr);

    if (format == QLatin1String("png")) {
        const auto header = read_png(span_of(bytes));
        QVERIFY2(header.has_value(), "not a well-formed PNG");
        QCOMPARE(int(header->width), width);
        QCOMPARE(int(header->height), height);
        QCOMPARE(header->bit_depth, 8);
        QCOMPARE(header->colour_type, pngColourType);
        QCOMPARE(header->compression, 0);
        QCOMPARE(header->filter, 0);
        QCOMPARE(header->interlace, 0);
        // Nothing but pixels: no time stamps or text that would make a
        // regenerated picture differ from the committed one.
        for (const std::string& chunk : header->chunks)
            QVERIFY2(chunk == "IHDR" || chunk == "IDAT" || chunk == "IEND", chunk.c_str());
    } else {
        QCOMPARE(format, QStringLiteral("jpeg"));
        const auto header = read_jpeg(span_of(bytes));
        QVERIFY2(header.has_value(), "not a well-formed JPEG");
        QCOMPARE(header->frame_markers, std::vector<int>{0xC0});  // one baseline frame
        QCOMPARE(header->precision, 8);
        QCOMPARE(header->width, width);
        QCOMPARE(header->height, height);
        QCOMPARE(header->sampling.size(), std::size_t(3));
        if (jpegLayout == jfif_420) {
            QVERIFY(header->jfif);
            QVERIFY(!header->adobe);
            QCOMPARE(header->sampling, (std::vector<int>{0x22, 0x11, 0x11}));
        } else {
            QCOMPARE(jpegLayout, adobe_444);
            QVERIFY(header->adobe);
            QVERIFY(!header->jfif);
            QCOMPARE(header->adobe_transform, 1);  // YCbCr
            QCOMPARE(header->sampling, (std::vector<int>{0x11, 0x11, 0x11}));
        }
    }

    const auto decoded = decode(bytes);
    QVERIFY2(decoded.has_value(), "the picture does not decode");
    QCOMPARE(decoded->width, width);
    QCOMPARE(decoded->height, height);
    QCOMPARE(decoded->source_width, width);
    QCOMPARE(decoded->source_height, height);
    QCOMPARE(decoded->pixels.size(), std::size_t(width) * std::size_t(height));
    if (opaque) {
        const auto translucent = std::find_if(decoded->pixels.begin(), decoded->pixels.end(),
                                              [](std::uint32_t argb) { return argb >> 24 != 0xFF; });
        if (translucent != decoded->pixels.end()) {
            const auto index = static_cast<int>(translucent - decoded->pixels.begin());
            QFAIL(qPrintable(QStringLiteral("pixel (%1,%2) is not opaque").arg(index % width).arg(index / width)));
        }
    }
}

void AssetCatalogueTest::wallpaper_constants_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<quintptr>("constant");
    QTest::newRow("wallpaper-initial") << QStringLiteral("wallpaper-initial")
                                       << reinterpret_cast<quintptr>(assets::wallpaper_initial);
    QTest::newRow("wallpaper-installed") << QStringLiteral("wallpaper-installed")
                                         << reinterpret_cast<quintptr>(assets::wallpaper_installed);
}

void AssetCatalogueTest::wallpaper_constants() {
    QFETCH(QString, name);
    QFETCH(quintptr, constant);
    const auto* form = reinterpret_cast<const unsigned char*>(constant);
    QVERIFY(form != nullptr);

    const assets::PictureBytes file = assets::picture(name.toStdString());
    QVERIFY(file.data != nullptr);
    QCOMPARE(read_le32(form), std::uint32_t(1));
    QCOMPARE(std::size_t(read_le32(form + 4)), file.size);
    QVERIFY(std::memcmp(form + 8, file.data, file.size) == 0);

    const assets::PictureBytes held = assets::bytes_of_constant(form);
    QCOMPARE(held.size, file.size);
    QVERIFY(held.data == form + 8);
    QVERIFY(std::memcmp(held.data, file.data, file.size) == 0);
}

void AssetCatalogueTest::bytes_of_constant_rejects_other_counts() {
    QCOMPARE(assets::bytes_of_constant(nullptr).size, std::size_t(0));
    const unsigned char two_dimensions[] = {2, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xD8, 0xFF};
    QVERIFY(assets::bytes_of_constant(two_dimensions).data == nullptr);
    const unsigned char none[] = {0, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xD8, 0xFF};
    QVERIFY(assets::bytes_of_constant(none).data == nullptr);
    const unsigned char one[] = {1, 0, 0, 0, 3, 0, 0, 0, 0xFF, 0xD8, 0xFF};
    QCOMPARE(assets::bytes_of_constant(one).size, std::size_t(3));
    QVERIFY(assets::bytes_of_constant(one).data == one + 8);
}

// The program stretches the setup page to 784x456 and lays a real push button
// over the drawn one, so the drawn button must cover 71.6-78.7 % of the width
// and 70.4-73.1 % of the height. The button is found from its pixels: its
// border is the page's only saturated mid blue below the product mark.
void AssetCatalogueTest::setup_page_button_is_where_the_real_button_goes() {
    const auto decoded = decode(assets::picture("setup-page"));
    QVERIFY(decoded.has_value());
    const int width = decoded->width, height = decoded->height;

    // Blue clearly above red, real green (unlike the indigo background), and
    // darker than the light window body. Chroma is subsampled, so the thin
    // border comes out desaturated; brightness is stored per pixel and keeps
    // the border's edge sharp.
    auto is_border_blue = [](std::uint32_t argb) {
        const int r = (argb >> 16) & 0xFF, g = (argb >> 8) & 0xFF, b = argb & 0xFF;
        const int luma = (299 * r + 587 * g + 114 * b) / 1000;
        return b - r > 60 && g > 60 && b > 120 && luma < 170;
    };

    int left = width, right = -1, top = height, bottom = -1, count = 0;
    for (int y = height / 2; y < height; ++y) {
        for (int x = width / 2; x < width; ++x) {
            if (!is_border_blue(decoded->pixels[std::size_t(y) * width + x])) continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            ++count;
        }
    }
    QVERIFY2(count > 100, "no button border found in the lower right of the setup page");

    const double x0 = 100.0 * left / width, x1 = 100.0 * right / width;
    const double y0 = 100.0 * top / height, y1 = 100.0 * bottom / height;
    const QString box = QStringLiteral("button border found at x %1..%2 %, y %3..%4 %")
                            .arg(x0, 0, 'f', 2).arg(x1, 0, 'f', 2).arg(y0, 0, 'f', 2).arg(y1, 0, 'f', 2);
    qInfo().noquote() << box;
    // Inside the band the real button covers...
    QVERIFY2(x0 >= 71.6 && x1 <= 78.7, qPrintable(box));
    QVERIFY2(y0 >= 70.4 && y1 <= 73.1, qPrintable(box));
    // ...and filling it, give or take the border's antialiasing.
    QVERIFY2(x1 - x0 >= (78.7 - 71.6) - 0.5, qPrintable(box));
    QVERIFY2(y1 - y0 >= (73.1 - 70.4) - 0.5, qPrintable(box));
}

QTEST_MAIN(AssetCatalogueTest)
#include "test_asset_catalogue.moc"
