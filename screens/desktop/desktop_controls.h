// The names of DesktopScreen's controls, as its definition gives them.
#pragma once

#include "screen_definition.h"

namespace desktop {

// Browser panel
RT_CONTROL(透明标签8)
RT_CONTROL(超文本浏览框1)
RT_CONTROL(标签18)
RT_CONTROL(标签17)

// Forum client icon
RT_CONTROL(透明标签7)
RT_CONTROL(图片框6)

// Notepad panel
RT_CONTROL(标签16)
RT_CONTROL(标签15)
RT_CONTROL(标签14)

// Taskbar: clock and tray
RT_CONTROL(透明标签6)
RT_CONTROL(图片框5)

// USB writer panel
RT_CONTROL(标签13)
RT_CONTROL(标签12)
RT_CONTROL(选择框2)
RT_CONTROL(透明标签5)
RT_CONTROL(进度条1)
RT_CONTROL(选择框1)
RT_CONTROL(标签11)
RT_CONTROL(透明标签4)
RT_CONTROL(编辑框1)
RT_CONTROL(标签10)

// Icons: system image, notes, USB tool caption
RT_CONTROL(透明标签3)
RT_CONTROL(图片框4)
RT_CONTROL(透明标签2)
RT_CONTROL(图片框3)
RT_CONTROL(透明标签1)

// Start menu
RT_CONTROL(标签9)
RT_CONTROL(标签8)
RT_CONTROL(标签7)
RT_CONTROL(标签6)
RT_CONTROL(标签5)
RT_CONTROL(标签4)
RT_CONTROL(图片框2)

// USB tool icon
RT_CONTROL(图片框1)

// Start menu: USB tool item
RT_CONTROL(标签3)

// Taskbar: start button and strip
RT_CONTROL(标签2)
RT_CONTROL(标签1)

}  // namespace desktop
