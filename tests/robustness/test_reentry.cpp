// Re-entry, one case at a time: a second press on an action while its sequence runs, presses
// during the restart pauses, Esc and the close box in the middle of a sequence, input waiting in
// the queue behind a hand-over, "关机" in the middle of the desktop's sequences, and clicks while a
// message box is open.
#include <QCoreApplication>
#include <QTest>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#ifndef Q_MOC_RUN
#include "desktop_screen.h"
#include "install_stage.h"
#include "pe_screen.h"
#include "setup_controls.h"
#include "setup_screen.h"
#include "sim.h"
#include "welcome_screen.h"
#endif

using namespace rt;

namespace {

const ScreenDefinition& screen_named(const QString& name)
{
    if (name == "PeScreen") return PeScreen;
    if (name == "SetupScreen") return SetupScreen;
    if (name == "WelcomeScreen") return WelcomeScreen;
    return DesktopScreen;
}

// The sequences that a press starts, each from the screen and stage where it belongs.
enum class Sequence { write, desktop_restart, install, pe_restart, greeting };

struct SequenceSetup {
    const char* name;
    const ScreenDefinition* screen;
    int stage;
    ControlName action;
    const char* first_write;  // control.property that the sequence writes first
};

const SequenceSetup& setup_of(Sequence sequence)
{
    static const std::map<Sequence, SequenceSetup> all = {
        {Sequence::write, {"write", &DesktopScreen, 0, desktop::标签11, "透明标签5.caption"}},
        {Sequence::desktop_restart, {"desktop restart", &DesktopScreen, 1, desktop::标签11, "标签10.可视"}},
        {Sequence::install, {"install", &PeScreen, 1, pe::标签5, "透明标签4.caption"}},
        {Sequence::pe_restart, {"PE restart", &PeScreen, 8, pe::标签5, "标签5.caption"}},
        {Sequence::greeting, {"greeting", &WelcomeScreen, 8, welcome::标签1, ".background_colour"}},
    };
    return all.at(sequence);
}

// Loads the sequence's screen at its stage and opens the panel that holds its action.
void prepare(testing::Sim& sim, Sequence sequence)
{
    const SequenceSetup& setup = setup_of(sequence);
    InstallStage = setup.stage;
    QVERIFY(load_screen(*setup.screen));
    if (setup.screen == &DesktopScreen) sim.double_click(DesktopScreen, desktop::图片框1);
    if (setup.screen == &PeScreen) sim.double_click(PeScreen, pe::图片框2);
}

std::vector<std::string> texts(const std::vector<testing::Sim::Write>& writes)
{
    std::vector<std::string> values;
    for (const auto& write : writes) values.push_back(write.value);
    return values;
}

std::size_t count_records(const testing::Sim& sim, std::string_view screen, std::string_view what)
{
    return static_cast<std::size_t>(std::count_if(sim.trace.begin(), sim.trace.end(), [&](const TraceRecord& r) {
        return r.screen == screen && r.what == what;
    }));
}

bool is_event(const TraceRecord& record)
{
    return record.what == "pressed" || record.what == "released" || record.what == "double_clicked";
}

// The records from `time` on that are effects: property writes, message boxes, screens created
// or destroyed (the events raised at the controls are not).
std::vector<std::string> effects_from(const testing::Sim& sim, std::int64_t time)
{
    std::vector<std::string> effects;
    for (const TraceRecord& record : sim.trace)
        if (record.time >= time && !is_event(record))
            effects.push_back(std::to_string(record.time) + " " + record.screen + "." + record.control + " "
                              + record.what + " " + record.value);
    return effects;
}

// Input that waits in the queue and is handled at the next draining of events, as a real click
// is: in a wait, in the main loop, or in the drains of a screen being loaded.
class QueuedInput final : public QEvent {
public:
    static inline const QEvent::Type type = static_cast<QEvent::Type>(QEvent::registerEventType());
    explicit QueuedInput(std::function<void()> deliver) : QEvent(type), deliver(std::move(deliver)) {}
    std::function<void()> deliver;
};

class Courier final : public QObject {
public:
    void queue(std::function<void()> deliver) { QCoreApplication::postEvent(this, new QueuedInput(std::move(deliver))); }

protected:
    void customEvent(QEvent* event) override
    {
        if (event->type() == QueuedInput::type) static_cast<QueuedInput*>(event)->deliver();
    }
};

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines) text += "\n  " + line;
    return text;
}

}  // namespace

