// SetupScreen: a picture of a setup page with a live "下一步" button laid over the drawn one.
#include "setup_screen.h"

#include "setup_controls.h"
#include "toolkit.h"
#include "welcome_screen.h"

// A record names only what differs from its kind's defaults.

using namespace setup;
using rt::Event;
using rt::Kind;

namespace {

// Moves on at the press; the release is not awaited.
void on_next_pressed(rt::Screen screen) {
    rt::hand_over(screen, WelcomeScreen);
}

}  // namespace

const rt::ScreenDefinition SetupScreen{
    .name = "SetupScreen",
    .window = {
        .caption = "",
        .width = 880,
        .height = 586,
        .background = 0xFF0090,  // #9000FF
    },
    .controls = {
        // Placed in the picture box, over the button drawn in the stretched picture.
        {Kind::按钮, 按钮1, {562, 315, 56, 32}, {.text = "下一步", .tab_stop = true}, 图片框1},
        {Kind::图片框, 图片框1, {40, 72, 784, 456}, {.picture = "setup-page", .display_mode = 1}},
        {Kind::透明标签, 透明标签1, {16, 16, 304, 56}, {.text = "Windows 10 安装", .font = rt::Font{.height = 35, .weight = 400, .face = "微软雅黑"}}},
    },
    .handlers = {
        {按钮1, Event::pressed, on_next_pressed},
    },
};
