#include "screen_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

#include "fonts.h"
#include "runtime.h"
#include "screen_instance.h"

namespace rt {

namespace {

Qt::WindowFlags flags_for(const WindowRecord& record)
{
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
    if (record.frame_style == 0) return flags | Qt::FramelessWindowHint;
    if (!record.caption.empty() || record.control_box) flags |= Qt::WindowTitleHint;
    if (record.control_box) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (record.control_box && record.minimise_box) flags |= Qt::WindowMinimizeButtonHint;
    if (record.control_box && record.maximise_box) flags |= Qt::WindowMaximizeButtonHint;
    if (record.always_on_top) flags |= Qt::WindowStaysOnTopHint;
    return flags;
}

}  // namespace

ScreenWindow::ScreenWindow(ScreenInstance& screen, const WindowRecord& record)
    : QWidget(nullptr, flags_for(record)), screen_(&screen), esc_closes_(record.esc_closes),
      colour_(record.background), picture_mode_(std::clamp(record.picture_mode, 0, 3))
{
    // An empty title would make the platform show the program's name instead of nothing.
    const QString caption = QString::fromUtf8(record.caption.data(), static_cast<int>(record.caption.size()));
    setWindowTitle(caption.isEmpty() ? QStringLiteral(" ") : caption);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setFont(default_font());
}

void ScreenWindow::set_background_colour(Colour colour)
{
    colour_ = colour;
    update();
}

void ScreenWindow::set_background_picture(Picture picture)
{
    picture_.set(picture);
    update();
}

void ScreenWindow::paintEvent(QPaintEvent*)
{
    static constexpr Layout layouts[] = {Layout::natural, Layout::tiled, Layout::centred_shrunk,
                                         Layout::stretched};
    QPainter painter(this);
    painter.fillRect(rect(), to_qcolor(colour_));
    picture_.paint(painter, rect(), layouts[picture_mode_]);
}

void ScreenWindow::keyPressEvent(QKeyEvent* event)
{
    // Reaches the window only when no focused control claimed the key.
    if (esc_closes_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && screen_) {
        Runtime::current().destroy_now(*screen_);
        return;
    }
    QWidget::keyPressEvent(event);
}

void ScreenWindow::closeEvent(QCloseEvent* event)
{
    // No handler answers the close query: the close box destroys the screen at once.
    event->accept();
    if (screen_) Runtime::current().destroy_now(*screen_);
}

}  // namespace rt
