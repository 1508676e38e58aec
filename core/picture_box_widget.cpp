#include "picture_box_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "fonts.h"

namespace rt {

PictureBoxWidget::PictureBoxWidget(const ControlDefinition& record, Picture picture, QWidget* parent)
    : QWidget(parent), background_(record.look.background.value_or(button_face)),
      display_mode_(std::clamp(record.look.display_mode, 0, 2))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    picture_.set(picture);
}

void PictureBoxWidget::set_picture(Picture picture)
{
    picture_.set(picture);
    update();
}

void PictureBoxWidget::paintEvent(QPaintEvent*)
{
    static constexpr Layout layouts[] = {Layout::natural, Layout::stretched, Layout::centred_shrunk};
    QPainter painter(this);
    painter.fillRect(rect(), to_qcolor(background_));
    picture_.paint(painter, rect(), layouts[display_mode_]);
}

void PictureBoxWidget::mousePressEvent(QMouseEvent* event) { event->accept(); }
void PictureBoxWidget::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }
void PictureBoxWidget::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

}  // namespace rt
