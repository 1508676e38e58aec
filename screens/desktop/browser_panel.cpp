// The browser panel: the forum client. Its page is requested once, by the desktop's creation
// step; showing and hiding the panel keep the page as it is.
#include "desktop_handlers.h"
#include "desktop_screen.h"
#include "toolkit.h"

namespace desktop {

using namespace rt;

void open_browser(Screen screen) {
    set_group_visible(screen, browser_panel, true);
}

void close_browser(Screen screen) {
    set_group_visible(screen, browser_panel, false);
}

// Reloads the page the pane shows now, which after a followed link is not the home page.
void on_refresh_pressed(Screen screen) {
    reload_page(screen, 超文本浏览框1);
}

}  // namespace desktop
