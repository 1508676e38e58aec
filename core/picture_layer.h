// A picture as a window or picture box shows it: decoded once, scaled once for the area it is
// drawn in, and kept until the picture is written again, so repaints never decode or rescale.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QRect>

#include "toolkit.h"

class QPainter;

namespace rt {

enum class Layout {
    natural,         // natural size at the top-left corner
    tiled,           // natural size, repeated from the top-left corner
    centred_shrunk,  // centred; shrunk to fit keeping proportions, never enlarged
    stretched,       // exactly the area, proportions not kept
};

// Decodes a JPEG or PNG into an image; a null image when the bytes are no picture. A large JPEG
// that will be shown smaller is decoded at the smallest DCT scale still at least `shown` pixels.
QImage decode_picture(Picture picture, QSize shown = {});

class PictureLayer {
public:
    void set(Picture picture);
    bool empty() const { return picture_.size == 0; }
    // Draws the picture in `area`, clipped to it; nothing when it cannot be decoded.
    void paint(QPainter& painter, const QRect& area, Layout layout);

private:
    const QImage& decoded(QSize shown);

    Picture picture_;
    bool tried_ = false;
    QImage decoded_;
    QPixmap scaled_;
    QSize scaled_for_;
    qreal scaled_ratio_ = 0;
};

}  // namespace rt