class Reentry : public QObject {
    Q_OBJECT
private slots:
    // A second press while the sequence runs. The write and the install run again in full inside
    // the first run; the greeting ignores it.
    void second_press_during_a_sequence_data()
    {
        QTest::addColumn<int>("sequence");
        QTest::addColumn<qint64>("second_at");
        QTest::addColumn<QString>("counted");  // control.property whose writes are counted
        QTest::addColumn<int>("writes");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("stage");
        QTest::addColumn<QString>("live");
        const QString write_done = "写入PE镜像成功！！！", install_done = "安装成功！重启以完成安装！";
        QTest::newRow("USB write, early") << int(Sequence::write) << qint64(2100) << "进度条1.position" << 60
                                          << QStringList{write_done, write_done} << 1 << "DesktopScreen";
        QTest::newRow("USB write, last step") << int(Sequence::write) << qint64(14800) << "进度条1.position" << 60
                                              << QStringList{write_done, write_done} << 1 << "DesktopScreen";
        QTest::newRow("PE install, early") << int(Sequence::install) << qint64(3000) << "进度条1.position" << 60
                                           << QStringList{install_done, install_done} << 8 << "PeScreen";
        QTest::newRow("PE install, in the long pause") << int(Sequence::install) << qint64(9000) << "进度条1.position"
                                                       << 60 << QStringList{install_done, install_done} << 8
                                                       << "PeScreen";
        QTest::newRow("greeting, early") << int(Sequence::greeting) << qint64(1000) << "window.background_colour" << 14
                                         << QStringList{} << 10 << "DesktopScreen";
        QTest::newRow("greeting, in the long pause") << int(Sequence::greeting) << qint64(10000)
                                                     << "window.background_colour" << 14 << QStringList{} << 10
                                                     << "DesktopScreen";
    }
    void second_press_during_a_sequence()
    {
        QFETCH(int, sequence);
        QFETCH(qint64, second_at);
        QFETCH(QString, counted);
        QFETCH(int, writes);
        QFETCH(QStringList, messages);
        QFETCH(int, stage);
        QFETCH(QString, live);
        const SequenceSetup& setup = setup_of(Sequence(sequence));
        testing::Sim sim;
        sim.close_message_boxes_after(500);
        prepare(sim, Sequence(sequence));
        sim.clock.at(0, [&] { sim.press(*setup.screen, setup.action); });
        sim.clock.at(second_at, [&] { sim.press(*setup.screen, setup.action); });
        sim.run_until(120000);

        const QStringList parts = counted.split('.');
        const std::string control = parts[0] == "window" ? "" : parts[0].toStdString();
        QCOMPARE(int(sim.writes(control, parts[1].toStdString()).size()), writes);
        QStringList shown;
        for (const auto& message : sim.messages()) shown << QString::fromStdString(message.value);
        QCOMPARE(shown, messages);
        QCOMPARE(InstallStage, stage);
        QCOMPARE(sim.live_screen_names(), std::vector<std::string>{live.toStdString()});
        QVERIFY(!sim.runtime.ended());
        if (Sequence(sequence) == Sequence::greeting) {
            // One hand-over: one desktop, and the greeting written once.
            QCOMPARE(count_records(sim, "DesktopScreen", "created"), std::size_t(1));
            QCOMPARE(sim.writes("透明标签1", "caption").size(), std::size_t(4));
        }
    }

    // Drive F chosen during the install, then the action pressed: the refusal runs nested, the
    // install goes on and ends as usual.
    void drive_f_refused_during_the_install()
    {
        testing::Sim sim;
        sim.close_message_boxes_after(500);
        prepare(sim, Sequence::install);
        sim.clock.at(0, [&] { sim.press(PeScreen, pe::标签5); });
        sim.clock.at(3000, [&] { sim.click(PeScreen, pe::单选框4); });
        sim.clock.at(3100, [&] { sim.press(PeScreen, pe::标签5); });
        sim.run_until(60000);
        QCOMPARE(texts(sim.messages()), (std::vector<std::string>{"空间不足！", "安装成功！重启以完成安装！"}));
        QCOMPARE(sim.writes("进度条1", "position").size(), std::size_t(30));
        QVERIFY(sim.checked(PeScreen, pe::单选框1));
        QVERIFY(!sim.checked(PeScreen, pe::单选框4));
        QCOMPARE(InstallStage, 8);
    }

