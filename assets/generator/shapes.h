// Drawing helpers shared by several pictures: fonts, the four-pane window
// emblem, soft light, optical discs and a reproducible noise source.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>

#include <array>
#include <cstdint>
#include <functional>

class QPainter;

namespace generator {

// A blank canvas every picture starts from: premultiplied ARGB (QPainter's
// fast path), filled with `fill`.
QImage canvas(int width, int height, const QColor& fill);

// ---- fonts -------------------------------------------------------------

// Noto Sans CJK SC, which also carries the Latin letters of the Chinese UI.
QFont cjk_font(double pixel_size, QFont::Weight weight = QFont::Normal);
// Seal-style CJK (Noto Serif CJK SC).
QFont cjk_serif_font(double pixel_size, QFont::Weight weight = QFont::Bold);
// A thin Latin sans (DejaVu Sans ExtraLight) for large, airy titles.
QFont thin_latin_font(double pixel_size);
// Regular Latin sans (DejaVu Sans).
QFont latin_font(double pixel_size, QFont::Weight weight = QFont::Normal);
// `font`, made smaller if needed so that `text` fits in `max_width` pixels.
QFont fitted_font(QFont font, const QString& text, double max_width);

// ---- surfaces and the four-pane window ------------------------------------

// Maps the unit square (u right, v down) onto the picture. Flat, perspective
// and waving windows are all just different maps.
using SurfaceMap = std::function<QPointF(double u, double v)>;

// The outline of the patch [u0,u1]x[v0,v1] of a surface, sampled finely enough
// that a curved map gives smooth edges.
QPainterPath surface_patch(const SurfaceMap& map, const QRectF& uv, int steps_per_edge = 24);

// The uv rectangles of the four panes, in the order top-left, top-right,
// bottom-left, bottom-right; `gap` is the width of the cross between them.
std::array<QRectF, 4> pane_rects(double gap);

// A flat map of the unit square onto the quad p0 (top-left), p1 (top-right),
// p2 (bottom-right), p3 (bottom-left) in true perspective.
SurfaceMap perspective_map(QPointF p0, QPointF p1, QPointF p2, QPointF p3);

// The classic window colours, each as a {light, deep} pair.
struct PaneColours {
    QColor light;
    QColor deep;
};
std::array<PaneColours, 4> flag_colours();

// Paints four glossy panes on `map`: a gradient from each pane's light colour
// to its deep one, a soft sheen on the upper part and a thin bright rim.
void paint_four_panes(QPainter& painter, const SurfaceMap& map, double gap,
                      const std::array<PaneColours, 4>& colours, double rim_width);

// ---- light ---------------------------------------------------------------

// A soft round glow fading from `colour` in the centre to nothing at `radius`.
void paint_glow(QPainter& painter, QPointF centre, double radius, QColor colour);
// The same, squashed into an ellipse.
void paint_glow(QPainter& painter, QPointF centre, double radius_x, double radius_y, QColor colour);

// A thin streak of light along `path`: a wide faint halo, a narrower band and a
// bright core, so it reads as light and not as a painted line.
void paint_light_streak(QPainter& painter, const QPainterPath& path, QColor colour, double core_width);

// ---- objects ---------------------------------------------------------------

// A silver optical disc with a centre hole and a faint rainbow sheen.
void paint_disc(QPainter& painter, QPointF centre, double radius);

// The usual arrow mouse pointer, its tip at `tip`; `scale` 1 is 12x19 pixels.
void paint_mouse_pointer(QPainter& painter, QPointF tip, double scale = 1.0);

// ---- noise -------------------------------------------------------------------

// A small PRNG with a fixed seed: the same picture must come out byte for
// byte on every run, so nothing may depend on time or std:: distributions
// (whose algorithms differ between standard libraries).
class Noise {
public:
    explicit Noise(std::uint64_t seed) : state_(seed ? seed : 0x9e3779b97f4a7c15ULL) {}
    std::uint64_t next();
    // Uniform in [0, 1).
    double unit();
    // Uniform in [low, high).
    double range(double low, double high) { return low + (high - low) * unit(); }

private:
    std::uint64_t state_;
};

}  // namespace generator
