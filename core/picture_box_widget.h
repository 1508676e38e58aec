// A picture box: its background colour, then its picture by display mode, clipped to the box.
// It can hold other controls, which lie on top of its drawing.
#pragma once

#include <QWidget>

#include "picture_layer.h"
#include "screen_definition.h"

namespace rt {

class PictureBoxWidget final : public QWidget {
public:
    PictureBoxWidget(const ControlDefinition& record, Picture picture, QWidget* parent);
    void set_picture(Picture picture);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    Colour background_;
    int display_mode_;
    PictureLayer picture_;
};

}  // namespace rt
