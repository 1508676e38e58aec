// The form of a screen: one window record, an ordered list of control records and the handlers bound
// to (control, event) pairs. Plain data with no toolkit types in it, so a screen file reads like a
// table. A record states only what differs from its kind's defaults.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace rt {

// 0x00BBGGRR: red in the low byte.
using Colour = std::uint32_t;
// Not a colour but the default mark: the system's button-face colour.
inline constexpr Colour button_face = 0xFF000000;

enum class Kind { 窗口, 标签, 透明标签, 图片框, 编辑框, 选择框, 单选框, 进度条, 按钮, 超文本浏览框 };

enum class Event { created, pressed, released, double_clicked };

// A control's name as the definition gives it. The constants are made by RT_CONTROL so that a
// misspelt name fails to compile.
struct ControlName {
    std::string_view name;
    friend constexpr bool operator==(ControlName, ControlName) = default;
};
#define RT_CONTROL(identifier) inline constexpr ::rt::ControlName identifier{#identifier};

// The screen's own window, addressed like a control.
inline constexpr ControlName window{""};

enum class Align { left, centre, right };
enum class VAlign { top, centre, bottom };

enum class Border {
    none = 0,
    sunken = 1,
    raised = 2,
    shallow_sunken = 3,
    sunken_in_raised = 4,
    thin_line = 5,
    gradient_frame = 6,  // labels only
};

struct Place {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Font {
    int height = 12;  // character height in pixels
    int weight = 400;
    bool italic = false;
    bool underline = false;
    std::string_view face = {};  // empty: the system's default face
};

// A label's gradient background: mode 1 runs top to bottom, mode 2 left to right.
// Colours that hold the default mark are left out.
struct Gradient {
    int mode = 0;
    Colour colours[3] = {button_face, button_face, button_face};
};

// The gradient frame of border 6.
struct GradientFrame {
    int width = 5;
    Colour colours[3] = {button_face, button_face, button_face};
};

class Screen;
using Handler = void (*)(Screen);

// The kind's own properties. Optional fields left empty take the kind's default.
struct Look {
    std::string_view text = {};
    std::optional<Colour> background = {};
    Colour text_colour = 0x000000;
    std::optional<Font> font = {};
    Align align = Align::left;
    VAlign valign = VAlign::centre;
    bool multi_line = false;
    std::optional<Border> border = {};
    Gradient gradient = {};
    GradientFrame gradient_frame = {};
    int effect = 0;
    std::string_view picture = {};  // a catalogue name
    int display_mode = 0;      // picture boxes
    bool read_only = false;    // edit box input mode 1
    bool smooth = false;       // progress bars
    int minimum = 0;
    int maximum = 100;
    int position = 0;
    bool checked = false;
    bool tab_stop = false;
    bool visible = true;
    bool disabled = false;
};

struct ControlDefinition {
    Kind kind;
    ControlName name;
    Place place;
    Look look = {};
    ControlName parent = window;
};

struct WindowRecord {
    std::string_view caption = {};
    int width = 0;  // outer size, frame and title bar included
    int height = 0;
    int left = 50;  // used only with start position 0
    int top = 50;
    int frame_style = 2;
    int start_position = 1;
    bool control_box = true;
    bool minimise_box = true;
    bool maximise_box = false;
    bool movable = true;
    bool in_taskbar = true;
    bool always_on_top = false;
    bool esc_closes = true;
    Colour background = button_face;
    std::string_view picture = {};  // a catalogue name
    int picture_mode = 1;
};

struct Binding {
    ControlName control;  // `window` for the window itself
    Event event;
    Handler handler;
};

struct ScreenDefinition {
    std::string_view name = {};
    WindowRecord window;
    std::vector<ControlDefinition> controls;  // stacking order: the first lies on top
    std::vector<Binding> handlers;
};

}  // namespace rt
