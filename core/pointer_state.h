// What a window remembers of the mouse between events: the last press, to tell a double click,
// and which standard control holds the pointer until the button goes up.
#pragma once

#include <QPoint>

#include <optional>

#include "screen_definition.h"

namespace rt {

// The system's own controls keep the pointer from press to release and handle the mouse
// themselves; the window and the owner-drawn kinds do neither.
bool holds_pointer(Kind kind);

class PointerState {
public:
    // Records a press; true when it is the second press of a double click on the same target.
    bool press(ControlName target, Kind kind, unsigned long timestamp, QPoint point);
    // The target of a release: the control that holds the pointer, else whatever lies under it.
    ControlName release(ControlName under_pointer);
    bool holding() const { return holder_.has_value(); }

private:
    std::optional<ControlName> last_target_;
    unsigned long last_time_ = 0;
    QPoint last_point_;
    bool last_was_double_ = false;
    std::optional<ControlName> holder_;
};

}  // namespace rt
