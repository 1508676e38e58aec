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

    const auto keep = screen->shared_from_this();
    const QPoint point = mouse->position().toPoint();
    const ControlName under = screen->control_at(point);
    const ControlDefinition* record = screen->record(under);
    const Kind kind = record ? record->kind : Kind::窗口;
    // Qt's own double-click event follows the second press, which already told us; it goes on
    // only to a system control that took that press (not to whatever a handler just showed).
    if (type == QEvent::MouseButtonDblClick) return !screen->pointer().holding();

    bool pass_on = false;
    if (type == QEvent::MouseButtonPress) {
        const bool second = screen->pointer().press(under, kind, mouse->timestamp(), point);
        runtime_.raise(*screen, under, second ? Event::double_clicked : Event::pressed);
        pass_on = holds_pointer(kind);
    } else {
        pass_on = screen->pointer().holding();
        runtime_.raise(*screen, screen->pointer().release(under), Event::released);
    }
    // The window went away under the handler: the event goes nowhere. The window and the
    // owner-drawn kinds have nothing more to do with it either, and passing it on would let Qt
    // find a new target where the handler just showed a panel.
    return !screen->alive() || !pass_on;
}

}  // namespace rt
