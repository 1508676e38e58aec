// Routes the mouse to handlers. Every press, release and double click of a screen's window is seen
// here once, at the window, before Qt hands it to a widget: the target is the topmost visible
// control under the pointer (or the window), its handler runs first, and only then does the event
// go on to the control itself.
#pragma once

#include <QObject>

namespace rt {

class Runtime;

class EventRouter final : public QObject {
public:
    explicit EventRouter(Runtime& runtime) : runtime_(runtime) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Runtime& runtime_;
};

}  // namespace rt
