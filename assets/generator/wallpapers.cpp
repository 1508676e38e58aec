// The two desktop wallpapers: the one the learner's machine starts with and
// the one a freshly installed system greets them with.

#include "pictures.h"
#include "shapes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace generator {

namespace {

constexpr double pi = 3.14159265358979323846;

// A darkening towards the edges, so the eye settles on the middle.
void paint_vignette(QPainter& painter, const QRectF& area, QPointF centre, int strength) {
    QRadialGradient vignette(centre, std::hypot(area.width(), area.height()) * 0.62);
    vignette.setColorAt(0.0, QColor(0, 0, 0, 0));
    vignette.setColorAt(0.55, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 8, 30, strength));
    painter.fillRect(area, vignette);
}

// Convex hull (monotone chain) of a handful of points.
QPolygonF convex_hull(std::vector<QPointF> points) {
    std::sort(points.begin(), points.end(),
              [](QPointF a, QPointF b) { return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y()); });
    auto cross = [](QPointF o, QPointF a, QPointF b) {
        return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
    };
    std::vector<QPointF> hull(points.size() * 2);
    std::size_t k = 0;
    for (const QPointF& p : points) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], p) <= 0) --k;
        hull[k++] = p;
    }
    for (std::size_t i = points.size() - 1, lower = k + 1; i-- > 0;) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i]) <= 0) --k;
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return QPolygonF(QList<QPointF>(hull.begin(), hull.end()));
}

}  // namespace

// A bright blue desktop lit from the lower left, light streaks sweeping up
// through it and a waving four-colour window in the middle.
QImage paint_wallpaper_initial() {
    const int w = 1920, h = 1200;
    QImage image = canvas(w, h, QColor(6, 50, 140));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The light source sits just beyond the lower-left corner.
    QRadialGradient sky(QPointF(w * 0.06, h * 1.05), w * 1.15);
    sky.setColorAt(0.00, QColor(150, 226, 255));
    sky.setColorAt(0.16, QColor(58, 172, 246));
    sky.setColorAt(0.42, QColor(20, 112, 218));
    sky.setColorAt(0.72, QColor(8, 70, 176));
    sky.setColorAt(1.00, QColor(4, 42, 126));
    p.fillRect(image.rect(), sky);

    // The bloom of the light source itself.
    paint_glow(p, QPointF(w * 0.02, h * 1.0), w * 0.42, h * 0.5, QColor(210, 245, 255, 150));

    // Broad, faint ribbons of light behind everything else give the depth.
    for (int i = 0; i < 3; ++i) {
        const double lift = i * 0.11;
        QPainterPath ribbon;
        ribbon.moveTo(-40, h * (0.92 - lift));
        ribbon.cubicTo(w * 0.30, h * (0.82 - lift), w * 0.52, h * (0.30 - lift * 0.6), w + 40, h * (0.18 - lift * 0.9));
        ribbon.lineTo(w + 40, h * (0.30 - lift * 0.9));
        ribbon.cubicTo(w * 0.56, h * (0.44 - lift * 0.6), w * 0.30, h * (0.98 - lift), -40, h * (1.10 - lift));
        ribbon.closeSubpath();
        QLinearGradient fade(0, h, w, 0);
        fade.setColorAt(0.0, QColor(255, 255, 255, 46 - i * 10));
        fade.setColorAt(0.5, QColor(200, 240, 255, 26 - i * 6));
        fade.setColorAt(1.0, QColor(200, 240, 255, 0));
        p.fillPath(ribbon, fade);
    }

    // Thin white and green streaks sweeping up from the light source.
    struct Streak {
        double start_y, c1x, c1y, c2x, c2y, end_y, width;
        QColor colour;
    };
    const QColor white(255, 255, 255);
    const QColor green(150, 240, 110);
    const Streak streaks[] = {
        {1.02, 0.28, 0.86, 0.50, 0.40, 0.10, 2.2, white},
        {0.96, 0.30, 0.80, 0.55, 0.34, 0.02, 1.4, green},
        {1.08, 0.34, 0.90, 0.58, 0.48, 0.22, 1.8, white},
        {0.90, 0.24, 0.72, 0.46, 0.30, -0.04, 1.1, white},
        {1.12, 0.40, 0.96, 0.62, 0.56, 0.30, 2.6, green},
        {1.00, 0.26, 0.92, 0.60, 0.62, 0.40, 1.2, white},
        {0.84, 0.20, 0.62, 0.40, 0.20, -0.10, 1.6, green},
        {1.16, 0.46, 1.00, 0.70, 0.66, 0.50, 1.3, white},
    };
    for (const Streak& s : streaks) {
        QPainterPath path;
        path.moveTo(-60, h * s.start_y);
        path.cubicTo(w * s.c1x, h * s.c1y, w * s.c2x, h * s.c2y, w + 60, h * s.end_y);
        paint_light_streak(p, path, s.colour, s.width);
    }

    // The window: a cloth of four panes waving on the wind. The wave runs along
    // u; the panes bunch up slightly where the cloth turns away.
    const QPointF centre(w * 0.5, h * 0.46);
    const double fw = 540, fh = 470;
    const SurfaceMap flag = [&](double u, double v) {
        const double x = centre.x() - fw / 2 + fw * (u - 0.05 * std::sin(2 * pi * u)) + fw * 0.07 * (v - 0.5);
        const double stretch = 1.0 + 0.06 * std::cos(pi * (u - 0.15));
        const double y = centre.y() + fh * (v - 0.5) * stretch - fh * 0.085 * std::sin(pi * (1.4 * u - 0.2));
        return QPointF(x, y);
    };

    paint_glow(p, centre, 560, 430, QColor(255, 255, 255, 95));
    paint_glow(p, centre, 320, QColor(220, 245, 255, 70));

    // A trail of small tiles blown off the trailing edge: nearest ones keep
    // their pane's colour, farther ones fade towards white light.
    Noise noise(2009);
    const auto colours = flag_colours();
    for (int column = 1; column <= 7; ++column) {
        const double size = 0.085 - column * 0.0075;
        const double u = -column * 0.11 - 0.02;
        for (int row = 0; row < 6; ++row) {
            if (noise.unit() < 0.35 + column * 0.06) continue;
            const double v = 0.08 + row * 0.16 + noise.range(-0.03, 0.03);
            const QColor& c = colours[v < 0.5 ? 0 : 2].light;
            // Semi-transparent orange over blue turns muddy, so the colour
            // turns to white light before the tile starts to fade out.
            const double whiten = std::min(0.9, (column - 1) * 0.2);
            const int alpha = std::min(255, 300 - column * 38);
            const QColor tile(static_cast<int>(c.red() + (255 - c.red()) * whiten),
                              static_cast<int>(c.green() + (255 - c.green()) * whiten),
                              static_cast<int>(c.blue() + (255 - c.blue()) * whiten), alpha);
            p.fillPath(surface_patch(flag, QRectF(u, v, size, size * 1.1), 4), tile);
        }
    }

    paint_four_panes(p, flag, 0.04, colours, 2.0);

    paint_vignette(p, image.rect(), QPointF(w * 0.42, h * 0.6), 90);
    p.end();
    return image;
}

