// The names of PeScreen's controls, as its definition gives them.
#pragma once

#include "screen_definition.h"

namespace pe {

// Installer panel
RT_CONTROL(标签6)
RT_CONTROL(透明标签4)
RT_CONTROL(进度条1)
RT_CONTROL(标签5)
RT_CONTROL(单选框4)
RT_CONTROL(单选框3)
RT_CONTROL(单选框2)
RT_CONTROL(透明标签3)
RT_CONTROL(单选框1)
RT_CONTROL(标签4)
RT_CONTROL(标签3)

// Icons: installer and browser
RT_CONTROL(透明标签2)
RT_CONTROL(图片框2)
RT_CONTROL(透明标签1)
RT_CONTROL(图片框1)

// Taskbar: strip and start button
RT_CONTROL(标签2)
RT_CONTROL(标签1)

}  // namespace pe
