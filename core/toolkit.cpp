// The handlers' commands, on top of the runtime.
#include "toolkit.h"

#include "runtime.h"
#include "screen_instance.h"
#include "web_pane.h"

namespace rt {

namespace {

// A command addressed to a screen that is gone (closed while its handler waited) ends the
// handler quietly instead of writing anywhere.
std::shared_ptr<ScreenInstance> live_or_end(Screen screen)
{
    auto instance = screen.lock();
    if (!instance || !instance->alive() || Runtime::current().ended()) throw HandlerAbort{};
    return instance;
}

}  // namespace

void set_property(Screen screen, ControlName control, Property property, Value value)
{
    live_or_end(screen)->set(control, property, value);
}

std::int64_t get_property(Screen screen, ControlName control, Property property)
{
    return live_or_end(screen)->get(control, property);
}

bool load_screen(const ScreenDefinition& definition) { return Runtime::current().load_screen(definition); }

void destroy_screen(Screen screen) { Runtime::current().request_destroy(live_or_end(screen)); }

void hand_over(Screen current, const ScreenDefinition& next)
{
    live_or_end(current);
    load_screen(next);
    destroy_screen(current);
}

bool first_time(Screen screen, std::string_view key) { return live_or_end(screen)->first_time(key); }

bool already_started(Screen screen, std::string_view key) { return live_or_end(screen)->started(key); }

void wait_processing_events(int ms) { Runtime::current().wait(ms); }

int show_message_box(std::string_view text, int style) { return Runtime::current().message_box(text, style); }

void end_program(int status)
{
    Runtime::current().request_exit(status);
    throw HandlerAbort{};
}

void reload_page(Screen screen, ControlName pane)
{
    const auto instance = live_or_end(screen);
    Runtime::current().record(*instance, pane, "reload", "");
    if (auto* web = dynamic_cast<WebPane*>(instance->widget(pane))) web->reload();
}

void set_group_visible(Screen screen, std::span<const ControlName> group, bool visible)
{
    for (ControlName member : group) set_property(screen, member, Property::可视, visible ? 1 : 0);
}

}  // namespace rt
