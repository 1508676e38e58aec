#include "test_screens.h"

#include <QWidget>

#include "runtime.h"
#include "screen_instance.h"
#include "screen_window.h"

namespace fixture {

using namespace rt;

namespace {

void note(const std::string& entry) { log.push_back(entry); }

void on_created(Screen screen)
{
    // Written while the window is still hidden.
    note(screen.lock()->window()->isVisible() ? "created:shown" : "created:hidden");
    set_property(screen, hidden_label, Property::可视, 0);
}

void on_waiter(Screen screen)
{
    note("waiter:start");
    wait_processing_events(waiter_ms);
    set_property(screen, waiter, Property::caption, "done");
    note("waiter:end");
}

void on_closer(Screen screen)
{
    destroy_screen(screen);
    note(screen.lock()->window()->isVisible() ? "closer:still shown" : "closer:gone");
}

void on_label_top(Screen) { note("label_top:pressed"); }
void on_label_top_released(Screen) { note("label_top:released"); }
void on_label_under_released(Screen) { note("label_under:released"); }
void on_window(Screen) { note("window:pressed"); }
void on_box_double(Screen) { note("box:double_clicked"); }

void on_button(Screen screen)
{
    auto* button = screen.lock()->widget(fixture::button);
    note(button->property("down").toBool() ? "button:down before handler" : "button:up before handler");
}

void on_other_created(Screen) { note("other:created"); }

}  // namespace

const ScreenDefinition TestScreen{
    .name = "TestScreen",
    .window = {.caption = "test", .width = 406, .height = 328, .background = 0x00FF00},
    .controls = {
        {Kind::标签, label_top, {10, 10, 100, 30}, {.text = "top"}},
        {Kind::标签, label_under, {60, 10, 100, 30}, {.text = "under"}},
        {Kind::透明标签, transparent, {10, 60, 100, 30}, {.text = ""}},
        {Kind::按钮, button, {10, 10, 60, 30}, {.text = "go"}, box},
        {Kind::图片框, box, {10, 100, 100, 80}},
        {Kind::进度条, bar, {200, 10, 100, 16}},
        {Kind::单选框, radio1, {200, 40, 80, 20}, {.text = "one"}},
        {Kind::单选框, radio2, {200, 70, 80, 20}, {.text = "two"}},
        {Kind::标签, hidden_label, {200, 100, 80, 30}, {.text = "hidden"}},
        {Kind::标签, waiter, {200, 150, 80, 30}, {.text = "wait"}},
        {Kind::标签, closer, {200, 200, 80, 30}, {.text = "close"}},
    },
    .handlers = {
        {window, Event::created, on_created},
        {window, Event::pressed, on_window},
        {label_top, Event::pressed, on_label_top},
        {label_top, Event::released, on_label_top_released},
        {label_under, Event::released, on_label_under_released},
        {box, Event::double_clicked, on_box_double},
        {button, Event::pressed, on_button},
        {waiter, Event::pressed, on_waiter},
        {closer, Event::pressed, on_closer},
    },
};

const ScreenDefinition OtherScreen{
    .name = "OtherScreen",
    .window = {.caption = "other", .width = 206, .height = 128},
    .controls = {},
    .handlers = {{window, Event::created, on_other_created}},
};

}  // namespace fixture
