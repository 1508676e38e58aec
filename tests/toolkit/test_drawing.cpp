// How the owner-drawn kinds draw: gradients, ampersands, line breaks, picture layouts, the
// transparent label's redraw and the progress bar's clamping. Checked on grabbed pixels.
#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>

#ifndef Q_MOC_RUN
#include "caption_layout.h"
#include "gradient.h"
#include "progress_bar_widget.h"
#include "screen_window.h"
#include "sim.h"
#endif

using namespace rt;

Q_DECLARE_METATYPE(std::vector<rt::Colour>)

namespace {

RT_CONTROL(label)
RT_CONTROL(box)

constexpr Colour green = 0x00FF00, red = 0x0000FF, blue = 0xFF0000;

// A PNG of `size` whose top half is `top` and bottom half `bottom` (0xAARRGGBB).
std::vector<unsigned char> two_tone_png(QSize size, QRgb top, QRgb bottom)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(bottom);
    QPainter(&image).fillRect(0, 0, size.width(), size.height() / 2, QColor::fromRgba(top));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return {bytes.begin(), bytes.end()};
}

QImage grab(const testing::Sim& sim, const ScreenDefinition& screen, ControlName control = window)
{
    return sim.widget(screen, control)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRgb rgb(Colour colour) { return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

int ink_pixels(const QImage& image, QRect area, QRgb background)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background) ++count;
    return count;
}

// A screen of 200 x 100 client pixels holding one label.
ScreenDefinition label_screen(Look look, Place place = {10, 10, 180, 80})
{
    return {.name = "LabelScreen",
            .window = {.caption = "t", .width = 206, .height = 128, .background = green},
            .controls = {{Kind::标签, label, place, look}},
            .handlers = {}};
}

// The grabbed pixels of one label, drawn alone on a green window.
QImage render_label(Look look, Place place = {10, 10, 180, 80})
{
    const ScreenDefinition screen = label_screen(look, place);
    testing::Sim sim;
    load_screen(screen);
    return grab(sim, screen, label);
}

}  // namespace

class Drawing : public QObject {
    Q_OBJECT
private slots:
    void gradient_colour_follows_the_segment_rule_data()
    {
        QTest::addColumn<std::vector<Colour>>("stops");
        QTest::addColumn<int>("span");
        QTest::addColumn<int>("offset");
        QTest::addColumn<uint>("expected");
        using C = std::vector<Colour>;
        QTest::newRow("start edge") << C{0x000000, 0x0000FF} << 10 << 0 << 0x000000u;
        QTest::newRow("half way") << C{0x000000, 0x0000FF} << 10 << 5 << 0x00007Fu;
        QTest::newRow("last row of the only segment") << C{0x000000, 0x0000FF} << 10 << 9 << 0x0000E5u;
        QTest::newRow("past the last segment") << C{0x000000, 0x0000FF} << 10 << 10 << 0x0000FFu;
        QTest::newRow("falling channel rounds toward zero") << C{0x00000A, 0x000000} << 3 << 1 << 0x000007u;
        QTest::newRow("three colours: second starts its segment") << C{0x000000, 0x0000FF, 0x00FF00} << 8 << 4 << 0x0000FFu;
        QTest::newRow("three colours: inside the second segment") << C{0x000000, 0x0000FF, 0x00FF00} << 8 << 6
                                                                  << 0x007F80u;
        QTest::newRow("odd span leaves a remainder in the last colour") << C{0x000000, 0x0000FF, 0x00FF00} << 9 << 8
                                                                        << 0x00FF00u;
        QTest::newRow("span shorter than the segments") << C{0x000000, 0x0000FF, 0x00FF00} << 1 << 0 << 0x00FF00u;
    }
    void gradient_colour_follows_the_segment_rule()
    {
        QFETCH(std::vector<Colour>, stops);
        QFETCH(int, span);
        QFETCH(int, offset);
        QFETCH(uint, expected);
        QCOMPARE(gradient_colour(stops, span, offset), Colour(expected));
    }

    void gradient_needs_two_colours_that_are_not_the_default_mark()
    {
        QVERIFY(!gradient_stops({.mode = 1, .colours = {0xFF8800, button_face, button_face}}));
        QVERIFY(!gradient_stops({.mode = 0, .colours = {0xFF8800, 0x80E000, 0x80E000}}));
        const auto stops = gradient_stops({.mode = 2, .colours = {0xFF8800, button_face, 0x80E000}});
        QVERIFY(stops);
        QCOMPARE(*stops, (std::vector<Colour>{0xFF8800, 0x80E000}));
    }

