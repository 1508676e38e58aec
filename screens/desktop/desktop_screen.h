// The fake desktop: the first screen, and the last one after the greeting.
#pragma once

#include <array>

#include "desktop_controls.h"
#include "screen_definition.h"

extern const rt::ScreenDefinition DesktopScreen;

namespace desktop {

// Groups shown and hidden as a whole. Every show or hide writes each member in this order.

inline constexpr std::array<rt::ControlName, 8> start_menu = {
    标签3, 标签4, 标签5, 标签6, 标签7, 标签8, 标签9, 图片框2,
};

inline constexpr std::array<rt::ControlName, 10> usb_writer_panel = {
    标签10, 标签11, 标签12, 标签13, 透明标签4, 透明标签5, 编辑框1, 选择框1, 选择框2, 进度条1,
};

inline constexpr std::array<rt::ControlName, 3> notepad_panel = {
    标签14, 标签15, 标签16,
};

inline constexpr std::array<rt::ControlName, 4> browser_panel = {
    透明标签8, 标签17, 超文本浏览框1, 标签18,
};

}  // namespace desktop
