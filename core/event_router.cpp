#include "event_router.h"

#include <QMouseEvent>
#include <QWindow>

#include "runtime.h"
#include "screen_instance.h"

namespace rt {

bool EventRouter::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease
        && type != QEvent::MouseButtonDblClick)
        return false;
    if (!watched->isWindowType()) return false;
    ScreenInstance* screen = runtime_.instance_for_window(watched);
    if (!screen) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton) return false;
    // Qt's own double-click event follows the second press; the press itself already told us.
    if (type == QEvent::MouseButtonDblClick) return false;

    const auto keep = screen->shared_from_this();
    const QPoint point = mouse->position().toPoint();
    const ControlName under = screen->control_at(point);
    if (type == QEvent::MouseButtonPress) {
        const ControlDefinition* record = screen->record(under);
        const Kind kind = record ? record->kind : Kind::窗口;
        const bool second = screen->pointer().press(under, kind, mouse->timestamp(), point);
        runtime_.raise(*screen, under, second ? Event::double_clicked : Event::pressed);
    } else {
        runtime_.raise(*screen, screen->pointer().release(under), Event::released);
    }
    // The window went away under the handler: the event goes nowhere.
    return !screen->alive();
}

}  // namespace rt
