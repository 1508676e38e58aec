// The fake PE desktop that the USB writer restarts into.
#pragma once

#include <array>

#include "pe_controls.h"
#include "screen_definition.h"

extern const rt::ScreenDefinition PeScreen;

namespace pe {

// Every show or hide of the installer panel writes its members in this order.
inline constexpr std::array<rt::ControlName, 11> installer_panel = {
    标签3, 标签4, 标签5, 标签6, 单选框1, 单选框2, 单选框3, 单选框4, 透明标签3, 透明标签4, 进度条1,
};

}  // namespace pe
