#include "pointer_state.h"

#include <QGuiApplication>
#include <QStyleHints>

namespace rt {

bool holds_pointer(Kind kind)
{
    switch (kind) {
    case Kind::编辑框:
    case Kind::选择框:
    case Kind::单选框:
    case Kind::按钮:
    case Kind::超文本浏览框:
        return true;
    default:
        return false;
    }
}

bool PointerState::press(ControlName target, Kind kind, unsigned long timestamp, QPoint point)
{
    const QStyleHints* hints = QGuiApplication::styleHints();
    const bool is_double = last_target_ && *last_target_ == target && !last_was_double_
        && timestamp - last_time_ <= static_cast<unsigned long>(hints->mouseDoubleClickInterval())
        && (point - last_point_).manhattanLength() <= hints->startDragDistance();
    last_target_ = target;
    last_time_ = timestamp;
    last_point_ = point;
    last_was_double_ = is_double;
    holder_ = holds_pointer(kind) ? std::optional(target) : std::nullopt;
    return is_double;
}

ControlName PointerState::release(ControlName under_pointer)
{
    const ControlName target = holder_.value_or(under_pointer);
    holder_.reset();
    return target;
}

}  // namespace rt
