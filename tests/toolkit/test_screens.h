// Small screens for the toolkit's own tests, with handlers that write down what ran and when.
#pragma once

#include <string>
#include <vector>

#include "screen_definition.h"
#include "toolkit.h"

namespace fixture {

RT_CONTROL(label_top)
RT_CONTROL(label_under)
RT_CONTROL(transparent)
RT_CONTROL(box)
RT_CONTROL(button)
RT_CONTROL(bar)
RT_CONTROL(radio1)
RT_CONTROL(radio2)
RT_CONTROL(hidden_label)
RT_CONTROL(waiter)
RT_CONTROL(closer)

// What the handlers did, in order.
inline std::vector<std::string> log;
// How long `waiter`'s handler waits.
inline int waiter_ms = 1000;

// A window of 400 x 300 outer pixels with one control of every kind the tests need.
extern const rt::ScreenDefinition TestScreen;
// A second, plain screen that a handler of TestScreen can hand over to.
extern const rt::ScreenDefinition OtherScreen;

}  // namespace fixture
