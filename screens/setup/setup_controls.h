// The names of the controls of SetupScreen and WelcomeScreen, as their definitions give them.
#pragma once

#include "screen_definition.h"

namespace setup {

RT_CONTROL(按钮1)
RT_CONTROL(图片框1)
RT_CONTROL(透明标签1)

}  // namespace setup

namespace welcome {

RT_CONTROL(标签1)
RT_CONTROL(透明标签2)
RT_CONTROL(透明标签1)

}  // namespace welcome
