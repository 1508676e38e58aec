// Desktop icons and the program's own icon. They are shown small (56x56 and
// 32x32), so shapes are bold and few, and strokes stay at least a pixel wide
// at the size they are drawn.

#include "pictures.h"
#include "shapes.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace generator {

namespace {

// Draws `text` centred in `box` with a soft dark shadow, the way desktop icon
// captions are drawn over a wallpaper.
void caption(QPainter& painter, const QRectF& box, const QString& text, const QFont& font) {
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor(0, 0, 0, 130));
    painter.drawText(box.translated(0.8, 0.8), Qt::AlignCenter, text);
    painter.setPen(Qt::white);
    painter.drawText(box, Qt::AlignCenter, text);
    painter.restore();
}

}  // namespace

// A white tile with a big thin U and the tool's name in orange.
QImage paint_icon_usb_tool() {
    const int w = 179, h = 181;
    QImage image = canvas(w, h, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Thin, but still over a pixel wide when the tile is shown at 32x32.
    QPainterPath u;
    u.moveTo(52, 18);
    u.lineTo(52, 78);
    u.cubicTo(52, 103, 67, 117, 89.5, 117);
    u.cubicTo(112, 117, 127, 103, 127, 78);
    u.lineTo(127, 18);
    p.strokePath(u, QPen(QColor(20, 20, 20), 8.0, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));

    const QString name = QStringLiteral("Vodidu");
    p.setFont(fitted_font(cjk_font(44, QFont::Bold), name, 150));
    p.setPen(QColor(244, 118, 18));
    p.drawText(QRectF(0, 124, w, 50), Qt::AlignCenter, name);

    // A hairline edge so the white tile still reads as a tile on a white page.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(222, 222, 222));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
    p.end();
    return image;
}

// A spiral notepad and a pencil on the blue desktop, captioned 装机提示.
QImage paint_icon_install_notes() {
    const int w = 67, h = 76;
    QImage image = canvas(w, h, QColor(18, 96, 190));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient desk(0, 0, 0, h);
    desk.setColorAt(0.0, QColor(26, 110, 206));
    desk.setColorAt(1.0, QColor(14, 84, 172));
    p.fillRect(image.rect(), desk);

    // The pad, with a shadow so it lifts off the background.
    const QRectF pad(13.5, 7.5, 36, 43);
    p.fillRect(pad.translated(1.5, 1.5), QColor(0, 20, 60, 110));
    QLinearGradient paper(pad.topLeft(), pad.bottomRight());
    paper.setColorAt(0.0, QColor(255, 252, 232));
    paper.setColorAt(1.0, QColor(240, 232, 200));
    p.fillRect(pad, paper);
    p.setPen(QPen(QColor(150, 140, 110), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(pad);

    // Ruled lines and a red margin.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(120, 170, 225));
    for (int y = 19; y <= 46; y += 5) p.drawLine(18, y, 48, y);
    p.setPen(QColor(225, 90, 90));
    p.drawLine(20, 12, 20, 49);
    p.setRenderHint(QPainter::Antialiasing);

    // Spiral rings over the top edge.
    p.setPen(QPen(QColor(70, 74, 84), 1.6));
    for (int i = 0; i < 6; ++i) {
        const double x = 17.5 + i * 5.6;
        p.drawArc(QRectF(x - 2, 4.5, 4, 6), 0, 180 * 16);
        p.drawLine(QPointF(x + 2, 7.5), QPointF(x + 2, 10));
    }

    // The pencil lies across the pad, tip down to the left.
    p.save();
    p.translate(30, 44);
    p.rotate(-52);
    const double length = 34, thick = 6.5;
    QPainterPath body;
    body.addRect(QRectF(8, -thick / 2, length - 14, thick));
    QLinearGradient barrel(0, -thick / 2, 0, thick / 2);
    barrel.setColorAt(0.0, QColor(255, 218, 80));
    barrel.setColorAt(0.5, QColor(250, 190, 30));
    barrel.setColorAt(1.0, QColor(214, 150, 10));
    p.fillPath(body, barrel);
    QPainterPath wood;
    wood.moveTo(0, 0);
    wood.lineTo(8, -thick / 2);
    wood.lineTo(8, thick / 2);
    wood.closeSubpath();
    p.fillPath(wood, QColor(238, 204, 150));
    QPainterPath lead;
    lead.moveTo(0, 0);
    lead.lineTo(3, -1.2);
    lead.lineTo(3, 1.2);
    lead.closeSubpath();
    p.fillPath(lead, QColor(50, 50, 56));
    p.fillRect(QRectF(length - 6, -thick / 2, 2.5, thick), QColor(180, 184, 192));  // ferrule
    p.fillRect(QRectF(length - 3.5, -thick / 2, 3.5, thick), QColor(240, 130, 140));  // eraser
    p.setPen(QPen(QColor(120, 80, 10, 160), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(8, -thick / 2, length - 8, thick));
    p.restore();

    caption(p, QRectF(0, 54, w, 20), QStringLiteral("装机提示"), cjk_font(13, QFont::Medium));
    p.end();
    return image;
}

// A silver disc marked ISO, on white.
QImage paint_icon_ghost_image() {
    const int size = 256;
    QImage image = canvas(size, size, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QPointF centre(128, 124);
    const double radius = 110;
    paint_glow(p, centre + QPointF(4, 8), radius + 14, QColor(40, 50, 70, 70));
    paint_disc(p, centre, radius);

    // The label, large enough to read at 56x56, with a light halo on the silver.
    const QString label = QStringLiteral("ISO");
    QFont font = latin_font(52, QFont::Black);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    QPainterPath text;
    const QFontMetricsF metrics(font);
    const double x = centre.x() - metrics.horizontalAdvance(label) / 2;
    text.addText(QPointF(x, centre.y() - radius * 0.40), font, label);
    p.strokePath(text, QPen(QColor(255, 255, 255, 220), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QLinearGradient ink(0, centre.y() - radius * 0.8, 0, centre.y() - radius * 0.4);
    ink.setColorAt(0.0, QColor(30, 80, 170));
    ink.setColorAt(1.0, QColor(14, 44, 110));
    p.fillPath(text, ink);
    p.end();
    return image;
}

// The forum's red seal: 墨舟 stacked inside a red frame, with the small
// flecks where a real stamp's ink does not take.
QImage paint_icon_forum_client() {
    const int w = 358, h = 376;
    QImage image = canvas(w, h, Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QColor ink(200, 22, 30);
    const QRectF frame(30, 28, w - 60, h - 56);
    p.setPen(QPen(ink, 18, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(frame, 10, 10);

    p.setPen(ink);
    p.setFont(cjk_serif_font(150, QFont::Black));
    p.drawText(QRectF(frame.left(), frame.top() + 6, frame.width(), frame.height() / 2), Qt::AlignCenter,
               QStringLiteral("墨"));
    p.drawText(QRectF(frame.left(), frame.center().y() - 10, frame.width(), frame.height() / 2), Qt::AlignCenter,
               QStringLiteral("舟"));

    Noise noise(0x5ea1);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 420; ++i) {
        const QPointF at(noise.range(frame.left() - 10, frame.right() + 10), noise.range(frame.top() - 10, frame.bottom() + 10));
        const double r = noise.range(0.6, 2.4);
        p.drawEllipse(at, r, r * noise.range(0.6, 1.2));
    }
    p.end();
    return image;
}

// A glowing blue globe with white land and an orbit, on teal-blue.
QImage paint_icon_browser() {
    const int size = 76;
    QImage image = canvas(size, size, QColor(0, 128, 160));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, 0, size);
    background.setColorAt(0.0, QColor(10, 150, 182));
    background.setColorAt(1.0, QColor(0, 104, 146));
    p.fillRect(image.rect(), background);

    const QPointF centre(38, 38);
    const double radius = 24;
    paint_glow(p, centre, 38, QColor(170, 240, 255, 170));

    // The orbit is drawn whole behind the globe, and its front half again on top.
    const double tilt = -24;
    QPainterPath orbit;
    orbit.addEllipse(QPointF(0, 0), 34, 10.5);
    auto draw_orbit = [&](bool front_only) {
        p.save();
        p.translate(centre);
        p.rotate(tilt);
        if (front_only) p.setClipRect(QRectF(-40, 0, 80, 20));
        p.strokePath(orbit, QPen(QColor(255, 255, 255, front_only ? 255 : 150), 2.4));
        p.restore();
    };
    draw_orbit(false);

    QPainterPath globe;
    globe.addEllipse(centre, radius, radius);
    QRadialGradient sea(centre + QPointF(-8, -9), radius * 1.5);
    sea.setColorAt(0.0, QColor(170, 236, 255));
    sea.setColorAt(0.45, QColor(40, 150, 240));
    sea.setColorAt(1.0, QColor(0, 60, 170));
    p.fillPath(globe, sea);

    // Made-up land masses, kept chunky so they survive scaling down.
    p.save();
    p.setClipPath(globe);
    QPainterPath land;
    land.moveTo(20, 24);
    land.cubicTo(24, 16, 36, 14, 42, 19);
    land.cubicTo(46, 22, 40, 27, 36, 28);
    land.cubicTo(33, 30, 36, 36, 31, 40);
    land.cubicTo(28, 43, 26, 50, 22, 49);
    land.cubicTo(17, 46, 15, 32, 20, 24);
    land.moveTo(44, 33);
    land.cubicTo(50, 30, 58, 34, 60, 41);
    land.cubicTo(61, 48, 55, 55, 49, 56);
    land.cubicTo(45, 57, 46, 50, 43, 46);
    land.cubicTo(40, 42, 40, 35, 44, 33);
    land.addEllipse(QPointF(50, 22), 3.2, 2.2);
    p.fillPath(land, QColor(255, 255, 255, 235));
    QRadialGradient shade(centre + QPointF(-6, -8), radius * 1.6);
    shade.setColorAt(0.55, QColor(0, 30, 110, 0));
    shade.setColorAt(1.0, QColor(0, 30, 110, 150));
    p.fillPath(globe, shade);
    p.restore();

    // A glint where the light catches the upper left.
    QRadialGradient shine(centre + QPointF(-9, -11), 13);
    shine.setColorAt(0.0, QColor(255, 255, 255, 170));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillPath(globe, shine);
    p.strokePath(globe, QPen(QColor(200, 245, 255, 200), 1.2));

    draw_orbit(true);
    p.end();
    return image;
}

// A setup program's file on the PE desktop: a page with a folded corner and a
// disc, and a file name too small to read.
QImage paint_icon_system_installer() {
    const int w = 61, h = 66;
    QImage image = canvas(w, h, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const double left = 13.5, top = 2.5, right = 47.5, bottom = 46.5, fold = 10;
    QPainterPath page;
    page.moveTo(left, top);
    page.lineTo(right - fold, top);
    page.lineTo(right, top + fold);
    page.lineTo(right, bottom);
    page.lineTo(left, bottom);
    page.closeSubpath();
    QLinearGradient paper(left, top, right, bottom);
    paper.setColorAt(0.0, Qt::white);
    paper.setColorAt(1.0, QColor(226, 230, 236));
    p.fillPath(page, paper);
    p.strokePath(page, QPen(QColor(160, 166, 176), 1.0));

    QPainterPath corner;
    corner.moveTo(right - fold, top);
    corner.lineTo(right - fold, top + fold);
    corner.lineTo(right, top + fold);
    corner.closeSubpath();
    p.fillPath(corner, QColor(200, 206, 216));
    p.strokePath(corner, QPen(QColor(150, 156, 168), 1.0));

    paint_disc(p, QPointF(30.5, 28.5), 12.5);

    p.setFont(cjk_font(7.0));
    p.setPen(QColor(235, 235, 235));
    p.drawText(QRectF(0, 49, w, 16), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("装系统_x64.exe"));
    p.end();
    return image;
}

// The program's icon: the outline of a toy horse on a wheeled platform.
// Everything is a vector path on a 128-unit grid so one drawing serves every
// size; strokes are kept at least about a pixel wide at 16x16.
QImage paint_program_icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double scale = size / 128.0;
    p.scale(scale, scale);
    auto stroke = [scale](double width) { return std::max(width, 1.1 / scale); };

    const QColor orange(246, 128, 22);
    const QColor brown(122, 66, 28);
    const QColor dark(44, 46, 56);

    // Platform and wheels.
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawRoundedRect(QRectF(20, 89, 88, 11), 4, 4);
    for (double x : {36.0, 64.0, 92.0}) {
        p.setBrush(dark);
        p.drawEllipse(QPointF(x, 106), 10, 10);
        p.setBrush(QColor(170, 174, 186));
        p.drawEllipse(QPointF(x, 106), 3.6, 3.6);
    }

    // The tail, behind the outline.
    QPainterPath tail;
    tail.moveTo(37, 52);
    tail.cubicTo(25, 50, 17, 60, 19, 78);
    tail.cubicTo(23, 72, 26, 66, 33, 63);
    tail.closeSubpath();
    p.fillPath(tail, brown);
    // Legs first, so the body outline covers their tops.
    const QPen leg_pen(orange, stroke(5.5), Qt::SolidLine, Qt::RoundCap);
    p.setPen(leg_pen);
    p.drawLine(QPointF(44, 68), QPointF(41, 89));
    p.drawLine(QPointF(53, 70), QPointF(55, 89));
    p.drawLine(QPointF(79, 70), QPointF(77, 89));
    p.drawLine(QPointF(87, 66), QPointF(90, 89));

    QPainterPath horse;
    horse.moveTo(35, 56);
    horse.cubicTo(35, 49, 43, 47, 52, 48);
    horse.lineTo(72, 48);
    horse.cubicTo(79, 46, 84, 38, 86, 30);
    horse.lineTo(88, 21);  // back of the ear
    horse.lineTo(92, 15);  // ear tip
    horse.lineTo(95, 23);
    horse.cubicTo(101, 26, 107, 32, 110, 39);
    horse.cubicTo(112, 43, 110, 47, 105, 47);
    horse.cubicTo(100, 47, 97, 45, 94, 43);
    horse.cubicTo(92, 50, 90, 56, 89, 62);
    horse.cubicTo(88, 68, 83, 72, 77, 72);
    horse.lineTo(47, 72);
    horse.cubicTo(39, 72, 35, 66, 35, 56);
    horse.closeSubpath();
    p.fillPath(horse, QColor(255, 243, 226));
    p.strokePath(horse, QPen(orange, stroke(5.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    // The mane lies over the back of the neck in three tufts, ending in a
    // forelock between the ears.
    QPainterPath mane;
    mane.moveTo(70, 51);
    mane.lineTo(64, 45);
    mane.lineTo(70, 43);
    mane.lineTo(66, 36);
    mane.lineTo(73, 35);
    mane.lineTo(71, 27);
    mane.lineTo(78, 27);
    mane.lineTo(80, 19);
    mane.lineTo(88, 20);
    mane.lineTo(93, 26);
    mane.lineTo(89, 27);
    mane.cubicTo(86, 36, 82, 44, 76, 50);
    mane.closeSubpath();
    p.fillPath(mane, brown);

    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawEllipse(QPointF(99, 32), 2.6, 2.6);
    p.end();
    return image;
}

}  // namespace generator
