// DesktopScreen as stored: the window, its 37 controls in stacking order (the first lies on top)
// and the handlers bound to them.
#include "desktop_screen.h"

#include <string_view>

#include "desktop_controls.h"
#include "desktop_handlers.h"

// A record names only what differs from its kind's defaults.

using namespace desktop;
using rt::Align;
using rt::Border;
using rt::Event;
using rt::Kind;

namespace {

constexpr std::string_view notepad_text =
    "&如&何&装&机&?-&记&事&本\r\n"
    "\r\n"
    "  1.打开我们的Vedezo。\r\n"
    "  2.点击写入PE，执行写入PE操作。\r\n"
    "  3.进入PE后，选择我们将要安装的盘符。\r\n"
    "  4.耐心等待系统安装完毕！\r\n"
    "________________________________________________________\r\n"
    "为什么要设计这款软件呢？\r\n"
    "  \r\n"
    "  答：当今时代，是属于互联网的时代，使用计算机变得尤为重\r\n"
    "  要，所以，学习如何重装系统是十分必要的。当今的许多年轻\r\n"
    "  人，只会玩游戏，而不懂重装。此软件正是为这些小白设计的\r\n"
    "  。目的是教会他们如何重装系统，使计算机更容易被使用！\r\n"
    "________________________________________________________\r\n"
    "其它\r\n"
    "  \r\n"
    "  欢迎开发者开发模拟器应用。应用语言：HTML。";

constexpr std::size_t code_points(std::string_view utf8) {
    std::size_t count = 0;
    for (char byte : utf8) {
        if ((static_cast<unsigned char>(byte) & 0xC0) != 0x80) ++count;
    }
    return count;
}
static_assert(code_points(notepad_text) == 392);

}  // namespace

