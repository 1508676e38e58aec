#include "sim.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "install_stage.h"
#include "label_widget.h"
#include "progress_bar_widget.h"
#include "screen_window.h"

// Delivers a mouse event to a window synchronously, through the same path as the platform's.
Q_GUI_EXPORT void qt_handleMouseEvent(QWindow* window, const QPointF& local, const QPointF& global,
                                      Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
                                      Qt::KeyboardModifiers mods, int timestamp);

namespace rt::testing {

Sim::Sim(DateTime wall)
{
    InstallStage = 0;
    clock.set_local_time(wall);
    runtime.trace = [this](const TraceRecord& record) { trace.push_back(record); };
}

Sim::~Sim()
{
    runtime.trace = nullptr;
    if (QMessageBox* box = runtime.open_message_box()) box->done(QMessageBox::Ok);
}

std::shared_ptr<ScreenInstance> Sim::screen(const ScreenDefinition& definition) const
{
    return runtime.live(definition);
}

QWidget* Sim::widget(const ScreenDefinition& definition, ControlName control) const
{
    auto instance = screen(definition);
    return instance ? instance->widget(control) : nullptr;
}

std::vector<std::string> Sim::live_screen_names() const
{
    std::vector<std::string> names;
    for (const auto& instance : runtime.screens()) names.emplace_back(instance->definition().name);
    return names;
}

unsigned long Sim::next_timestamp(unsigned long gap)
{
    timestamp_ += gap;
    return timestamp_;
}

void Sim::mouse(const ScreenDefinition& definition, ControlName control, QPoint at, bool down)
{
    auto instance = screen(definition);
    if (!instance) QFAIL("mouse: the screen is not live");
    QWidget* target = instance->widget(control);
    if (!target) QFAIL("mouse: no such control");
    if (at == QPoint(-1, -1)) at = target->rect().center();
    ScreenWindow* window = instance->window();
    window->winId();
    const QPoint local = target->mapTo(window, at);
    // Presses more than a double-click interval apart, so that only double_click() makes one.
    const unsigned long gap = down ? QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50 : 20;
    qt_handleMouseEvent(window->windowHandle(), local, window->mapToGlobal(local),
                        down ? Qt::LeftButton : Qt::NoButton, Qt::LeftButton,
                        down ? QEvent::MouseButtonPress : QEvent::MouseButtonRelease, Qt::NoModifier,
                        static_cast<int>(next_timestamp(gap)));
}

void Sim::press(const ScreenDefinition& screen, ControlName control, QPoint at) { mouse(screen, control, at, true); }

void Sim::release(const ScreenDefinition& screen, ControlName control, QPoint at)
{
    mouse(screen, control, at, false);
}

void Sim::click(const ScreenDefinition& definition, ControlName control)
{
    press(definition, control);
    if (screen(definition)) release(definition, control);
}

void Sim::double_click(const ScreenDefinition& definition, ControlName control, QPoint at)
{
    auto instance = screen(definition);
    if (!instance) QFAIL("double_click: the screen is not live");
    QWidget* target = instance->widget(control);
    ScreenWindow* window = instance->window();
    window->winId();
    if (!target) QFAIL("double_click: no such control");
    if (at == QPoint(-1, -1)) at = target->rect().center();
    const QPoint local = target->mapTo(window, at);
    const QPoint global = window->mapToGlobal(local);
    QWindow* handle = window->windowHandle();
    auto send = [&](QEvent::Type type, Qt::MouseButtons state, unsigned long gap) {
        qt_handleMouseEvent(handle, local, global, state, Qt::LeftButton, type, Qt::NoModifier,
                            static_cast<int>(next_timestamp(gap)));
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    send(QEvent::MouseButtonRelease, Qt::NoButton, 20);
    send(QEvent::MouseButtonPress, Qt::LeftButton, 20);
    send(QEvent::MouseButtonRelease, Qt::NoButton, 20);
}

void Sim::press_escape(const ScreenDefinition& definition)
{
    auto instance = screen(definition);
    if (!instance) QFAIL("press_escape: the screen is not live");
    QWindow* handle = instance->window()->windowHandle();
    qt_handleKeyEvent(handle, QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QString(), false, 1);
    qt_handleKeyEvent(handle, QEvent::KeyRelease, Qt::Key_Escape, Qt::NoModifier, QString(), false, 1);
}

void Sim::close_box(const ScreenDefinition& definition)
{
    auto instance = screen(definition);
    if (!instance) QFAIL("close_box: the screen is not live");
    instance->window()->close();
}

QString Sim::close_message_box()
{
    QMessageBox* box = runtime.open_message_box();
    if (!box) {
        qWarning("close_message_box: no message box is open");
        return {};
    }
    const QString text = box->text();
    QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    return text;
}

void Sim::close_message_boxes_after(std::int64_t delay)
{
    runtime.message_box_shown = [this, delay](QMessageBox& box) {
        QPointer<QMessageBox> guarded(&box);
        clock.after(delay, [guarded] {
            if (guarded) QTest::mouseClick(guarded->button(QMessageBox::Ok), Qt::LeftButton);
        });
    };
}

std::vector<Sim::Write> Sim::messages() const { return writes("", "message_box"); }

void Sim::click_at(std::int64_t time, const ScreenDefinition& screen, ControlName control)
{
    clock.at(time, [this, &screen, control] { click(screen, control); });
}

void Sim::close_message_box_at(std::int64_t time)
{
    clock.at(time, [this] { close_message_box(); });
}

void Sim::run_until(std::int64_t time)
{
    clock.run_until(time, [this] { return runtime.ended(); });
}

std::vector<Sim::Write> Sim::writes(std::string_view control, std::string_view what) const
{
    std::vector<Write> found;
    for (const TraceRecord& record : trace)
        if (record.control == control && record.what == what) found.push_back({record.time, record.value});
    return found;
}

std::vector<std::string> Sim::events_on(std::string_view screen) const
{
    std::vector<std::string> events;
    for (const TraceRecord& record : trace) {
        const bool is_event = record.what == "pressed" || record.what == "released" || record.what == "double_clicked";
        if (record.screen == screen && is_event)
            events.push_back((record.control.empty() ? std::string("window") : record.control) + ":" + record.what);
    }
    return events;
}

QString Sim::caption(const ScreenDefinition& screen, ControlName control) const
{
    QWidget* w = widget(screen, control);
    if (auto* label = dynamic_cast<LabelWidget*>(w)) return label->caption();
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    return {};
}

bool Sim::visible(const ScreenDefinition& screen, ControlName control) const
{
    QWidget* w = widget(screen, control);
    return w && !w->isHidden();
}

int Sim::position(const ScreenDefinition& screen, ControlName control) const
{
    auto* bar = dynamic_cast<ProgressBarWidget*>(widget(screen, control));
    return bar ? bar->value() : -1;
}

bool Sim::checked(const ScreenDefinition& screen, ControlName control) const
{
    auto* button = qobject_cast<QAbstractButton*>(widget(screen, control));
    return button && button->isChecked();
}

}  // namespace rt::testing
