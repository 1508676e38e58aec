// The PE desktop: the installer panel, the drive F refusal, the install and the restart.
#include <QTest>

#ifndef Q_MOC_RUN
#include "install_stage.h"
#include "pe_screen.h"
#include "setup/setup_screen.h"
#include "sim.h"
#endif

using namespace rt;
using namespace pe;

namespace {

struct Step {
    std::int64_t wait;
    int position;
};
const std::vector<Step> install_steps = {
    {600, 10}, {700, 20}, {500, 25}, {800, 26}, {500, 26}, {800, 27}, {800, 27}, {800, 28},
    {800, 28}, {500, 28}, {5000, 28}, {800, 35}, {800, 36}, {500, 37}, {500, 38}, {900, 39},
    {900, 45}, {900, 61}, {1000, 72}, {500, 83}, {500, 90}, {500, 95}, {500, 97}, {1000, 99},
    {1000, 99}, {1000, 99}, {1000, 99}, {1000, 99}, {1000, 99}, {5000, 100}};

bool panel_shown(const testing::Sim& sim, bool shown)
{
    return std::all_of(installer_panel.begin(), installer_panel.end(),
                       [&](ControlName member) { return sim.visible(PeScreen, member) == shown; });
}

}  // namespace

class Pe : public QObject {
    Q_OBJECT
private slots:
    void created_with_the_panel_hidden_and_opened_by_the_icon_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::newRow("icon") << "图片框2";
        QTest::newRow("caption") << "透明标签2";
    }
    void created_with_the_panel_hidden_and_opened_by_the_icon()
    {
        QFETCH(QString, opener);
        testing::Sim sim;
        InstallStage = 1;
        QVERIFY(load_screen(PeScreen));
        QVERIFY(panel_shown(sim, false));
        const std::string name = opener.toStdString();
        sim.click(PeScreen, ControlName{name});
        QVERIFY(panel_shown(sim, false));  // a single click does nothing
        sim.double_click(PeScreen, ControlName{name});
        QVERIFY(panel_shown(sim, true));
        QCOMPARE(sim.caption(PeScreen, 透明标签4), QString("尚未安装"));
        QCOMPARE(sim.caption(PeScreen, 标签5), QString("安装"));
        sim.press(PeScreen, 标签4);
        QVERIFY(panel_shown(sim, false));
    }

    void browser_icon_answers_with_an_error()
    {
        testing::Sim sim;
        sim.close_message_boxes_after(10);
        load_screen(PeScreen);
        sim.double_click(PeScreen, 图片框1);
        sim.run_until(100);
        sim.double_click(PeScreen, 透明标签1);
        sim.run_until(200);
        QCOMPARE(sim.messages().size(), std::size_t(2));
        QCOMPARE(QString::fromStdString(sim.messages()[1].value), QString("该应用不是有效的Win32应用程序！"));
    }

    void drive_f_is_refused_and_c_chosen_instead_data()
    {
        QTest::addColumn<int>("stage");
        QTest::newRow("before the install") << 1;
        QTest::newRow("after the install") << 8;
    }
    void drive_f_is_refused_and_c_chosen_instead()
    {
        QFETCH(int, stage);
        testing::Sim sim;
        InstallStage = stage;
        load_screen(PeScreen);
        sim.double_click(PeScreen, 图片框2);
        sim.click(PeScreen, 单选框2);
        sim.click(PeScreen, 单选框4);
        QVERIFY(!sim.checked(PeScreen, 单选框2));
        sim.clock.at(100, [&] { sim.press(PeScreen, 标签5); });
        sim.clock.at(200, [&] {
            QVERIFY(sim.checked(PeScreen, 单选框4));  // nothing changes until the box is closed
            QCOMPARE(sim.close_message_box(), QString("空间不足！"));
        });
        sim.run_until(10000);
        QVERIFY(sim.checked(PeScreen, 单选框1));
        QVERIFY(!sim.checked(PeScreen, 单选框4));
        QVERIFY(sim.writes("进度条1", "position").empty());
        QVERIFY(sim.writes("标签5", "caption").empty());
        QCOMPARE(InstallStage, stage);
        QVERIFY(sim.screen(PeScreen));
    }

    void install_sequence_then_message_then_installed_state()
    {
        testing::Sim sim;
        InstallStage = 1;
        load_screen(PeScreen);
        sim.double_click(PeScreen, 图片框2);
        sim.clock.at(1000, [&] { sim.press(PeScreen, 标签5); });
        sim.clock.at(40000, [&] {
            QCOMPARE(InstallStage, 1);
            QCOMPARE(sim.close_message_box(), QString("安装成功！重启以完成安装！"));
        });
        sim.run_until(41000);
        const auto writes = sim.writes("进度条1", "position");
        QCOMPARE(writes.size(), install_steps.size());
        std::int64_t time = 1000;
        for (std::size_t i = 0; i < writes.size(); ++i) {
            time += install_steps[i].wait + 1;
            QCOMPARE(writes[i].time, time);
            QCOMPARE(writes[i].value, std::to_string(install_steps[i].position));
        }
        QCOMPARE(writes.back().time - 1000, std::int64_t(31100 + 30));
        QCOMPARE(sim.messages().at(0).time, writes.back().time);
        QCOMPARE(InstallStage, 8);
        QCOMPARE(sim.caption(PeScreen, 标签5), QString("立即重启！"));
        QCOMPARE(sim.caption(PeScreen, 透明标签4), QString("安装中……"));
    }

    void restart_waits_five_seconds_and_ignores_further_presses()
    {
        testing::Sim sim;
        InstallStage = 8;
        load_screen(PeScreen);
        sim.double_click(PeScreen, 图片框2);
        sim.clock.at(100, [&] { sim.press(PeScreen, 标签5); });
        sim.clock.at(1000, [&] { sim.press(PeScreen, 标签5); });
        sim.clock.at(5000, [&] {
            sim.press(PeScreen, 标签5);
            QVERIFY(sim.screen(PeScreen));
            QVERIFY(!sim.screen(SetupScreen));
        });
        sim.run_until(8000);
        QVERIFY(!sim.screen(PeScreen));
        QVERIFY(sim.screen(SetupScreen));
        QCOMPARE(sim.writes("标签5", "caption").size(), std::size_t(1));
        QCOMPARE(sim.writes("", "destroyed").size(), std::size_t(1));
    }

    void escape_during_the_install_ends_quietly()
    {
        testing::Sim sim;
        InstallStage = 1;
        load_screen(PeScreen);
        sim.double_click(PeScreen, 图片框2);
        sim.clock.at(100, [&] { sim.press(PeScreen, 标签5); });
        sim.clock.at(9000, [&] { sim.press_escape(PeScreen); });
        sim.run_until(60000);
        QVERIFY(sim.runtime.ended());
        QCOMPARE(sim.runtime.exit_status(), 0);
        QVERIFY(sim.messages().empty());
        QCOMPARE(InstallStage, 1);
    }
};

QTEST_MAIN(Pe)
#include "test_pe.moc"
