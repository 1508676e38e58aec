// The toolkit's engine room: the live screens, loading and destroying them, waits, message boxes
// and the end of the program. One Runtime exists while the program (or a test) runs.
#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "event_router.h"
#include "toolkit.h"

class QMessageBox;

namespace rt {

class Clock;
class ScreenInstance;

// Thrown to end a handler quietly, because its screen is gone or the program is ending. It is
// caught where the handler was started, so it never crosses Qt's own code.
struct HandlerAbort {};

// One observable step, for tests and diagnostics: a property write or a raised event.
struct TraceRecord {
    std::int64_t time = 0;
    std::string screen;   // the definition's name
    std::string control;  // empty for the window
    std::string what;     // the property or event
    std::string value;
};

class Runtime final : public QObject {
public:
    explicit Runtime(Clock& clock);
    ~Runtime() override;
    static Runtime& current();

    Clock& clock() { return clock_; }

    // Loads the first screen and runs the main loop; returns the exit status.
    int run(const ScreenDefinition& first);

    bool load_screen(const ScreenDefinition& definition);
    void request_destroy(const std::shared_ptr<ScreenInstance>& screen);
    // The close box, Esc, or a handled destroy request.
    void destroy_now(ScreenInstance& screen);
    void wait(int ms);
    int message_box(std::string_view text, int style);
    void request_exit(int status);

    bool ended() const { return ended_; }
    int exit_status() const { return exit_status_; }
    // While a screen is being built, while a message box is open and once the program is ending,
    // events still reach the controls but no handler starts.
    bool handlers_blocked() const { return building_ > 0 || boxes_open_ > 0 || ended_; }

    std::shared_ptr<ScreenInstance> live(const ScreenDefinition& definition) const;
    const std::vector<std::shared_ptr<ScreenInstance>>& screens() const { return screens_; }
    ScreenInstance* instance_for_window(const QObject* window) const;
    QMessageBox* open_message_box() const { return open_box_; }

    // Runs the handler bound to (control, event), if there is one.
    void raise(ScreenInstance& screen, ControlName control, Event event);

    std::function<void(const TraceRecord&)> trace;
    // Told of every message box as it opens (tests close them at a chosen time).
    std::function<void(QMessageBox&)> message_box_shown;
    void record(const ScreenInstance& screen, ControlName control, std::string_view what,
                std::string value);

private:
    void customEvent(QEvent* event) override;
    void drain();
    void record_message(QMessageBox& box);

    Clock& clock_;
    EventRouter router_;
    std::vector<std::shared_ptr<ScreenInstance>> screens_;
    QMessageBox* open_box_ = nullptr;
    int building_ = 0;
    int boxes_open_ = 0;
    bool ended_ = false;
    int exit_status_ = 0;
};

}  // namespace rt
