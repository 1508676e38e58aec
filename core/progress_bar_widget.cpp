#include "progress_bar_widget.h"

#include <QPainter>

#include "fonts.h"

namespace rt {

int clamp_progress(std::int64_t value, int minimum, int maximum)
{
    const std::int64_t stored = std::clamp<std::int64_t>(value, 0, 32767);
    return static_cast<int>(std::clamp<std::int64_t>(stored, minimum, std::max(minimum, maximum)));
}

ProgressBarWidget::ProgressBarWidget(const ControlDefinition& record, QWidget* parent)
    : QProgressBar(parent), border_(record.look.border.value_or(Border::shallow_sunken)),
      smooth_(record.look.smooth)
{
    setRange(record.look.minimum, record.look.maximum);
    setValue(clamp_progress(record.look.position, record.look.minimum, record.look.maximum));
    setTextVisible(false);
}

void ProgressBarWidget::set_position(std::int64_t position)
{
    setValue(clamp_progress(position, minimum(), maximum()));
}

void ProgressBarWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QRect inside = rect();
    painter.fillRect(inside, to_qcolor(button_face));
    if (border_ == Border::thin_line) {
        painter.setPen(Qt::black);
        painter.drawRect(inside.adjusted(0, 0, -1, -1));
        inside.adjust(1, 1, -1, -1);
    } else if (border_ != Border::none) {
        painter.setPen(QColor(160, 160, 160));
        painter.drawLine(inside.topLeft(), inside.topRight());
        painter.drawLine(inside.topLeft(), inside.bottomLeft());
        painter.setPen(Qt::white);
        painter.drawLine(inside.bottomLeft(), inside.bottomRight());
        painter.drawLine(inside.topRight(), inside.bottomRight());
        inside.adjust(1, 1, -1, -1);
    }
    inside.adjust(1, 1, -1, -1);
    const int span = maximum() - minimum();
    if (span <= 0 || inside.isEmpty()) return;
    const int filled = static_cast<int>(static_cast<qint64>(inside.width()) * (value() - minimum()) / span);
    const QColor bar(6, 176, 37);
    if (smooth_) {
        painter.fillRect(QRect(inside.left(), inside.top(), filled, inside.height()), bar);
        return;
    }
    // Blocks two thirds as wide as the bar is high, with a gap of two pixels.
    const int block = std::max(2, inside.height() * 2 / 3);
    for (int x = 0; x < filled; x += block + 2)
        painter.fillRect(QRect(inside.left() + x, inside.top(), std::min(block, filled - x), inside.height()), bar);
}

}  // namespace rt
