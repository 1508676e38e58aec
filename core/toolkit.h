// The commands that screen handlers call. This header is all that a screen sees of the toolkit:
// no Qt type crosses it.
//
// A handler is a straight sequence of commands. A wait keeps handling window events, so another
// handler (or the same one again) may run to its end inside it. When a handler's screen has been
// closed under it, the next command that addresses that screen ends the handler quietly; when the
// program ends, a waiting handler never resumes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "screen_definition.h"

namespace rt {

class ScreenInstance;

// A handle on one live instance of a screen. It stays valid to hold after the screen is gone;
// commands addressed through it then end the calling handler quietly.
class Screen {
public:
    Screen() = default;
    explicit Screen(std::weak_ptr<ScreenInstance> instance) : instance_(std::move(instance)) {}
    std::shared_ptr<ScreenInstance> lock() const { return instance_.lock(); }

private:
    std::weak_ptr<ScreenInstance> instance_;
};

// An encoded JPEG or PNG held as bytes.
struct Picture {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

enum class Property {
    可视,  // visible
    禁止,  // disabled
    caption,
    text_colour,
    background_colour,
    background_picture,
    position,
    checked,
    地址,  // the web pane's address
};

using Value = std::variant<std::int64_t, std::string, Picture>;

struct DateTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend constexpr bool operator==(const DateTime&, const DateTime&) = default;
};

void set_property(Screen screen, ControlName control, Property property, Value value);
// Reads a radio button's check mark (1 or 0), or a control's visibility.
std::int64_t get_property(Screen screen, ControlName control, Property property);

// Builds, shows and activates a new instance, or only activates the live one.
bool load_screen(const ScreenDefinition& definition);
// Marks the screen for destruction; it goes away when the event loop next runs.
void destroy_screen(Screen screen);
// Load `next`, then destroy `current`: every screen change is such a hand-over.
void hand_over(Screen current, const ScreenDefinition& next);
// True the first time it is asked for this key on this instance: lets a handler ignore presses
// while something it started (a restart, a script) is still running.
bool first_time(Screen screen, std::string_view key);
// True once first_time has been asked for this key on this instance; takes nothing.
bool already_started(Screen screen, std::string_view key);

// Returns after more than `ms` milliseconds, handling every event meanwhile.
void wait_processing_events(int ms);

inline constexpr int message_plain = 0;
inline constexpr int message_error = 16;
// A box with the text, one OK button and the caption "信息：", modal for the whole program.
int show_message_box(std::string_view text, int style);

// Ends the program at once with this status, from any depth of nesting.
[[noreturn]] void end_program(int status);

// The web pane loads again the page that it shows now.
void reload_page(Screen screen, ControlName pane);

DateTime current_time();
int hour_of(const DateTime& time);
int minute_of(const DateTime& time);
DateTime date_only(const DateTime& time);
std::string to_text(std::int64_t number);
std::string to_text(const DateTime& time);
// A missing text (a null view) joins as an empty one.
std::string join_texts(std::initializer_list<std::string_view> texts);
std::size_t text_byte_count(const char* text);

// Showing or hiding a group writes every member's visibility in the group's own order.
void set_group_visible(Screen screen, std::span<const ControlName> group, bool visible);

}  // namespace rt
