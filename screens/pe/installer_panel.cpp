// The PE desktop's system installer: pick a drive, watch the install, restart into setup.
#include <array>

#include "install_stage.h"
#include "pe_handlers.h"
#include "pe_screen.h"
#include "setup/setup_screen.h"
#include "toolkit.h"

namespace pe {

using namespace rt;

namespace {

struct InstallStep {
    int wait_ms;
    int position;
};

// 31.1 seconds in all; the long pauses at 28 and before 100 are where a real install seems stuck.
constexpr std::array<InstallStep, 30> install_steps = {{
    {600, 10}, {700, 20}, {500, 25}, {800, 26}, {500, 26}, {800, 27},
    {800, 27}, {800, 28}, {800, 28}, {500, 28}, {5000, 28}, {800, 35},
    {800, 36}, {500, 37}, {500, 38}, {900, 39}, {900, 45}, {900, 61},
    {1000, 72}, {500, 83}, {500, 90}, {500, 95}, {500, 97}, {1000, 99},
    {1000, 99}, {1000, 99}, {1000, 99}, {1000, 99}, {1000, 99}, {5000, 100},
}};

}  // namespace

// Runs while the window is still hidden, so the panel is never seen at start.
void on_created(Screen screen) {
    set_group_visible(screen, installer_panel, false);
}

void open_installer(Screen screen) {
    set_group_visible(screen, installer_panel, true);
}

// A running install goes on unseen.
void close_installer(Screen screen) {
    set_group_visible(screen, installer_panel, false);
}

void on_browser_opened(Screen) {
    show_message_box("该应用不是有效的Win32应用程序！", message_error);
}

// Never disabled: a press during the install runs the whole install again inside this one.
void on_installer_action(Screen screen) {
    // Once the restart is under way every press is ignored, drive F or not.
    if (already_started(screen, "restart")) return;
    // Drive F is refused whatever the stage, even after the install.
    if (get_property(screen, 单选框4, Property::checked) != 0) {
        show_message_box("空间不足！", message_plain);
        set_property(screen, 单选框1, Property::checked, 1);
        set_property(screen, 单选框4, Property::checked, 0);
        return;
    }
    if (InstallStage == 8) {
        first_time(screen, "restart");  // from here on, every press is ignored
        set_property(screen, 标签5, Property::caption, "立即重启！");
        wait_processing_events(5000);
        hand_over(screen, SetupScreen);
        return;
    }
    set_property(screen, 透明标签4, Property::caption, "安装中……");
    for (const InstallStep& step : install_steps) {
        wait_processing_events(step.wait_ms);
        set_property(screen, 进度条1, Property::position, step.position);
    }
    show_message_box("安装成功！重启以完成安装！", message_plain);
    InstallStage = 8;
    set_property(screen, 标签5, Property::caption, "立即重启！");
}

}  // namespace pe