    // Presses on the restart button during the five-second pause do nothing: one hand-over.
    void presses_during_the_restart_pause_are_ignored_data()
    {
        QTest::addColumn<int>("sequence");
        QTest::addColumn<QString>("next");
        QTest::newRow("desktop") << int(Sequence::desktop_restart) << "PeScreen";
        QTest::newRow("PE") << int(Sequence::pe_restart) << "SetupScreen";
    }
    void presses_during_the_restart_pause_are_ignored()
    {
        QFETCH(int, sequence);
        QFETCH(QString, next);
        const SequenceSetup& setup = setup_of(Sequence(sequence));
        testing::Sim sim;
        prepare(sim, Sequence(sequence));
        sim.clock.at(1000, [&] { sim.press(*setup.screen, setup.action); });
        // On the place of the button, hidden or not, and on the button itself once shown again.
        sim.clock.at(2000, [&] { sim.press(*setup.screen, setup.action); });
        sim.clock.at(3000, [&] {
            if (setup.screen == &DesktopScreen) sim.double_click(DesktopScreen, desktop::图片框1);
            sim.press(*setup.screen, setup.action);
        });
        sim.clock.at(5990, [&] { sim.press(*setup.screen, setup.action); });
        sim.run_until(20000);

        const std::string current(setup.screen->name), following = next.toStdString();
        QCOMPARE(sim.live_screen_names(), std::vector<std::string>{following});
        QCOMPARE(count_records(sim, following, "created"), std::size_t(1));
        QCOMPARE(count_records(sim, current, "destroyed"), std::size_t(1));
        QVERIFY(sim.messages().empty());
        QCOMPARE(InstallStage, setup.stage);
        // The one hand-over came five seconds after the first press.
        const auto created = std::find_if(sim.trace.begin(), sim.trace.end(),
                                          [&](const TraceRecord& r) { return r.what == "created" && r.screen == following; });
        QVERIFY(created != sim.trace.end());
        QCOMPARE(created->time, std::int64_t(1000 + 5001));
        if (setup.screen == &PeScreen) QCOMPARE(sim.writes("标签5", "caption").size(), std::size_t(1));
    }

    // Drive F chosen during the PE's restart pause, then the restart button pressed again. The
    // press is one on the restart button while a restart is pending, so it should be ignored like
    // the others; the handler looks at drive F before it looks for the pending restart, so it
    // shows "空间不足！" instead, rewrites the drive choice, and the restart waits for the box.
    void drive_f_during_the_pe_restart_pause_is_ignored()
    {
        testing::Sim sim;
        prepare(sim, Sequence::pe_restart);
        sim.clock.at(1000, [&] { sim.press(PeScreen, pe::标签5); });
        sim.clock.at(2000, [&] { sim.click(PeScreen, pe::单选框4); });
        sim.clock.at(2100, [&] { sim.press(PeScreen, pe::标签5); });
        // Closed long after the pause was over.
        sim.clock.at(9000, [&] {
            if (sim.runtime.open_message_box()) sim.close_message_box();
        });
        sim.run_until(20000);
        QCOMPARE(sim.live_screen_names(), std::vector<std::string>{"SetupScreen"});
        QVERIFY2(sim.messages().empty(), "a message box was shown during the restart pause");
        const auto created = std::find_if(sim.trace.begin(), sim.trace.end(), [](const TraceRecord& r) {
            return r.what == "created" && r.screen == "SetupScreen";
        });
        QVERIFY(created != sim.trace.end());
        QCOMPARE(created->time, std::int64_t(1000 + 5001));
    }

