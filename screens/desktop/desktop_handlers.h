// The handlers that DesktopScreen's definition binds.
#pragma once

#include "toolkit.h"

namespace desktop {

// The desktop itself
void on_created(rt::Screen screen);
void on_window_pressed(rt::Screen screen);
void on_start_button_pressed(rt::Screen screen);
void on_start_button_released(rt::Screen screen);
void on_system_image_opened(rt::Screen screen);
void on_shut_down_pressed(rt::Screen screen);
void on_log_off_pressed(rt::Screen screen);

// USB writer panel
void open_usb_writer(rt::Screen screen);
void close_usb_writer(rt::Screen screen);
void on_usb_writer_action(rt::Screen screen);

// Notepad panel
void open_notepad(rt::Screen screen);
void close_notepad(rt::Screen screen);
void on_feedback_pressed(rt::Screen screen);

// Browser panel
void open_browser(rt::Screen screen);
void close_browser(rt::Screen screen);
void on_refresh_pressed(rt::Screen screen);

}  // namespace desktop
