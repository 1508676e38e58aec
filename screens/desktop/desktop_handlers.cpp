// The desktop's own handlers: creation, the start button and menu, and the icons that only answer
// with a message.
#include "desktop_handlers.h"
#include "desktop_screen.h"
#include "install_stage.h"
#include "picture_catalogue.h"
#include "toolkit.h"

namespace desktop {

using namespace rt;

// Runs while the window is still hidden, so none of the panels is ever seen at start.
void on_created(Screen screen) {
    set_group_visible(screen, browser_panel, false);
    set_group_visible(screen, notepad_panel, false);
    set_group_visible(screen, usb_writer_panel, false);
    set_group_visible(screen, start_menu, false);
    // Back from the greeting the desktop wears the new wallpaper.
    const assets::PictureBytes wallpaper =
        assets::bytes_of_constant(InstallStage == 10 ? assets::wallpaper_installed : assets::wallpaper_initial);
    set_property(screen, window, Property::background_picture, Picture{wallpaper.data, wallpaper.size});
    // The page loads now, in the hidden pane; opening the panel never reloads it.
    set_property(screen, 超文本浏览框1, Property::地址, "https://bbs.mozhou.example/");
    // The clock is written once and does not advance.
    const DateTime now = current_time();
    set_property(screen, 透明标签6, Property::caption,
                 join_texts({to_text(hour_of(now)), "：", to_text(minute_of(now)), "\r\n", to_text(date_only(now))}));
}

void on_window_pressed(Screen screen) {
    set_group_visible(screen, start_menu, false);
}

// The start button is red while held; the menu opens only when it is released over it.
void on_start_button_pressed(Screen screen) {
    set_property(screen, 标签2, Property::text_colour, 0x0000FF);  // #FF0000
}

void on_start_button_released(Screen screen) {
    set_property(screen, 标签2, Property::text_colour, 0x000000);
    set_group_visible(screen, start_menu, true);
}

void on_system_image_opened(Screen) {
    show_message_box("该应用不是有效的Win32应用程序！", message_error);
}

void on_shut_down_pressed(Screen) {
    end_program(0);
}

void on_log_off_pressed(Screen) {
    show_message_box("该版本暂不支持注销！", message_plain);
}

}  // namespace desktop
