// The notepad panel: the instructions page, with a feedback button that only says it is not
// supported.
#include "desktop_handlers.h"
#include "desktop_screen.h"
#include "toolkit.h"

namespace desktop {

using namespace rt;

void open_notepad(Screen screen) {
    set_group_visible(screen, notepad_panel, true);
}

void close_notepad(Screen screen) {
    set_group_visible(screen, notepad_panel, false);
}

void on_feedback_pressed(Screen) {
    show_message_box("该版本暂不支持反馈！", message_plain);
}

}  // namespace desktop