    // Esc or the close box in the middle of a sequence: the handler ends quietly at its next
    // command, with no write, no message and no hand-over. With another screen open the program
    // goes on; with none it ends with status 0.
    void closing_the_screen_during_its_sequence_data()
    {
        QTest::addColumn<int>("sequence");
        QTest::addColumn<qint64>("close_at");
        QTest::addColumn<bool>("escape");
        QTest::addColumn<bool>("bystander");
        const std::vector<std::pair<Sequence, qint64>> moments = {
            {Sequence::write, 3000},    {Sequence::desktop_restart, 2000}, {Sequence::install, 9000},
            {Sequence::pe_restart, 2000}, {Sequence::greeting, 6000},        {Sequence::greeting, 12000},
        };
        for (const auto& [sequence, at] : moments)
            for (bool escape : {true, false})
                for (bool bystander : {false, true}) {
                    const std::string name = std::string(setup_of(sequence).name) + " at " + std::to_string(at)
                        + (escape ? ", Esc" : ", close box") + (bystander ? ", another screen open" : ", alone");
                    QTest::newRow(name.c_str()) << int(sequence) << at << escape << bystander;
                }
    }
    void closing_the_screen_during_its_sequence()
    {
        QFETCH(int, sequence);
        QFETCH(qint64, close_at);
        QFETCH(bool, escape);
        QFETCH(bool, bystander);
        const SequenceSetup& setup = setup_of(Sequence(sequence));
        // Never the screen that the sequence hands over to.
        const ScreenDefinition& other = setup.screen == &WelcomeScreen ? SetupScreen : WelcomeScreen;
        testing::Sim sim;
        sim.close_message_boxes_after(500);
        if (bystander) QVERIFY(load_screen(other));
        prepare(sim, Sequence(sequence));
        sim.clock.at(0, [&] { sim.press(*setup.screen, setup.action); });
        sim.clock.at(close_at, [&] { escape ? sim.press_escape(*setup.screen) : sim.close_box(*setup.screen); });
        sim.run_until(120000);

        const std::string name(setup.screen->name);
        // The sequence had begun.
        const QStringList first = QString(setup.first_write).split('.');
        const auto begun = sim.writes(first[0].toStdString(), first[1].toStdString());
        QVERIFY(!begun.empty() && begun.back().time < close_at);
        QCOMPARE(count_records(sim, name, "destroyed"), std::size_t(1));
        // The close is the screen's last record and the last effect of all.
        QCOMPARE(sim.trace.back().screen, name);
        QCOMPARE(sim.trace.back().what, std::string("destroyed"));
        const std::vector<std::string> after = effects_from(sim, close_at);
        QVERIFY2(after.size() == 1, joined(after).c_str());  // the close itself
        QCOMPARE(InstallStage, setup.stage);
        QVERIFY(sim.messages().empty());
        QCOMPARE(sim.runtime.ended(), !bystander);
        QCOMPARE(sim.runtime.exit_status(), 0);
        if (bystander) QCOMPARE(sim.live_screen_names(), std::vector<std::string>{std::string(other.name)});
    }

    // A second input waits in the queue behind the press on "下一步", so it is handled inside the
    // hand-over, in the first drain of the greeting's load: a second press loads the greeting
    // there (and the first press then finds it live: still one greeting); Esc or the close box
    // closes the setup page there (alone, that ends the program before the greeting is built).
    void input_queued_behind_next_is_handled_in_the_hand_over_data()
    {
        QTest::addColumn<QString>("queued");
        QTest::addColumn<bool>("bystander");
        QTest::addColumn<bool>("ends");
        QTest::addColumn<QStringList>("live");
        QTest::newRow("second press") << "press" << false << false << QStringList{"WelcomeScreen"};
        QTest::newRow("second press, another screen open")
            << "press" << true << false << QStringList{"PeScreen", "WelcomeScreen"};
        QTest::newRow("Esc, alone") << "escape" << false << true << QStringList{};
        QTest::newRow("Esc, another screen open") << "escape" << true << false << QStringList{"PeScreen", "WelcomeScreen"};
        QTest::newRow("close box, alone") << "close" << false << true << QStringList{};
        QTest::newRow("close box, another screen open")
            << "close" << true << false << QStringList{"PeScreen", "WelcomeScreen"};
    }
    void input_queued_behind_next_is_handled_in_the_hand_over()
    {
        QFETCH(QString, queued);
        QFETCH(bool, bystander);
        QFETCH(bool, ends);
        QFETCH(QStringList, live);
        testing::Sim sim;
        Courier courier;
        InstallStage = 8;
        if (bystander) QVERIFY(load_screen(PeScreen));
        QVERIFY(load_screen(SetupScreen));
        bool delivered = false;
        sim.clock.at(100, [&] {
            courier.queue([&] {
                delivered = true;
                // Still the setup page's own drain: the greeting is not built yet.
                QVERIFY(!sim.screen(WelcomeScreen));
                if (queued == "press") sim.press(SetupScreen, setup::按钮1);
                else if (queued == "escape") sim.press_escape(SetupScreen);
                else sim.close_box(SetupScreen);
            });
            sim.press(SetupScreen, setup::按钮1);
        });
        sim.run_until(1000);
        QCoreApplication::removePostedEvents(&courier);

        QVERIFY(delivered);
        QCOMPARE(sim.runtime.ended(), ends);
        QCOMPARE(sim.runtime.exit_status(), 0);
        QStringList names;
        if (!ends)
            for (const std::string& name : sim.live_screen_names()) names << QString::fromStdString(name);
        QCOMPARE(names, live);
        QCOMPARE(count_records(sim, "WelcomeScreen", "created"), std::size_t(ends ? 0 : 1));
        QCOMPARE(count_records(sim, "SetupScreen", "destroyed"), std::size_t(1));
        QCOMPARE(count_records(sim, "SetupScreen", "pressed"), std::size_t(queued == "press" ? 2 : 1));
        QCOMPARE(InstallStage, 8);
    }