// A deep blue room: light pours through a glowing window, seen slightly from
// the side, and its beams converge on the window from the left.
QImage paint_wallpaper_installed() {
    const int w = 3840, h = 2160;
    QImage image = canvas(w, h, QColor(1, 8, 36));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // The window's corners: its left edge is nearer and so a little taller.
    const QPointF q0(w * 0.560, h * 0.255), q1(w * 0.745, h * 0.290);
    const QPointF q2(w * 0.745, h * 0.700), q3(w * 0.560, h * 0.745);
    const SurfaceMap window = perspective_map(q0, q1, q2, q3);
    const QPointF centre = window(0.5, 0.5);

    QRadialGradient room(centre, w * 0.75);
    room.setColorAt(0.00, QColor(16, 76, 170));
    room.setColorAt(0.25, QColor(8, 44, 120));
    room.setColorAt(0.60, QColor(3, 20, 70));
    room.setColorAt(1.00, QColor(1, 8, 34));
    p.fillRect(image.rect(), room);

    // The light comes from a point behind the window; each pane throws a beam
    // out towards the viewer, and the window cross leaves dark wedges between.
    const QPointF source(w * 0.95, h * 0.50);
    const auto rects = pane_rects(0.05);
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    for (const QRectF& r : rects) {
        std::vector<QPointF> corners;
        const QPointF near_corners[] = {window(r.left(), r.top()), window(r.right(), r.top()),
                                        window(r.right(), r.bottom()), window(r.left(), r.bottom())};
        const double reach = 5.0;
        for (const QPointF& c : near_corners) {
            corners.push_back(c);
            corners.push_back(source + (c - source) * reach);
        }
        const QPointF from = window(r.center().x(), r.center().y());
        const QPointF to = source + (from - source) * reach;
        QLinearGradient beam(from, to);
        beam.setColorAt(0.00, QColor(70, 150, 255, 150));
        beam.setColorAt(0.12, QColor(40, 110, 230, 90));
        beam.setColorAt(0.45, QColor(20, 70, 190, 36));
        beam.setColorAt(1.00, QColor(10, 40, 150, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(beam);
        p.drawPolygon(convex_hull(corners));
    }

    // Light scattered in the room around the window.
    paint_glow(p, centre, w * 0.30, h * 0.42, QColor(40, 120, 255, 120));
    paint_glow(p, centre, w * 0.12, QColor(120, 200, 255, 110));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    // The window itself: glowing glass, brightest where the source shines
    // straight through, with a thin white rim on every pane.
    for (const QRectF& r : rects) {
        const QPainterPath pane = surface_patch(window, r, 8);
        QRadialGradient glass(window(0.62, 0.48), w * 0.16);
        glass.setColorAt(0.0, QColor(235, 248, 255));
        glass.setColorAt(0.35, QColor(150, 210, 255));
        glass.setColorAt(1.0, QColor(30, 120, 240));
        p.fillPath(pane, glass);
        QLinearGradient sheen(window(r.left(), r.top()), window(r.right(), r.bottom()));
        sheen.setColorAt(0.0, QColor(255, 255, 255, 90));
        sheen.setColorAt(0.6, QColor(255, 255, 255, 0));
        p.fillPath(pane, sheen);
        p.strokePath(pane, QPen(QColor(255, 255, 255, 200), 3.0));
    }

    // A faint reflection on the floor below.
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    paint_glow(p, QPointF(centre.x() - w * 0.05, h * 0.86), w * 0.36, h * 0.05, QColor(30, 90, 220, 60));
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    paint_vignette(p, image.rect(), centre, 120);
    p.end();
    return image;
}

}  // namespace generator
