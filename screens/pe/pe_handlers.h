// The handlers that PeScreen's definition binds.
#pragma once

#include "toolkit.h"

namespace pe {

void on_created(rt::Screen screen);
void open_installer(rt::Screen screen);
void close_installer(rt::Screen screen);
void on_browser_opened(rt::Screen screen);
void on_installer_action(rt::Screen screen);

}  // namespace pe
