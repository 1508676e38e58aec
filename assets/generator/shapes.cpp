#include "shapes.h"

#include <QConicalGradient>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <cmath>

namespace generator {

QImage canvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

// ---- fonts -------------------------------------------------------------

namespace {

QFont make_font(const QString& family, double pixel_size, QFont::Weight weight) {
    QFont font(family);
    font.setPixelSize(qMax(1, qRound(pixel_size)));
    font.setWeight(weight);
    // Pictures are scaled afterwards, so outlines matter more than pixel grids.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace

QFont cjk_font(double pixel_size, QFont::Weight weight) {
    return make_font(QStringLiteral("Noto Sans CJK SC"), pixel_size, weight);
}

QFont cjk_serif_font(double pixel_size, QFont::Weight weight) {
    return make_font(QStringLiteral("Noto Serif CJK SC"), pixel_size, weight);
}

QFont thin_latin_font(double pixel_size) {
    QFont font = make_font(QStringLiteral("DejaVu Sans"), pixel_size, QFont::ExtraLight);
    font.setStyleName(QStringLiteral("ExtraLight"));
    return font;
}

QFont latin_font(double pixel_size, QFont::Weight weight) {
    return make_font(QStringLiteral("DejaVu Sans"), pixel_size, weight);
}

QFont fitted_font(QFont font, const QString& text, double max_width) {
    while (font.pixelSize() > 4 && QFontMetricsF(font).horizontalAdvance(text) > max_width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

// ---- surfaces and the four-pane window ------------------------------------

QPainterPath surface_patch(const SurfaceMap& map, const QRectF& uv, int steps) {
    QPainterPath path;
    const double u0 = uv.left(), u1 = uv.right(), v0 = uv.top(), v1 = uv.bottom();
    path.moveTo(map(u0, v0));
    for (int i = 1; i <= steps; ++i) path.lineTo(map(u0 + (u1 - u0) * i / steps, v0));
    for (int i = 1; i <= steps; ++i) path.lineTo(map(u1, v0 + (v1 - v0) * i / steps));
    for (int i = 1; i <= steps; ++i) path.lineTo(map(u1 - (u1 - u0) * i / steps, v1));
    for (int i = 1; i < steps; ++i) path.lineTo(map(u0, v1 - (v1 - v0) * i / steps));
    path.closeSubpath();
    return path;
}

std::array<QRectF, 4> pane_rects(double gap) {
    const double half = 0.5 - gap / 2;
    const double far = 0.5 + gap / 2;
    return {QRectF(0, 0, half, half), QRectF(far, 0, half, half), QRectF(0, far, half, half),
            QRectF(far, far, half, half)};
}

SurfaceMap perspective_map(QPointF p0, QPointF p1, QPointF p2, QPointF p3) {
    QTransform transform;
    QTransform::squareToQuad(QPolygonF({p0, p1, p2, p3}), transform);
    return [transform](double u, double v) { return transform.map(QPointF(u, v)); };
}

std::array<PaneColours, 4> flag_colours() {
    return {{
        {QColor(255, 138, 52), QColor(232, 70, 18)},   // orange
        {QColor(168, 224, 58), QColor(92, 170, 16)},   // green
        {QColor(84, 196, 255), QColor(10, 120, 222)},  // blue
        {QColor(255, 226, 76), QColor(250, 176, 0)},   // yellow
    }};
}

void paint_four_panes(QPainter& painter, const SurfaceMap& map, double gap,
                      const std::array<PaneColours, 4>& colours, double rim_width) {
    const auto rects = pane_rects(gap);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const QRectF& r = rects[i];
        const QPainterPath pane = surface_patch(map, r);

        // Light falls from the upper left, so each pane darkens towards its lower right.
        QLinearGradient body(map(r.left(), r.top()), map(r.right(), r.bottom()));
        body.setColorAt(0.0, colours[i].light);
        body.setColorAt(1.0, colours[i].deep);
        painter.fillPath(pane, body);

        // A sheen across the upper half gives the pane a glassy curve.
        const QRectF upper(r.left(), r.top(), r.width(), r.height() * 0.55);
        QLinearGradient sheen(map(r.center().x(), r.top()), map(r.center().x(), upper.bottom()));
        sheen.setColorAt(0.0, QColor(255, 255, 255, 120));
        sheen.setColorAt(1.0, QColor(255, 255, 255, 0));
        painter.fillPath(surface_patch(map, upper), sheen);

        if (rim_width > 0) {
            QLinearGradient rim(map(r.left(), r.top()), map(r.right(), r.bottom()));
            rim.setColorAt(0.0, QColor(255, 255, 255, 200));
            rim.setColorAt(1.0, QColor(255, 255, 255, 60));
            painter.strokePath(pane, QPen(QBrush(rim), rim_width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        }
    }
    painter.restore();
}

// ---- light ---------------------------------------------------------------

void paint_glow(QPainter& painter, QPointF centre, double radius, QColor colour) {
    // A Gaussian-like falloff, sampled into stops: a linear ramp would show a
    // visible cone edge on large smooth backgrounds.
    QRadialGradient gradient(centre, radius);
    const double floor = std::exp(-4.0);
    for (int i = 0; i <= 12; ++i) {
        const double t = i / 12.0;
        const double weight = (std::exp(-4.0 * t * t) - floor) / (1.0 - floor);
        QColor c = colour;
        c.setAlphaF(static_cast<float>(colour.alphaF() * weight));
        gradient.setColorAt(t, c);
    }
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(gradient);
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}

void paint_glow(QPainter& painter, QPointF centre, double radius_x, double radius_y, QColor colour) {
    painter.save();
    painter.translate(centre);
    painter.scale(1.0, radius_y / radius_x);
    paint_glow(painter, QPointF(0, 0), radius_x, colour);
    painter.restore();
}

void paint_light_streak(QPainter& painter, const QPainterPath& path, QColor colour, double core_width) {
    // The streak fades in and out along its length.
    auto along = [&](QColor c, double alpha) {
        QLinearGradient gradient(path.pointAtPercent(0.0), path.pointAtPercent(1.0));
        QColor clear = c;
        clear.setAlpha(0);
        c.setAlphaF(static_cast<float>(alpha));
        gradient.setColorAt(0.0, clear);
        gradient.setColorAt(0.3, c);
        gradient.setColorAt(0.7, c);
        gradient.setColorAt(1.0, clear);
        return QBrush(gradient);
    };
    const QColor core = QColor::fromRgbF(static_cast<float>(0.5 + colour.redF() / 2),
                                         static_cast<float>(0.5 + colour.greenF() / 2),
                                         static_cast<float>(0.5 + colour.blueF() / 2));
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(along(colour, 0.06), core_width * 12, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(path);
    painter.setPen(QPen(along(colour, 0.18), core_width * 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(path);
    painter.setPen(QPen(along(core, 0.85), core_width, Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(path);
    painter.restore();
}

// ---- objects ---------------------------------------------------------------

void paint_disc(QPainter& painter, QPointF centre, double radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    const double hole = radius * 0.13;
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    disc.addEllipse(centre, hole, hole);  // odd-even fill leaves the hole open
    disc.setFillRule(Qt::OddEvenFill);

    // Brushed silver: a conical sweep of light and dark greys, with faint
    // rainbow tints where the recording surface catches the light.
    QConicalGradient silver(centre, 35);
    const QColor stops[] = {
        QColor(246, 247, 250), QColor(196, 200, 208), QColor(236, 226, 244), QColor(170, 176, 186),
        QColor(250, 250, 252), QColor(200, 226, 236), QColor(178, 182, 192), QColor(242, 238, 222),
    };
    for (int i = 0; i < 8; ++i) silver.setColorAt(i / 8.0, stops[i]);
    silver.setColorAt(1.0, stops[0]);
    painter.fillPath(disc, silver);

    // Depth: slightly darker towards the rim.
    QRadialGradient depth(centre, radius);
    depth.setColorAt(0.0, QColor(255, 255, 255, 0));
    depth.setColorAt(0.8, QColor(255, 255, 255, 0));
    depth.setColorAt(1.0, QColor(90, 96, 110, 70));
    painter.fillPath(disc, depth);

    // Faint data tracks.
    painter.setBrush(Qt::NoBrush);
    for (double r = radius * 0.42; r < radius * 0.97; r += radius * 0.09) {
        painter.setPen(QPen(QColor(255, 255, 255, 70), qMax(0.6, radius * 0.008)));
        painter.drawEllipse(centre, r, r);
    }

    // The clear plastic hub around the hole.
    QPainterPath hub;
    hub.addEllipse(centre, radius * 0.34, radius * 0.34);
    hub.addEllipse(centre, hole, hole);
    hub.setFillRule(Qt::OddEvenFill);
    painter.fillPath(hub, QColor(228, 232, 238, 210));
    painter.setPen(QPen(QColor(150, 156, 168), qMax(0.8, radius * 0.012)));
    painter.drawEllipse(centre, radius * 0.34, radius * 0.34);
    painter.drawEllipse(centre, radius * 0.22, radius * 0.22);
    painter.drawEllipse(centre, hole, hole);

    painter.setPen(QPen(QColor(140, 146, 158), qMax(0.8, radius * 0.015)));
    painter.drawEllipse(centre, radius, radius);
    painter.restore();
}

void paint_mouse_pointer(QPainter& painter, QPointF tip, double scale) {
    const QPolygonF arrow({QPointF(0, 0), QPointF(0, 16), QPointF(4, 12.5), QPointF(6.8, 18.6), QPointF(9.2, 17.5),
                           QPointF(6.5, 11.5), QPointF(11.5, 11.5)});
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(tip);
    painter.scale(scale, scale);
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawPolygon(arrow);
    painter.restore();
}

// ---- noise -------------------------------------------------------------------

std::uint64_t Noise::next() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

double Noise::unit() {
    return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0);
}

}  // namespace generator
