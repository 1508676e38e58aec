// The owner-drawn text boxes: the opaque label (frame, background picture, gradient or colour, then
// text) and the transparent label (text only, whatever lies beneath shows through).
#pragma once

#include <QWidget>

#include "screen_definition.h"

namespace rt {

class LabelWidget final : public QWidget {
public:
    LabelWidget(const ControlDefinition& record, QWidget* parent);

    void set_caption(const QString& caption);
    QString caption() const { return caption_; }
    void set_text_colour(Colour colour);
    void set_background(Colour colour);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void draw_frame(QPainter& painter, QRect& inside) const;
    void draw_background(QPainter& painter, const QRect& area) const;
    void draw_text(QPainter& painter, const QRect& area) const;

    const Look& look_;
    bool transparent_;
    QString caption_;
    Colour text_colour_;
    Colour background_;
};

}  // namespace rt
