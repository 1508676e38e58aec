// The USB writer panel: its openers, the fifteen-second write, the nested second press, and the
// restart into the PE screen.
#include <QTest>

#ifndef Q_MOC_RUN
#include "desktop_screen.h"
#include "install_stage.h"
#include "pe_screen.h"
#include "sim.h"
#endif

using namespace rt;
using namespace desktop;

namespace {

const std::vector<int> write_positions = {10, 20, 25, 26, 26, 27, 27, 28, 28, 28, 28, 35, 36, 37, 38,
                                          39, 45, 61, 72, 83, 90, 95, 97, 99, 99, 99, 99, 99, 99, 100};

std::vector<int> positions_of(const testing::Sim& sim)
{
    std::vector<int> positions;
    for (const auto& write : sim.writes("进度条1", "position")) positions.push_back(std::stoi(write.value));
    return positions;
}

bool panel_shown(const testing::Sim& sim)
{
    return std::all_of(usb_writer_panel.begin(), usb_writer_panel.end(),
                       [&](ControlName member) { return sim.visible(DesktopScreen, member); });
}

bool panel_hidden(const testing::Sim& sim)
{
    return std::none_of(usb_writer_panel.begin(), usb_writer_panel.end(),
                        [&](ControlName member) { return sim.visible(DesktopScreen, member); });
}

}  // namespace

