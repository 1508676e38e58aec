// The USB writer panel: a one-click tool that pretends to write a PE image to a stick, then
// restarts into the PE screen.
#include <array>

#include "desktop_handlers.h"
#include "desktop_screen.h"
#include "install_stage.h"
#include "pe/pe_screen.h"
#include "toolkit.h"

namespace desktop {

using namespace rt;

namespace {

// One position every 500 ms, fifteen seconds in all. The stalls are on purpose: a real write
// never moves evenly.
constexpr std::array write_positions = {
    10, 20, 25, 26, 26, 27, 27, 28, 28, 28, 28,
    35, 36, 37, 38, 39, 45, 61, 72, 83, 90, 95, 97,
    99, 99, 99, 99, 99, 99, 100,
};
static_assert(write_positions.size() == 30);

}  // namespace

// Opening resets nothing: the panel shows the state it was closed in.
void open_usb_writer(Screen screen) {
    set_group_visible(screen, start_menu, false);
    set_group_visible(screen, usb_writer_panel, true);
}

// A running write goes on unseen.
void close_usb_writer(Screen screen) {
    set_group_visible(screen, usb_writer_panel, false);
}

// Never disabled: a press during the write runs the whole write again inside this one.
void on_usb_writer_action(Screen screen) {
    if (InstallStage == 1) {
        // One press makes one restart; presses during the pause are ignored.
        if (!first_time(screen, "restart")) return;
        set_group_visible(screen, usb_writer_panel, false);
        set_group_visible(screen, start_menu, false);
        wait_processing_events(5000);
        hand_over(screen, PeScreen);
        return;
    }
    set_property(screen, 透明标签5, Property::caption, "写入中…");
    for (int position : write_positions) {
        wait_processing_events(500);
        set_property(screen, 进度条1, Property::position, position);
    }
    show_message_box("写入PE镜像成功！！！", message_plain);
    set_property(screen, 透明标签5, Property::caption, "写入完毕！");
    set_property(screen, 标签11, Property::caption, "重新启动");
    InstallStage = 1;
}

}  // namespace desktop