const rt::ScreenDefinition DesktopScreen{
    .name = "DesktopScreen",
    .window = {
        .caption = "zodudev",
        .width = 1078,
        .height = 676,
        .picture = "wallpaper-initial",
        .picture_mode = 3,
    },
    .controls = {
        // Browser panel
        {Kind::透明标签, 透明标签8, {910, 23, 32, 24}, {.text = "→←", .align = Align::centre}},
        {Kind::超文本浏览框, 超文本浏览框1, {9, 52, 1057, 560}, {.background = 0xFFFFFF, .tab_stop = true}},
        {Kind::标签, 标签18, {1020, 16, 48, 23}, {.text = "╳", .background = 0x0000FF, .align = Align::centre}},  // #FF0000
        {Kind::标签, 标签17, {5, 15, 1064, 600}, {.text = "\r\n  墨舟Q模拟器客户端", .background = 0x80E000, .multi_line = true, .border = Border::thin_line}},  // #00E080

        // Forum client icon
        {Kind::透明标签, 透明标签7, {3, 365, 88, 24}, {.text = "墨舟Q模拟器客户端", .align = Align::centre, .multi_line = true}},
        {Kind::图片框, 图片框6, {15, 296, 60, 61}, {.picture = "icon-forum-client", .display_mode = 1}},

        // Notepad panel
        {Kind::标签, 标签16, {675, 64, 40, 24}, {.text = "╳", .background = 0x0000FF, .align = Align::centre}},  // #FF0000
        {Kind::标签, 标签15, {381, 528, 88, 32}, {.text = "反馈", .background = 0x80E000, .font = rt::Font{.height = 12, .weight = 400}, .align = Align::centre}},  // #00E080
        {Kind::标签, 标签14, {363, 64, 352, 504}, {.text = notepad_text, .background = 0xFFFFFF, .multi_line = true}},

        // Taskbar: clock and tray; the clock is written by the creation step
        {Kind::透明标签, 透明标签6, {984, 616, 88, 32}, {.text_colour = 0xFFFFFF, .align = Align::centre, .multi_line = true}},
        {Kind::图片框, 图片框5, {879, 619, 105, 24}, {.picture = "taskbar-tray"}},

        // USB writer panel
        {Kind::标签, 标签13, {703, 145, 24, 24}, {.text = "╳", .background = 0x0000FF, .align = Align::centre}},  // #FF0000
        {Kind::标签, 标签12, {672, 264, 24, 24}, {.text = "…", .background = 0x004080, .align = Align::centre}},  // #804000
        {Kind::选择框, 选择框2, {504, 352, 80, 24}, {.text = "UEFI引导", .background = 0x80E000, .tab_stop = true}},  // #00E080
        {Kind::透明标签, 透明标签5, {656, 430, 56, 16}, {.text = "等待写入"}},
        {Kind::进度条, 进度条1, {368, 448, 344, 16}},
        {Kind::选择框, 选择框1, {408, 328, 280, 16}, {.text = "格式化U盘（此操作会擦除U盘上的所有数据！）", .background = 0x80E000, .tab_stop = true}},  // #00E080
        {Kind::标签, 标签11, {488, 392, 104, 32}, {.text = "一键写入PE", .background = 0xFF8800, .align = Align::centre}},  // #0088FF
        {Kind::透明标签, 透明标签4, {389, 261, 48, 28}, {.text = "选择U盘："}},
        {Kind::编辑框, 编辑框1, {440, 264, 232, 24}, {.text = " Quenby installation USB disk（16GB）┐", .text_colour = 0x606060, .border = Border::thin_line, .read_only = true, .tab_stop = true}},
        {Kind::标签, 标签10, {352, 144, 376, 360}, {.text = "\r\n Quenby Vedezo", .background = 0x80E000, .multi_line = true, .border = Border::thin_line}},  // #00E080

        // Icons: system image, notes, USB tool caption
        {Kind::透明标签, 透明标签3, {3, 255, 91, 41}, {.text = "Windows 10 专业版GHOST镜像.gho", .multi_line = true}},
        {Kind::图片框, 图片框4, {16, 192, 56, 56}, {.picture = "icon-ghost-image", .display_mode = 1}},
        {Kind::透明标签, 透明标签2, {3, 156, 88, 24}, {.text = "如何装机？.txt", .align = Align::centre}},
        {Kind::图片框, 图片框3, {17, 96, 56, 56}, {.picture = "icon-install-notes", .display_mode = 1}},
        {Kind::透明标签, 透明标签1, {5, 64, 80, 24}, {.text = "Vodidu", .align = Align::centre}},

        // Start menu: gradient edges, the bottom row of items, the USB tool icon
        {Kind::标签, 标签9, {0, 560, 168, 8}, {.gradient = {.mode = 1, .colours = {0xFF8800, 0x80E000, 0x80E000}}}},  // #0088FF, #00E080, #00E080
        {Kind::标签, 标签8, {160, 600, 8, 16}, {.gradient = {.mode = 1, .colours = {0x80E000, 0x80E000, 0xFF8800}}}},  // #00E080, #00E080, #0088FF
        {Kind::标签, 标签7, {160, 560, 16, 56}, {.gradient = {.mode = 2, .colours = {0x80E000, 0x80E000, 0xFF8800}}}},  // #00E080, #00E080, #0088FF
        {Kind::标签, 标签6, {112, 600, 48, 16}, {.text = "注销", .background = 0xFF0090, .align = Align::centre}},  // #9000FF
        {Kind::标签, 标签5, {56, 600, 56, 16}, {.text = "重启", .background = 0x606060, .align = Align::centre}},
        {Kind::标签, 标签4, {0, 600, 56, 16}, {.text = "关机", .background = 0x0000FF, .align = Align::centre}},  // #FF0000
        {Kind::图片框, 图片框2, {0, 568, 32, 32}, {.picture = "icon-usb-tool", .display_mode = 1}},

        // USB tool icon
        {Kind::图片框, 图片框1, {16, 8, 56, 56}, {.picture = "icon-usb-tool", .display_mode = 1}},

        // Start menu: USB tool item
        {Kind::标签, 标签3, {32, 568, 128, 32}, {.text = "Vodidu", .background = 0x80E000}},  // #00E080

        // Taskbar: start button and strip
        {Kind::标签, 标签2, {0, 616, 56, 32}, {.text = "开始", .background = 0x80E000, .align = Align::centre}},  // #00E080
        {Kind::标签, 标签1, {56, 616, 1016, 32}, {.background = 0x111111}},
    },
    .handlers = {
        {rt::window, Event::created, on_created},
        {rt::window, Event::pressed, on_window_pressed},
        {标签2, Event::pressed, on_start_button_pressed},
        {标签2, Event::released, on_start_button_released},
        {标签3, Event::pressed, open_usb_writer},
        {图片框2, Event::pressed, open_usb_writer},
        {图片框1, Event::double_clicked, open_usb_writer},
        {透明标签1, Event::double_clicked, open_usb_writer},
        {图片框3, Event::double_clicked, open_notepad},
        {透明标签2, Event::double_clicked, open_notepad},
        {图片框6, Event::double_clicked, open_browser},
        {透明标签7, Event::double_clicked, open_browser},
        {图片框4, Event::double_clicked, on_system_image_opened},
        {透明标签3, Event::double_clicked, on_system_image_opened},
        {标签4, Event::pressed, on_shut_down_pressed},
        {标签6, Event::pressed, on_log_off_pressed},

        {标签13, Event::pressed, close_usb_writer},
        {标签11, Event::pressed, on_usb_writer_action},

        {标签16, Event::pressed, close_notepad},
        {标签15, Event::pressed, on_feedback_pressed},
        {标签18, Event::pressed, close_browser},
        {透明标签8, Event::pressed, on_refresh_pressed},
    },
};
