// PeScreen as stored: the window, its 17 controls in stacking order (the first lies on top) and the
// handlers bound to them.
#include "pe_screen.h"

#include "pe_controls.h"
#include "pe_handlers.h"

// A record names only what differs from its kind's defaults.

using namespace pe;
using rt::Align;
using rt::Border;
using rt::Event;
using rt::Kind;

const rt::ScreenDefinition PeScreen{
    .name = "PeScreen",
    .window = {
        .caption = "Quenby PE 模拟器",
        .width = 1010,
        .height = 641,
        .picture = "pe-background",
        .picture_mode = 3,
    },
    .controls = {
        // Installer panel
        {Kind::标签, 标签6, {528, 160, 144, 104},
         {.text = "\r\n"
                  "  镜像信息：\r\n"
                  " Windows 10 专业版 GHOST  镜像                     MD5值：2dadac520120120122a0ffe0 1412a0014510c4sd0a41sd0a f41e0a4e01f0a",
          .background = 0x606060,
          .multi_line = true}},
        {Kind::透明标签, 透明标签4, {640, 400, 48, 16}, {.text = "尚未安装"}},
        {Kind::进度条, 进度条1, {368, 384, 320, 16}, {.border = Border::thin_line, .smooth = true}},
        {Kind::标签, 标签5, {460, 320, 128, 40}, {.text = "安装", .background = 0x000000, .text_colour = 0xFFFFFF, .align = Align::centre}},
        {Kind::单选框, 单选框4, {367, 272, 112, 32}, {.text = "F盘 剩余1.2GB", .background = 0x606060, .tab_stop = true}},
        {Kind::单选框, 单选框3, {367, 240, 96, 32}, {.text = "E盘 剩余30GB", .background = 0x606060, .tab_stop = true}},
        {Kind::单选框, 单选框2, {366, 208, 96, 32}, {.text = "D盘 剩余60GB", .background = 0x606060, .tab_stop = true}},
        {Kind::透明标签, 透明标签3, {360, 152, 128, 16}, {.text = "请选择你要安装的盘符："}},
        {Kind::单选框, 单选框1, {366, 177, 96, 32}, {.text = "C盘 剩余80GB", .background = 0x606060, .tab_stop = true}},
        {Kind::标签, 标签4, {672, 80, 32, 24}, {.text = "╳", .background = 0x0000FF, .align = Align::centre}},  // #FF0000
        // A lone CR breaks the line, so the title stands on the second one.
        {Kind::标签, 标签3, {344, 80, 360, 344}, {.text = "\r   Quenby 系统安装器", .background = 0x606060, .multi_line = true}},

        // Icons: installer and browser
        {Kind::透明标签, 透明标签2, {8, 175, 72, 24}, {.text = "系统安装器", .text_colour = 0xFFFFFF, .align = Align::centre}},
        {Kind::图片框, 图片框2, {16, 112, 56, 56}, {.background = 0xECECEC, .picture = "icon-system-installer", .display_mode = 1}},
        {Kind::透明标签, 透明标签1, {26, 79, 40, 24}, {.text = "浏览器", .text_colour = 0xFFFFFF, .align = Align::centre}},
        {Kind::图片框, 图片框1, {16, 16, 56, 56}, {.background = 0x000000, .picture = "icon-browser", .display_mode = 1}},

        // Taskbar: strip and start button
        {Kind::标签, 标签2, {56, 588, 952, 24}},
        {Kind::标签, 标签1, {1, 587, 56, 24}, {.text = "开始", .background = 0x606060, .align = Align::centre, .border = Border::thin_line}},
    },
    .handlers = {
        {rt::window, Event::created, on_created},
        {图片框2, Event::double_clicked, open_installer},
        {透明标签2, Event::double_clicked, open_installer},
        {标签4, Event::pressed, close_installer},
        {图片框1, Event::double_clicked, on_browser_opened},
        {透明标签1, Event::double_clicked, on_browser_opened},
        {标签5, Event::pressed, on_installer_action},
    },
};
