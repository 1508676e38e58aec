#include "runtime.h"

#include <QApplication>
#include <QMessageBox>
#include <QWindow>

#include "accessibility.h"
#include "clock.h"
#include "control_factory.h"
#include "screen_instance.h"
#include "screen_window.h"

namespace rt {

namespace {

Runtime* current_runtime = nullptr;

// A destroy request waits in Qt's queue like any other event, so the screen stays on view and
// working until a loop (the main one or a wait's) gets to it.
class DestroyRequest final : public QEvent {
public:
    static inline const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    explicit DestroyRequest(std::weak_ptr<ScreenInstance> screen) : QEvent(type), screen(std::move(screen)) {}
    std::weak_ptr<ScreenInstance> screen;
};

const char* event_name(Event event)
{
    switch (event) {
    case Event::created: return "created";
    case Event::pressed: return "pressed";
    case Event::released: return "released";
    case Event::double_clicked: return "double_clicked";
    }
    return "?";
}

}  // namespace

Runtime::Runtime(Clock& clock) : clock_(clock), router_(*this)
{
    Q_ASSERT(!current_runtime);
    current_runtime = this;
    // Our own loops decide when the program ends, not Qt's count of open windows.
    QGuiApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(&router_);
    install_accessibility();
}

Runtime::~Runtime()
{
    qApp->removeEventFilter(&router_);
    for (auto& screen : screens_) screen->tear_down();
    screens_.clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    current_runtime = nullptr;
}

Runtime& Runtime::current()
{
    Q_ASSERT(current_runtime);
    return *current_runtime;
}

int Runtime::run(const ScreenDefinition& first)
{
    if (!load_screen(first)) {
        if (ended_) return exit_status_;  // its creation ended the program on purpose
        QMessageBox::critical(nullptr, QStringLiteral("信息："), QStringLiteral("无法打开第一个窗口，程序将退出。"));
        return -1;
    }
    clock_.idle(-1, [this] { return ended_; });
    return exit_status_;
}

std::shared_ptr<ScreenInstance> Runtime::live(const ScreenDefinition& definition) const
{
    for (const auto& screen : screens_)
        if (&screen->definition() == &definition && screen->alive()) return screen;
    return nullptr;
}

ScreenInstance* Runtime::instance_for_window(const QObject* window) const
{
    for (const auto& screen : screens_)
        if (screen->window() && static_cast<const QObject*>(screen->window()->windowHandle()) == window) return screen.get();
    return nullptr;
}

void Runtime::drain()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool Runtime::load_screen(const ScreenDefinition& definition)
{
    if (ended_) return false;
    // A live instance is only brought to the front; one marked for destruction goes first.
    const auto activate_live = [&] {
        auto screen = live(definition);
        if (screen && !screen->marked()) {
            screen->activate();
            return true;
        }
        if (screen) destroy_now(*screen);
        return false;
    };
    if (activate_live()) return true;
    drain();
    // A handler that ran in that drain may have loaded this very screen.
    if (activate_live()) return true;
    if (ended_) return false;

    auto screen = std::make_shared<ScreenInstance>(definition);
    screens_.push_back(screen);
    ++building_;
    screen->build();
    drain();
    --building_;

    raise(*screen, window, Event::created);
    // Nothing more is shown once the created handler has ended the program.
    if (!screen->alive() || ended_) return false;
    screen->show_and_activate();
    return true;
}

void Runtime::request_destroy(const std::shared_ptr<ScreenInstance>& screen)
{
    if (!screen->alive() || screen->marked()) return;
    screen->mark();
    QCoreApplication::postEvent(this, new DestroyRequest(screen));
}

void Runtime::customEvent(QEvent* event)
{
    if (event->type() != DestroyRequest::type) return;
    if (auto screen = static_cast<DestroyRequest*>(event)->screen.lock()) destroy_now(*screen);
}

void Runtime::destroy_now(ScreenInstance& screen)
{
    if (!screen.alive()) return;
    record(screen, window, "destroyed", "");
    auto keep = screen.shared_from_this();
    screen.tear_down();
    std::erase(screens_, keep);
    if (screens_.empty()) request_exit(0);
}

void Runtime::wait(int ms)
{
    if (ended_) throw HandlerAbort{};
    if (ms <= 0) return;
    const std::int64_t deadline = clock_.now_ms() + ms;
    clock_.idle(deadline, [this] { return ended_; });
    if (ended_) throw HandlerAbort{};
}

int Runtime::message_box(std::string_view text, int style)
{
    if (ended_) throw HandlerAbort{};
    QMessageBox box(style == 16 ? QMessageBox::Critical : QMessageBox::NoIcon, QStringLiteral("信息："),
                    to_qstring(text), QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    bool closed = false;
    connect(&box, &QDialog::finished, &box, [this, &closed] {
        closed = true;
        clock_.wake();
    });
    QMessageBox* outer = open_box_;
    open_box_ = &box;
    ++boxes_open_;
    box.show();
    record_message(box);
    clock_.idle(-1, [this, &closed] { return closed || ended_; });
    --boxes_open_;
    open_box_ = outer;
    if (ended_) throw HandlerAbort{};
    return QMessageBox::Ok;
}

void Runtime::record_message(QMessageBox& box)
{
    if (trace)
        trace({clock_.now_ms(), "", "", "message_box", box.text().toStdString()});
    if (message_box_shown) message_box_shown(box);
}

void Runtime::request_exit(int status)
{
    if (ended_) return;
    ended_ = true;
    exit_status_ = status;
    clock_.wake();
}

void Runtime::raise(ScreenInstance& screen, ControlName control, Event event)
{
    record(screen, control, event_name(event), "");
    if (handlers_blocked()) return;
    const Handler handler = screen.handler(control, event);
    if (!handler) return;
    try {
        handler(Screen(screen.weak_from_this()));
    } catch (const HandlerAbort&) {
        // The handler's screen went away, or the program is ending: it stops here, quietly.
    }
}

void Runtime::record(const ScreenInstance& screen, ControlName control, std::string_view what, std::string value)
{
    if (trace)
        trace({clock_.now_ms(), std::string(screen.definition().name), std::string(control.name),
               std::string(what), std::move(value)});
}

}  // namespace rt