    // "关机" ends the program at once, in the middle of either desktop sequence, nested or not.
    void shut_down_during_a_desktop_sequence_data()
    {
        QTest::addColumn<int>("sequence");
        QTest::addColumn<qint64>("second_press_at");  // -1: none
        QTest::addColumn<qint64>("shut_down_at");
        QTest::newRow("write") << int(Sequence::write) << qint64(-1) << qint64(4000);
        QTest::newRow("nested write") << int(Sequence::write) << qint64(2100) << qint64(6000);
        QTest::newRow("restart pause") << int(Sequence::desktop_restart) << qint64(-1) << qint64(2000);
    }
    void shut_down_during_a_desktop_sequence()
    {
        QFETCH(int, sequence);
        QFETCH(qint64, second_press_at);
        QFETCH(qint64, shut_down_at);
        const SequenceSetup& setup = setup_of(Sequence(sequence));
        testing::Sim sim;
        sim.close_message_boxes_after(500);
        prepare(sim, Sequence(sequence));
        sim.clock.at(0, [&] { sim.press(DesktopScreen, desktop::标签11); });
        if (second_press_at >= 0) sim.clock.at(second_press_at, [&] { sim.press(DesktopScreen, desktop::标签11); });
        sim.clock.at(shut_down_at, [&] {
            sim.click(DesktopScreen, desktop::标签2);
            sim.press(DesktopScreen, desktop::标签4);
        });
        sim.run_until(120000);

        QVERIFY(sim.runtime.ended());
        QCOMPARE(sim.runtime.exit_status(), 0);
        QCOMPARE(sim.trace.back().time, std::int64_t(shut_down_at));
        QCOMPARE(sim.trace.back().control, std::string("标签4"));
        QVERIFY(sim.messages().empty());
        QCOMPARE(count_records(sim, "PeScreen", "created"), std::size_t(0));
        QCOMPARE(InstallStage, setup.stage);
    }

