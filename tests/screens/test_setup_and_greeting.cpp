// The setup page and the first-run greeting.
#include <QTest>

#ifndef Q_MOC_RUN
#include "desktop_screen.h"
#include "install_stage.h"
#include "screen_window.h"
#include "setup_controls.h"
#include "setup_screen.h"
#include "sim.h"
#include "welcome_screen.h"
#endif

using namespace rt;

namespace {

struct Expected {
    std::int64_t time;
    std::string what;
    std::string value;
};

// Every write of the script, at its time from the press (press at 1000, each wait one ms longer).
std::vector<Expected> greeting_script()
{
    const std::string blue = std::to_string(0xFF8800), dark = std::to_string(0xC06000);
    std::vector<Expected> script;
    std::int64_t t = 1000;
    auto after = [&](std::int64_t wait, std::string what, std::string value) {
        if (wait > 0) t += wait + 1;
        script.push_back({t, std::move(what), std::move(value)});
    };
    for (int i = 0; i < 3; ++i) {
        after(800, "background_colour", dark);
        after(800, "background_colour", blue);
    }
    after(800, "caption", "剑阁峥嵘而崔嵬，一夫当关，万夫莫开。");
    after(800, "background_colour", dark);
    after(800, "background_colour", blue);
    after(800, "background_colour", dark);
    after(800, "background_colour", "0");
    after(0, "caption", "嗨，别来无恙啊！");
    after(5000, "caption", "您的一切即将准备就绪。");
    after(800, "background_colour", dark);
    after(800, "background_colour", blue);
    after(800, "background_colour", dark);
    after(800, "background_colour", blue);
    after(0, "caption", "您的一切即将准备就绪。");
    return script;
}

}  // namespace

class SetupAndGreeting : public QObject {
    Q_OBJECT
private slots:
    void next_hands_over_to_the_greeting_on_the_press()
    {
        testing::Sim sim;
        InstallStage = 8;
        QVERIFY(load_screen(SetupScreen));
        // The push button lies over the button drawn in the picture, inside the picture box.
        QCOMPARE(sim.widget(SetupScreen, setup::按钮1)->parentWidget(), sim.widget(SetupScreen, setup::图片框1));
        QCOMPARE(sim.widget(SetupScreen, setup::按钮1)->mapTo(sim.screen(SetupScreen)->window(), QPoint(0, 0)),
                 QPoint(602, 387));
        sim.press(SetupScreen, setup::按钮1);
        sim.run_until(10);
        QVERIFY(!sim.screen(SetupScreen));
        QVERIFY(sim.screen(WelcomeScreen));
        QCOMPARE(InstallStage, 8);
    }

    void greeting_script_writes_its_steps_in_time_and_returns_to_the_desktop()
    {
        testing::Sim sim;
        InstallStage = 8;
        load_screen(WelcomeScreen);
        QCOMPARE(sim.caption(WelcomeScreen, welcome::透明标签1), QString("海内存知己，天涯若比邻。"));
        sim.clock.at(1000, [&] { sim.press(WelcomeScreen, welcome::标签1); });
        sim.clock.at(6600, [&] {
            QCOMPARE(sim.caption(WelcomeScreen, welcome::透明标签1), QString("海内存知己，天涯若比邻。"));
        });
        // Further presses once the script runs are ignored.
        sim.clock.at(3000, [&] { sim.press(WelcomeScreen, welcome::标签1); });
        sim.clock.at(15000, [&] { sim.press(WelcomeScreen, welcome::标签1); });
        sim.clock.at(17000, [&] { QCOMPARE(InstallStage, 8); });
        sim.run_until(30000);

        std::vector<Expected> seen;
        for (const TraceRecord& r : sim.trace)
            if (r.screen == "WelcomeScreen" && (r.what == "background_colour" || r.what == "caption"))
                seen.push_back({r.time, r.what, r.value});
        const auto expected = greeting_script();
        QCOMPARE(seen.size(), expected.size());
        for (std::size_t i = 0; i < seen.size(); ++i) {
            QCOMPARE(seen[i].time, expected[i].time);
            QCOMPARE(seen[i].what, expected[i].what);
            QCOMPARE(seen[i].value, expected[i].value);
        }
        QCOMPARE(expected.back().time - 1000, std::int64_t(17000 + 16));  // sixteen waits, each 1 ms over
        QCOMPARE(InstallStage, 10);
        QVERIFY(!sim.screen(WelcomeScreen));
        QVERIFY(sim.screen(DesktopScreen));
    }

    void escape_during_the_greeting_ends_the_program_without_a_desktop()
    {
        testing::Sim sim;
        InstallStage = 8;
        load_screen(WelcomeScreen);
        sim.clock.at(100, [&] { sim.press(WelcomeScreen, welcome::标签1); });
        sim.clock.at(16000, [&] { sim.press_escape(WelcomeScreen); });
        sim.run_until(30000);
        QVERIFY(sim.runtime.ended());
        QCOMPARE(sim.runtime.exit_status(), 0);
        QCOMPARE(InstallStage, 8);
        QVERIFY(!sim.screen(DesktopScreen));
    }
};

QTEST_MAIN(SetupAndGreeting)
#include "test_setup_and_greeting.moc"