    void label_draws_its_gradient_or_falls_back_to_its_colour()
    {
        QImage image = render_label({.background = blue, .gradient = {1, {0x000000, 0x0000FF, button_face}}},
                                    {0, 0, 20, 10});
        QCOMPARE(image.pixel(3, 0), qRgb(0, 0, 0));
        QCOMPARE(image.pixel(3, 5), qRgb(127, 0, 0));
        QCOMPARE(image.pixel(3, 9), qRgb(229, 0, 0));
        image = render_label({.background = blue, .gradient = {1, {0x0000FF, button_face, button_face}}}, {0, 0, 20, 10});
        QCOMPARE(image.pixel(3, 5), rgb(blue));
    }

    void ampersands_underline_the_next_character_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("underlined");
        QTest::newRow("one") << "单击此开始（&S）" << "单击此开始（S）" << QList<int>{6};
        QTest::newRow("double ampersand draws one") << "a&&b" << "a&b" << QList<int>{};
        QTest::newRow("every character") << "&如&何&装&机&?-&记" << "如何装机?-记" << QList<int>{0, 1, 2, 3, 4, 6};
    }
    void ampersands_underline_the_next_character()
    {
        QFETCH(QString, caption);
        QFETCH(QString, text);
        QFETCH(QList<int>, underlined);
        const MnemonicText stripped = strip_mnemonics(caption);
        QCOMPARE(stripped.text, text);
        QCOMPARE(stripped.underlined, underlined);
    }

    void underline_is_drawn_under_the_marked_character()
    {
        const QImage with = render_label({.text = "&S", .background = 0xFFFFFF});
        const QImage without = render_label({.text = "S", .background = 0xFFFFFF});
        const QRgb white = qRgb(255, 255, 255);
        QVERIFY(ink_pixels(with, with.rect(), white) > ink_pixels(without, without.rect(), white));
    }

    void line_breaks_on_one_line_and_in_multi_line_labels()
    {
        const QRgb white = qRgb(255, 255, 255);
        const QImage broken = render_label({.text = "AB\r\nCD", .background = 0xFFFFFF});
        QCOMPARE(broken, render_label({.text = "ABCD", .background = 0xFFFFFF}));
        const QImage lines = render_label({.text = "AB\r\nCD", .background = 0xFFFFFF, .valign = VAlign::bottom,
                                           .multi_line = true});
        // Two lines from the top edge, whatever the vertical alignment says.
        QVERIFY(ink_pixels(lines, {0, 0, 180, 14}, white) > 0);
        QVERIFY(ink_pixels(lines, {0, 14, 180, 14}, white) > 0);
        QCOMPARE(ink_pixels(lines, {0, 40, 180, 40}, white), 0);
    }

    void window_picture_modes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<uint>("expected");
        const QSize small(20, 10), wide(400, 100);
        QTest::newRow("natural: picture") << 0 << small << QPoint(5, 2) << uint(red);
        QTest::newRow("natural: colour around") << 0 << small << QPoint(50, 50) << uint(green);
        QTest::newRow("tiled: second column") << 1 << small << QPoint(25, 2) << uint(red);
        QTest::newRow("tiled: second row, bottom half") << 1 << small << QPoint(5, 17) << uint(blue);
        QTest::newRow("centred small: centre") << 2 << small << QPoint(100, 46) << uint(red);
        QTest::newRow("centred small: corner is colour") << 2 << small << QPoint(5, 5) << uint(green);
        QTest::newRow("centred wide: shrunk band") << 2 << wide << QPoint(100, 30) << uint(red);
        QTest::newRow("centred wide: above the band") << 2 << wide << QPoint(100, 20) << uint(green);
        QTest::newRow("stretched: top left") << 3 << small << QPoint(0, 0) << uint(red);
        QTest::newRow("stretched: bottom right") << 3 << small << QPoint(199, 99) << uint(blue);
        QTest::newRow("mode above 3 clamps to stretched") << 7 << small << QPoint(199, 99) << uint(blue);
    }
    void window_picture_modes()
    {
        QFETCH(int, mode);
        QFETCH(QSize, picture);
        QFETCH(QPoint, point);
        QFETCH(uint, expected);
        const auto bytes = two_tone_png(picture, qRgb(255, 0, 0), qRgb(0, 0, 255));
        const ScreenDefinition screen{
            .name = "PictureScreen",
            .window = {.caption = "t", .width = 206, .height = 128, .background = green, .picture_mode = mode},
            .controls = {},
            .handlers = {}};
        testing::Sim sim;
        load_screen(screen);
        set_property(Screen(sim.screen(screen)), window, Property::background_picture,
                     Picture{bytes.data(), bytes.size()});
        QCOMPARE(grab(sim, screen).pixel(point), rgb(Colour(expected)));
    }

    void picture_box_display_modes_clip_to_the_box_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<uint>("expected");
        // A tall 20 x 80 picture, red above blue, in a 40 x 20 box at (10, 10).
        QTest::newRow("natural: top rows only") << 0 << QPoint(15, 29) << uint(red);
        QTest::newRow("natural: box colour beside") << 0 << QPoint(45, 15) << uint(0xFFFFFF);
        QTest::newRow("natural: cut off below the box") << 0 << QPoint(15, 31) << uint(green);
        QTest::newRow("stretched: bottom half") << 1 << QPoint(45, 28) << uint(blue);
        QTest::newRow("centred: shrunk to the middle") << 2 << QPoint(30, 12) << uint(red);
        QTest::newRow("centred: box colour at the side") << 2 << QPoint(12, 20) << uint(0xFFFFFF);
    }
    void picture_box_display_modes_clip_to_the_box()
    {
        QFETCH(int, mode);
        QFETCH(QPoint, point);
        QFETCH(uint, expected);
        const auto bytes = two_tone_png({20, 80}, qRgb(255, 0, 0), qRgb(0, 0, 255));
        const ScreenDefinition screen{
            .name = "BoxScreen",
            .window = {.caption = "t", .width = 206, .height = 128, .background = green},
            .controls = {{Kind::图片框, box, {10, 10, 40, 20}, {.background = 0xFFFFFF, .display_mode = mode}}},
            .handlers = {}};
        testing::Sim sim;
        load_screen(screen);
        set_property(Screen(sim.screen(screen)), box, Property::background_picture,
                     Picture{bytes.data(), bytes.size()});
        QCOMPARE(grab(sim, screen).pixel(point), rgb(Colour(expected)));
    }

    void undecodable_picture_leaves_the_colour()
    {
        const unsigned char junk[] = {0xFF, 0xD8, 0xFF, 0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
        const ScreenDefinition screen{
            .name = "JunkScreen",
            .window = {.caption = "t", .width = 206, .height = 128, .background = green, .picture_mode = 3},
            .controls = {},
            .handlers = {}};
        testing::Sim sim;
        load_screen(screen);
        set_property(Screen(sim.screen(screen)), window, Property::background_picture, Picture{junk, sizeof junk});
        QCOMPARE(grab(sim, screen).pixel(100, 50), rgb(green));
    }

    void shorter_caption_on_a_transparent_label_leaves_no_trace()
    {
        const ScreenDefinition screen{
            .name = "TransparentScreen",
            .window = {.caption = "t", .width = 206, .height = 128, .background = green},
            .controls = {{Kind::透明标签, label, {10, 10, 180, 30}, {.text = "WWWWWWWWWWWWWWWW"}}},
            .handlers = {}};
        testing::Sim sim;
        load_screen(screen);
        QVERIFY(ink_pixels(grab(sim, screen), {60, 10, 130, 30}, rgb(green)) > 0);
        set_property(Screen(sim.screen(screen)), label, Property::caption, "W");
        const QImage after = grab(sim, screen);
        QCOMPARE(ink_pixels(after, {30, 10, 160, 30}, rgb(green)), 0);
        QVERIFY(ink_pixels(after, {10, 10, 20, 30}, rgb(green)) > 0);
    }

    void progress_position_is_clamped_data()
    {
        QTest::addColumn<qint64>("written");
        QTest::addColumn<int>("shown");
        QTest::newRow("inside the range") << qint64(50) << 50;
        QTest::newRow("above the range") << qint64(150) << 100;
        QTest::newRow("negative") << qint64(-5) << 0;
        QTest::newRow("above 32767") << qint64(40000) << 100;
        QTest::newRow("far below") << qint64(INT32_MIN) << 0;
    }
    void progress_position_is_clamped()
    {
        QFETCH(qint64, written);
        QFETCH(int, shown);
        QCOMPARE(clamp_progress(written, 0, 100), shown);
        // The stored value is clamped to 0..32767 before the range.
        QCOMPARE(clamp_progress(written, 0, 40000), int(std::clamp<qint64>(written, 0, 32767)));
    }
};

QTEST_MAIN(Drawing)
#include "test_drawing.moc"
