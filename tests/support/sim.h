// A small world for in-process tests: a virtual clock, a runtime on it, and a user who presses,
// releases, double-clicks, presses Esc and closes windows through real Qt events at the window.
#pragma once

#include <QPoint>
#include <QString>

#include <string>
#include <vector>

#include "runtime.h"
#include "screen_instance.h"
#include "toolkit.h"
#include "virtual_clock.h"

class QMessageBox;
class QWidget;

namespace rt::testing {

class Sim {
public:
    // One write to a property (or one message box), with the virtual time it happened.
    struct Write {
        std::int64_t time;
        std::string value;
    };

    explicit Sim(DateTime wall = {2020, 2, 11, 9, 5, 0});
    ~Sim();

    VirtualClock clock;
    Runtime runtime{clock};
    std::vector<TraceRecord> trace;

    std::shared_ptr<ScreenInstance> screen(const ScreenDefinition& definition) const;
    QWidget* widget(const ScreenDefinition& definition, ControlName control) const;
    std::vector<std::string> live_screen_names() const;

    // The user's hands. Points are in the control's own pixels; the default is its centre.
    void press(const ScreenDefinition& screen, ControlName control, QPoint at = {-1, -1});
    void release(const ScreenDefinition& screen, ControlName control, QPoint at = {-1, -1});
    void click(const ScreenDefinition& screen, ControlName control);
    void double_click(const ScreenDefinition& screen, ControlName control, QPoint at = {-1, -1});
    void press_escape(const ScreenDefinition& screen);
    void close_box(const ScreenDefinition& screen);
    // Presses OK on the open message box and returns its text, or fails the test if none is open.
    QString close_message_box();

    // Every message box that opens from now on is closed with OK `delay` ms later.
    void close_message_boxes_after(std::int64_t delay);
    // The texts of the message boxes shown so far, with the times they opened.
    std::vector<Write> messages() const;

    // At virtual time `time`, click / close the box (the usual scheduling in tests).
    void click_at(std::int64_t time, const ScreenDefinition& screen, ControlName control);
    void close_message_box_at(std::int64_t time);

    // Handles everything up to `time`, or until the program ends.
    void run_until(std::int64_t time);

    // The values written to one property of one control, in order, with their times.
    std::vector<Write> writes(std::string_view control, std::string_view what) const;
    std::vector<std::string> events_on(std::string_view screen) const;

    // What a control shows now.
    QString caption(const ScreenDefinition& screen, ControlName control) const;
    bool visible(const ScreenDefinition& screen, ControlName control) const;
    int position(const ScreenDefinition& screen, ControlName control) const;
    bool checked(const ScreenDefinition& screen, ControlName control) const;

private:
    void mouse(const ScreenDefinition& screen, ControlName control, QPoint at, bool down);
    unsigned long next_timestamp(unsigned long gap);

    unsigned long timestamp_ = 100000;
};

}  // namespace rt::testing
