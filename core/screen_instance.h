// One live instance of a screen: its window, its controls and whatever handlers wrote to them.
// Destroying it throws every change away; the next load starts again from the definition.
#pragma once

#include <QPoint>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "pointer_state.h"
#include "toolkit.h"

class QWidget;

namespace rt {

class ScreenWindow;

class ScreenInstance final : public std::enable_shared_from_this<ScreenInstance> {
public:
    explicit ScreenInstance(const ScreenDefinition& definition);
    ~ScreenInstance();
    ScreenInstance(const ScreenInstance&) = delete;
    ScreenInstance& operator=(const ScreenInstance&) = delete;

    const ScreenDefinition& definition() const { return definition_; }
    ScreenWindow* window() const { return window_; }
    bool alive() const { return window_ != nullptr; }
    bool marked() const { return marked_; }
    void mark() { marked_ = true; }

    // Creates the window and every control, hidden, stacked in definition order.
    void build();
    void show_and_activate();
    void activate();
    // Hides the window at once and lets Qt delete it once no event of it is being handled.
    void tear_down();

    void set(ControlName control, Property property, const Value& value);
    std::int64_t get(ControlName control, Property property) const;

    // The topmost visible control at a point of the client area, or the window.
    ControlName control_at(QPoint point) const;
    const ControlDefinition* record(ControlName control) const;
    QWidget* widget(ControlName control) const;
    Handler handler(ControlName control, Event event) const;
    bool first_time(std::string_view key) { return latches_.insert(std::string(key)).second; }
    bool started(std::string_view key) const { return latches_.contains(key); }

    PointerState& pointer() { return pointer_; }

private:
    struct Control {
        const ControlDefinition* record;
        QWidget* widget;
    };
    const Control* find(ControlName control) const;
    void set_on_window(Property property, const Value& value);
    void set_on_control(const Control& control, Property property, const Value& value);

    const ScreenDefinition& definition_;
    ScreenWindow* window_ = nullptr;
    std::vector<Control> controls_;
    std::set<std::string, std::less<>> latches_;
    PointerState pointer_;
    bool marked_ = false;
};

}  // namespace rt
