// The whole chain, as a learner walks it: desktop, write, PE, install, setup, greeting, and back to
// a desktop with the new wallpaper; then once more; then shut down.
#include <QTest>

#ifndef Q_MOC_RUN
#include "desktop_screen.h"
#include "install_stage.h"
#include "pe_screen.h"
#include "picture_catalogue.h"
#include "setup_controls.h"
#include "setup_screen.h"
#include "sim.h"
#include "welcome_screen.h"
#endif

using namespace rt;

namespace {

std::string wallpaper(const unsigned char* constant)
{
    return "picture:" + std::to_string(assets::bytes_of_constant(constant).size);
}

// Walks from a fresh desktop to the next desktop, starting at virtual time `t`; returns the time
// at which the new desktop is on view.
std::int64_t walk_the_chain(testing::Sim& sim, std::int64_t t)
{
    using namespace desktop;
    sim.clock.at(t, [&] { sim.double_click(DesktopScreen, 图片框1); });
    sim.clock.at(t + 100, [&] { sim.press(DesktopScreen, 标签11); });
    sim.clock.at(t + 100 + 15100, [&] { sim.close_message_box(); });
    sim.clock.at(t + 16000, [&] { sim.press(DesktopScreen, 标签11); });
    sim.run_until(t + 21100);
    if (!sim.screen(PeScreen)) return -1;

    t += 22000;
    sim.clock.at(t, [&] { sim.double_click(PeScreen, pe::图片框2); });
    sim.clock.at(t + 100, [&] { sim.click(PeScreen, pe::单选框4); });
    sim.clock.at(t + 200, [&] { sim.press(PeScreen, pe::标签5); });
    sim.clock.at(t + 300, [&] { sim.close_message_box(); });  // 空间不足！
    sim.clock.at(t + 400, [&] { sim.press(PeScreen, pe::标签5); });
    sim.clock.at(t + 400 + 31200, [&] { sim.close_message_box(); });
    sim.clock.at(t + 32000, [&] { sim.press(PeScreen, pe::标签5); });
    sim.run_until(t + 37100);
    if (!sim.screen(SetupScreen)) return -1;

    t += 38000;
    sim.clock.at(t, [&] { sim.click(SetupScreen, setup::按钮1); });
    sim.clock.at(t + 1000, [&] { sim.press(WelcomeScreen, welcome::标签1); });
    sim.run_until(t + 1000 + 17100);
    return sim.screen(DesktopScreen) ? t + 18100 : -1;
}

}  // namespace

class Chain : public QObject {
    Q_OBJECT
private slots:
    void whole_chain_twice_then_shut_down()
    {
        testing::Sim sim;
        QVERIFY(load_screen(DesktopScreen));
        QCOMPARE(sim.writes("", "background_picture").back().value, wallpaper(assets::wallpaper_initial));

        std::int64_t t = walk_the_chain(sim, 1000);
        QVERIFY(t > 0);
        QCOMPARE(InstallStage, 10);
        QCOMPARE(sim.live_screen_names(), (std::vector<std::string>{"DesktopScreen"}));
        QCOMPARE(sim.writes("", "background_picture").back().value, wallpaper(assets::wallpaper_installed));
        // The USB writer is back in its ready state.
        QCOMPARE(sim.caption(DesktopScreen, desktop::标签11), QString("一键写入PE"));
        QCOMPARE(sim.caption(DesktopScreen, desktop::透明标签5), QString("等待写入"));
        QCOMPARE(sim.position(DesktopScreen, desktop::进度条1), 0);
        QVERIFY(!sim.visible(DesktopScreen, desktop::标签10));

        t = walk_the_chain(sim, t + 1000);
        QVERIFY(t > 0);
        QCOMPARE(InstallStage, 10);
        QCOMPARE(sim.writes("", "background_picture").back().value, wallpaper(assets::wallpaper_installed));
        QCOMPARE(sim.messages().size(), std::size_t(6));

        sim.click(DesktopScreen, desktop::标签2);
        sim.press(DesktopScreen, desktop::标签4);
        QVERIFY(sim.runtime.ended());
        QCOMPARE(sim.runtime.exit_status(), 0);
    }
};

QTEST_MAIN(Chain)
#include "test_chain.moc"