    // While a message box is open no handler starts, whatever is clicked, on any screen; and
    // nothing clicked then runs once it is closed.
    void clicks_while_a_message_box_is_open_data()
    {
        QTest::addColumn<QString>("box_screen");
        QTest::addColumn<QString>("box_control");     // pressed (or double-clicked) to open the box
        QTest::addColumn<bool>("double_click_opens");
        QTest::addColumn<int>("stage");
        QTest::addColumn<QString>("click_screen");
        QTest::addColumn<QStringList>("clicks");      // "press:X", "click:X", "double:X", "escape"
        QTest::newRow("desktop error box; action, icons, start, Esc")
            << "DesktopScreen" << "图片框4" << true << 0 << "DesktopScreen"
            << QStringList{"press:标签11", "double:图片框3", "double:图片框6", "click:标签2", "press:标签13", "escape"};
        QTest::newRow("desktop 注销 box; 关机")
            << "DesktopScreen" << "标签6" << false << 0 << "DesktopScreen"
            << QStringList{"press:标签4", "press:标签3", "double:透明标签3"};
        QTest::newRow("desktop box; restart button at stage 1")
            << "DesktopScreen" << "透明标签3" << true << 1 << "DesktopScreen" << QStringList{"press:标签11"};
        QTest::newRow("PE error box; action, drive F, icon, close mark, Esc")
            << "PeScreen" << "图片框1" << true << 1 << "PeScreen"
            << QStringList{"press:标签5", "click:单选框4", "double:透明标签2", "press:标签4", "escape"};
        QTest::newRow("PE refusal box; action again")
            << "PeScreen" << "标签5" << false << 8 << "PeScreen" << QStringList{"press:标签5", "press:标签5"};
        QTest::newRow("desktop box; greeting on another screen")
            << "DesktopScreen" << "图片框4" << true << 8 << "WelcomeScreen" << QStringList{"press:标签1", "escape"};
        QTest::newRow("desktop box; 下一步 on another screen")
            << "DesktopScreen" << "图片框4" << true << 8 << "SetupScreen" << QStringList{"click:按钮1", "press:按钮1"};
    }
    void clicks_while_a_message_box_is_open()
    {
        QFETCH(QString, box_screen);
        QFETCH(QString, box_control);
        QFETCH(bool, double_click_opens);
        QFETCH(int, stage);
        QFETCH(QString, click_screen);
        QFETCH(QStringList, clicks);
        const ScreenDefinition& boxed = screen_named(box_screen);
        const ScreenDefinition& clicked = screen_named(click_screen);
        testing::Sim sim;
        InstallStage = stage;
        if (&clicked != &boxed) QVERIFY(load_screen(clicked));
        QVERIFY(load_screen(boxed));
        // Panels open, so that every control clicked is on view.
        if (&boxed == &DesktopScreen) sim.double_click(DesktopScreen, desktop::图片框1);
        if (&boxed == &PeScreen) sim.double_click(PeScreen, pe::图片框2);
        if (&boxed == &PeScreen && box_control == "标签5") sim.click(PeScreen, pe::单选框4);

        const std::string opener = box_control.toStdString();
        if (box_control == "标签6") sim.click(DesktopScreen, desktop::标签2);
        sim.clock.at(100, [&] {
            double_click_opens ? sim.double_click(boxed, ControlName{opener}) : sim.press(boxed, ControlName{opener});
        });
        std::vector<std::string> names;  // the names outlive the scheduled clicks
        for (const QString& click : clicks) names.push_back(click.section(':', 1).toStdString());
        for (qsizetype i = 0; i < clicks.size(); ++i) {
            const QString kind = clicks[i].section(':', 0, 0);
            const ControlName control{names[static_cast<std::size_t>(i)]};
            sim.clock.at(200 + 100 * i, [&, kind, control] {
                QVERIFY(sim.runtime.open_message_box());
                if (kind == "press") sim.press(clicked, control);
                else if (kind == "click") sim.click(clicked, control);
                else if (kind == "double") sim.double_click(clicked, control);
                else sim.press_escape(clicked);
            });
        }
        sim.clock.at(2000, [&] {
            const std::vector<std::string> effects = effects_from(sim, 150);
            QVERIFY2(effects.empty(), joined(effects).c_str());
            QCOMPARE(sim.close_message_box(), QString::fromStdString(sim.messages().back().value));
        });
        sim.run_until(60000);

        // Nothing that was clicked ran later either.
        const std::vector<std::string> effects = effects_from(sim, 150);
        const bool refusal = &boxed == &PeScreen && box_control == "标签5";
        // The refusal goes on after its box: drive C checked, drive F cleared.
        QVERIFY2(effects.size() == (refusal ? 2u : 0u), joined(effects).c_str());
        QCOMPARE(sim.messages().size(), std::size_t(1));
        QVERIFY(!sim.runtime.ended());
        QVERIFY(sim.screen(boxed));
        QVERIFY(sim.screen(clicked));
        QCOMPARE(InstallStage, stage);
        if (&boxed == &PeScreen && !refusal) QVERIFY(!sim.checked(PeScreen, pe::单选框4));
    }
};

QTEST_MAIN(Reentry)
#include "test_reentry.moc"
