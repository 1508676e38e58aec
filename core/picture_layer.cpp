#include "picture_layer.h"

#include <QPainter>

#include "picture_decoder.h"

namespace rt {

QImage decode_picture(Picture picture, QSize shown)
{
    if (!picture.data || picture.size == 0) return {};
    auto image = picture::decode({picture.data, picture.size}, shown.width(), shown.height());
    if (!image) return {};
    // The decoder's pixels are already 0xAARRGGBB rows: the image takes them over without a copy.
    auto* pixels = new std::vector<std::uint32_t>(std::move(image->pixels));
    return QImage(reinterpret_cast<uchar*>(pixels->data()), image->width, image->height, image->width * 4,
                  image->has_alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32,
                  [](void* owned) { delete static_cast<std::vector<std::uint32_t>*>(owned); }, pixels);
}

void PictureLayer::set(Picture picture)
{
    picture_ = picture;
    tried_ = false;
    decoded_ = {};
    scaled_ = {};
    scaled_for_ = {};
}

const QImage& PictureLayer::decoded(QSize shown)
{
    if (!tried_) {
        tried_ = true;
        decoded_ = decode_picture(picture_, shown);
    }
    return decoded_;
}

namespace {

QSize shrunk_to_fit(QSize picture, QSize area)
{
    if (picture.width() <= area.width() && picture.height() <= area.height()) return picture;
    return picture.scaled(area, Qt::KeepAspectRatio);
}

}  // namespace

void PictureLayer::paint(QPainter& painter, const QRect& area, Layout layout)
{
    if (empty() || area.isEmpty()) return;
    const qreal ratio = painter.device()->devicePixelRatioF();
    const QSize device_area = (QSizeF(area.size()) * ratio).toSize();
    // Only a stretched picture knows its drawn size before it is decoded; the others are decoded
    // whole, since their natural size decides their layout.
    const QImage& image = decoded(layout == Layout::stretched ? device_area : QSize());
    if (image.isNull()) return;

    painter.save();
    painter.setClipRect(area);
    switch (layout) {
    case Layout::natural:
    case Layout::tiled: {
        // The natural size counts in the source's pixels, even when the image was decoded smaller.
        if (scaled_.isNull()) scaled_ = QPixmap::fromImage(image);
        if (layout == Layout::natural)
            painter.drawPixmap(area.topLeft(), scaled_);
        else
            painter.drawTiledPixmap(area, scaled_);
        break;
    }
    case Layout::centred_shrunk:
    case Layout::stretched: {
        const QSize size = layout == Layout::stretched ? area.size() : shrunk_to_fit(image.size(), area.size());
        if (scaled_for_ != size || scaled_ratio_ != ratio) {
            const QSize device_size = (QSizeF(size) * ratio).toSize();
            scaled_ = QPixmap::fromImage(image.size() == device_size
                ? image : image.scaled(device_size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
            scaled_.setDevicePixelRatio(ratio);
            scaled_for_ = size;
            scaled_ratio_ = ratio;
        }
        const QPoint at = area.topLeft()
            + QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2);
        painter.drawPixmap(at, scaled_);
        break;
    }
    }
    painter.restore();
}

}  // namespace rt
