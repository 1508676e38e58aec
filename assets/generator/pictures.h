// One function per picture of the catalogue. Each returns the finished
// picture at its catalogue size; main.cpp decides how it is stored.
#pragma once

#include <QImage>

namespace generator {

// wallpapers.cpp
QImage paint_wallpaper_initial();    // 1920x1200
QImage paint_wallpaper_installed();  // 3840x2160

// icons.cpp
QImage paint_icon_usb_tool();           // 179x181
QImage paint_icon_install_notes();      // 67x76
QImage paint_icon_ghost_image();        // 256x256
QImage paint_icon_forum_client();       // 358x376
QImage paint_icon_browser();            // 76x76
QImage paint_icon_system_installer();   // 61x66
QImage paint_program_icon(int size);    // size x size, transparent around the horse

// screens.cpp
QImage paint_taskbar_tray();   // 105x30
QImage paint_pe_background();  // 1080x638
QImage paint_setup_page();     // 1026x766

}  // namespace generator
