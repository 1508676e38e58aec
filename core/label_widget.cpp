#include "label_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "caption_layout.h"
#include "fonts.h"
#include "gradient.h"

namespace rt {

LabelWidget::LabelWidget(const ControlDefinition& record, QWidget* parent)
    : QWidget(parent), look_(record.look), transparent_(record.kind == Kind::透明标签),
      caption_(QString::fromUtf8(record.look.text.data(), static_cast<int>(record.look.text.size()))),
      text_colour_(record.look.text_colour), background_(record.look.background.value_or(button_face))
{
    setFont(make_font(look_.font));
    setAccessibleName(strip_mnemonics(caption_for_drawing(caption_, true)).text);
    // A transparent label paints only its text; Qt draws what lies beneath it first.
    if (!transparent_) setAttribute(Qt::WA_OpaquePaintEvent);
}

void LabelWidget::set_caption(const QString& caption)
{
    caption_ = caption;
    setAccessibleName(strip_mnemonics(caption_for_drawing(caption_, true)).text);
    update();
}

void LabelWidget::set_text_colour(Colour colour)
{
    text_colour_ = colour;
    update();
}

void LabelWidget::set_background(Colour colour)
{
    background_ = colour;
    update();
}

void LabelWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect inside = rect();
    if (!transparent_) {
        draw_frame(painter, inside);
        draw_background(painter, inside);
    }
    draw_text(painter, inside);
}

void LabelWidget::draw_frame(QPainter& painter, QRect& inside) const
{
    const Border border = look_.border.value_or(Border::none);
    const QColor light(255, 255, 255), shadow(160, 160, 160), dark(105, 105, 105), black(0, 0, 0);
    auto edge = [&](const QColor& top_left, const QColor& bottom_right) {
        painter.setPen(top_left);
        painter.drawLine(inside.topLeft(), inside.topRight());
        painter.drawLine(inside.topLeft(), inside.bottomLeft());
        painter.setPen(bottom_right);
        painter.drawLine(inside.bottomLeft(), inside.bottomRight());
        painter.drawLine(inside.topRight(), inside.bottomRight());
        inside.adjust(1, 1, -1, -1);
    };
    switch (border) {
    case Border::none:
        return;
    case Border::sunken:
        edge(shadow, light);
        edge(dark, to_qcolor(button_face));
        return;
    case Border::raised:
        edge(light, dark);
        edge(to_qcolor(button_face), shadow);
        return;
    case Border::shallow_sunken:
        edge(shadow, light);
        return;
    case Border::sunken_in_raised:
        edge(light, dark);
        edge(shadow, light);
        return;
    case Border::thin_line:
        edge(black, black);
        return;
    case Border::gradient_frame: {
        const GradientFrame& frame = look_.gradient_frame;
        const int width = std::max(frame.width, 5);
        for (int ring = 0; ring < width && inside.width() > 1 && inside.height() > 1; ++ring) {
            // The three colours run from the outer ring to the inner one.
            const Colour colour = frame.colours[std::min(2, ring * 3 / width)];
            const QColor c = to_qcolor(colour);
            edge(c, c);
        }
        return;
    }
    }
}

void LabelWidget::draw_background(QPainter& painter, const QRect& area) const
{
    const auto stops = gradient_stops(look_.gradient);
    if (!stops || (look_.gradient.mode != 1 && look_.gradient.mode != 2)) {
        painter.fillRect(area, to_qcolor(background_));
        return;
    }
    const bool down = look_.gradient.mode == 1;
    const int span = down ? area.height() : area.width();
    for (int offset = 0; offset < span; ++offset) {
        const QColor colour = to_qcolor(gradient_colour(*stops, span, offset));
        if (down)
            painter.fillRect(area.left(), area.top() + offset, area.width(), 1, colour);
        else
            painter.fillRect(area.left() + offset, area.top(), 1, area.height(), colour);
    }
}

void LabelWidget::draw_text(QPainter& painter, const QRect& area) const
{
    const CaptionStyle style{look_.align, look_.valign, look_.multi_line};
    auto draw = [&](const QColor& colour, QPoint offset) {
        draw_caption(painter, area.translated(offset), caption_, style, font(), colour);
    };
    const QColor white(255, 255, 255), black(0, 0, 0), ink = to_qcolor(text_colour_);
    switch (look_.effect) {
    case 1:
        draw(white, {1, 1});
        draw(ink, {0, 0});
        break;
    case 2:
        draw(white, {0, 0});
        draw(ink, {1, 1});
        break;
    case 3:
        draw(black, {2, 2});
        draw(ink, {0, 0});
        break;
    default:
        draw(ink, {0, 0});
        break;
    }
}

// The label takes the whole press and release itself, so Qt never passes them on to the window.
void LabelWidget::mousePressEvent(QMouseEvent* event) { event->accept(); }
void LabelWidget::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void LabelWidget::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

}  // namespace rt
