// WelcomeScreen: the first-run greeting. One press on "单击此开始" plays a seventeen-second script
// of flashing blues and changing lines, then hands back to a desktop with the new wallpaper.
#include "welcome_screen.h"

#include "desktop/desktop_screen.h"
#include "install_stage.h"
#include "setup_controls.h"
#include "toolkit.h"

// A record names only what differs from its kind's defaults.

using namespace welcome;
using rt::Align;
using rt::Event;
using rt::Kind;
using rt::Property;

namespace {

// Each step waits, then makes one change. A wait of 0 returns at once.
struct GreetingStep {
    int wait_ms;
    rt::ControlName target;
    Property property;
    rt::Value value;
};

const GreetingStep greeting_script[] = {
    {800, rt::window, Property::background_colour, 0xC06000},  // #0060C0
    {800, rt::window, Property::background_colour, 0xFF8800},  // #0088FF
    {800, rt::window, Property::background_colour, 0xC06000},
    {800, rt::window, Property::background_colour, 0xFF8800},
    {800, rt::window, Property::background_colour, 0xC06000},
    {800, rt::window, Property::background_colour, 0xFF8800},
    {800, 透明标签1, Property::caption, "剑阁峥嵘而崔嵬，一夫当关，万夫莫开。"},
    {800, rt::window, Property::background_colour, 0xC06000},
    {800, rt::window, Property::background_colour, 0xFF8800},
    {800, rt::window, Property::background_colour, 0xC06000},
    {800, rt::window, Property::background_colour, 0x000000},
    {0, 透明标签1, Property::caption, "嗨，别来无恙啊！"},
    {5000, 透明标签1, Property::caption, "您的一切即将准备就绪。"},
    {800, rt::window, Property::background_colour, 0xC06000},
    {800, rt::window, Property::background_colour, 0xFF8800},
    {800, rt::window, Property::background_colour, 0xC06000},
    {800, rt::window, Property::background_colour, 0xFF8800},
    {0, 透明标签1, Property::caption, "您的一切即将准备就绪。"},
};

// Bound, with nothing to prepare: the screen opens as stored.
void on_created(rt::Screen) {}

void on_start_pressed(rt::Screen screen) {
    // A second run would go on writing to this screen after the first had closed it.
    if (!rt::first_time(screen, "greeting")) return;
    for (const GreetingStep& step : greeting_script) {
        rt::wait_processing_events(step.wait_ms);
        rt::set_property(screen, step.target, step.property, step.value);
    }
    rt::InstallStage = 10;
    rt::hand_over(screen, DesktopScreen);
}

}  // namespace

const rt::ScreenDefinition WelcomeScreen{
    .name = "WelcomeScreen",
    .window = {
        .caption = "",
        .width = 958,
        .height = 612,
        .background = 0xFF8800,  // #0088FF
    },
    .controls = {
        {Kind::标签, 标签1, {832, 0, 120, 16}, {.text = "单击此开始（&S）", .background = 0x606060, .align = Align::centre}},
        {Kind::透明标签, 透明标签2, {416, 544, 104, 32}, {.text = "请勿关闭电脑", .text_colour = 0xFFFFFF, .font = rt::Font{.height = 16, .weight = 400, .face = "微软雅黑"}}},
        {Kind::透明标签, 透明标签1, {16, 244, 920, 80}, {.text = "海内存知己，天涯若比邻。", .text_colour = 0xFFFFFF, .font = rt::Font{.height = 35, .weight = 400, .face = "微软雅黑"}, .align = Align::centre}},
    },
    .handlers = {
        {rt::window, Event::created, on_created},
        {标签1, Event::pressed, on_start_pressed},
    },
};