class UsbWriter : public QObject {
    Q_OBJECT
private slots:
    void openers_show_the_panel_and_close_the_menu_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("twice");
        QTest::newRow("menu item") << "标签3" << false;
        QTest::newRow("menu icon") << "图片框2" << false;
        QTest::newRow("desktop icon") << "图片框1" << true;
        QTest::newRow("desktop caption") << "透明标签1" << true;
    }
    void openers_show_the_panel_and_close_the_menu()
    {
        QFETCH(QString, control);
        QFETCH(bool, twice);
        testing::Sim sim;
        load_screen(DesktopScreen);
        sim.click(DesktopScreen, 标签2);
        const std::string name = control.toStdString();
        twice ? sim.double_click(DesktopScreen, ControlName{name}) : sim.press(DesktopScreen, ControlName{name});
        QVERIFY(panel_shown(sim));
        QVERIFY(!sim.visible(DesktopScreen, 标签3));
        sim.press(DesktopScreen, 标签13);
        QVERIFY(panel_hidden(sim));
    }

    void write_sequence_then_message_then_written_state()
    {
        testing::Sim sim;
        load_screen(DesktopScreen);
        sim.double_click(DesktopScreen, 图片框1);
        sim.clock.at(1000, [&] { sim.press(DesktopScreen, 标签11); });
        sim.clock.at(1001, [&] { QCOMPARE(sim.caption(DesktopScreen, 透明标签5), QString("写入中…")); });
        // The box is open: the status still says writing, the stage is still 0.
        sim.clock.at(20000, [&] {
            QCOMPARE(sim.caption(DesktopScreen, 透明标签5), QString("写入中…"));
            QCOMPARE(InstallStage, 0);
            QCOMPARE(sim.close_message_box(), QString("写入PE镜像成功！！！"));
        });
        sim.run_until(21000);
        QCOMPARE(positions_of(sim), write_positions);
        const auto writes = sim.writes("进度条1", "position");
        for (std::size_t step = 0; step < writes.size(); ++step)
            QCOMPARE(writes[step].time, std::int64_t(1000 + 501 * (step + 1)));
        const auto messages = sim.messages();
        QCOMPARE(messages.size(), std::size_t(1));
        QCOMPARE(messages[0].time, writes.back().time);
        QCOMPARE(sim.caption(DesktopScreen, 透明标签5), QString("写入完毕！"));
        QCOMPARE(sim.caption(DesktopScreen, 标签11), QString("重新启动"));
        QCOMPARE(sim.position(DesktopScreen, 进度条1), 100);
        QCOMPARE(InstallStage, 1);
    }

    void second_press_during_the_write_runs_the_whole_write_inside_the_first()
    {
        testing::Sim sim;
        sim.close_message_boxes_after(1000);
        load_screen(DesktopScreen);
        sim.double_click(DesktopScreen, 图片框1);
        sim.clock.at(0, [&] { sim.press(DesktopScreen, 标签11); });
        // After the fourth step of the first run (at 2004).
        sim.clock.at(2100, [&] { sim.press(DesktopScreen, 标签11); });
        sim.run_until(40000);
        std::vector<int> expected(write_positions.begin(), write_positions.begin() + 4);
        expected.insert(expected.end(), write_positions.begin(), write_positions.end());
        expected.insert(expected.end(), write_positions.begin() + 4, write_positions.end());
        QCOMPARE(positions_of(sim), expected);
        QCOMPARE(sim.messages().size(), std::size_t(2));
        QCOMPARE(sim.writes("标签11", "caption").size(), std::size_t(2));
        QCOMPARE(InstallStage, 1);
    }

    void closing_the_panel_does_not_stop_the_write()
    {
        testing::Sim sim;
        sim.close_message_boxes_after(100);
        load_screen(DesktopScreen);
        sim.double_click(DesktopScreen, 图片框1);
        sim.clock.at(0, [&] { sim.press(DesktopScreen, 标签11); });
        sim.clock.at(3000, [&] { sim.press(DesktopScreen, 标签13); });
        sim.run_until(20000);
        QVERIFY(panel_hidden(sim));
        QCOMPARE(positions_of(sim).size(), std::size_t(30));
        QCOMPARE(sim.messages().size(), std::size_t(1));
        QCOMPARE(InstallStage, 1);
        sim.double_click(DesktopScreen, 透明标签1);  // reopened, it shows the written state
        QCOMPARE(sim.caption(DesktopScreen, 标签11), QString("重新启动"));
    }

    void restart_waits_five_seconds_and_hands_over_once()
    {
        testing::Sim sim;
        load_screen(DesktopScreen);
        InstallStage = 1;
        sim.click(DesktopScreen, 标签2);
        sim.press(DesktopScreen, 标签3);
        sim.clock.at(1000, [&] {
            sim.press(DesktopScreen, 标签11);
        });
        sim.clock.at(1001, [&] {
            QVERIFY(panel_hidden(sim));
            QVERIFY(!sim.visible(DesktopScreen, 标签3));
        });
        // Presses during the pause, on the hidden button's place and on the start menu's item.
        sim.clock.at(2000, [&] { sim.press(DesktopScreen, 标签11); });
        sim.clock.at(3000, [&] {
            sim.double_click(DesktopScreen, 图片框1);
            sim.press(DesktopScreen, 标签11);
        });
        sim.clock.at(6000, [&] { QVERIFY(sim.screen(DesktopScreen)); });
        sim.run_until(12000);
        QVERIFY(!sim.screen(DesktopScreen));
        QVERIFY(sim.screen(PeScreen));
        QCOMPARE(sim.writes("", "destroyed").size(), std::size_t(1));
        const auto created = std::count_if(sim.trace.begin(), sim.trace.end(), [](const TraceRecord& r) {
            return r.screen == "PeScreen" && r.what == "created";
        });
        QCOMPARE(created, 1);
        QVERIFY(!sim.runtime.ended());
    }

    void shut_down_during_the_write_ends_at_once()
    {
        testing::Sim sim;
        load_screen(DesktopScreen);
        sim.double_click(DesktopScreen, 图片框1);
        sim.clock.at(0, [&] { sim.press(DesktopScreen, 标签11); });
        sim.clock.at(4000, [&] {
            sim.click(DesktopScreen, 标签2);
            sim.press(DesktopScreen, 标签4);
        });
        sim.run_until(30000);
        QVERIFY(sim.runtime.ended());
        QCOMPARE(sim.runtime.exit_status(), 0);
        QCOMPARE(positions_of(sim).size(), std::size_t(7));
        QVERIFY(sim.messages().empty());
        QCOMPARE(InstallStage, 0);
    }

    void desktop_after_the_greeting_offers_a_fresh_write()
    {
        testing::Sim sim;
        InstallStage = 10;
        sim.close_message_boxes_after(10);
        load_screen(DesktopScreen);
        QCOMPARE(sim.caption(DesktopScreen, 标签11), QString("一键写入PE"));
        QCOMPARE(sim.caption(DesktopScreen, 透明标签5), QString("等待写入"));
        sim.double_click(DesktopScreen, 图片框1);
        sim.clock.at(0, [&] { sim.press(DesktopScreen, 标签11); });
        sim.run_until(20000);
        QCOMPARE(positions_of(sim), write_positions);
        QCOMPARE(InstallStage, 1);
    }
};

QTEST_MAIN(UsbWriter)
#include "test_usb_writer.moc"
