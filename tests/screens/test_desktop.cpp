// The desktop: what its creation step leaves on screen, the start button and menu, and the icons
// that only answer with a message.
#include <QTest>

#ifndef Q_MOC_RUN
#include "desktop_screen.h"
#include "install_stage.h"
#include "picture_catalogue.h"
#include "sim.h"
#endif

using namespace rt;
using namespace desktop;
using Texts = std::vector<std::string>;

namespace {

bool all_hidden(const testing::Sim& sim, std::span<const ControlName> group)
{
    return std::none_of(group.begin(), group.end(),
                        [&](ControlName member) { return sim.visible(DesktopScreen, member); });
}

bool all_shown(const testing::Sim& sim, std::span<const ControlName> group)
{
    return std::all_of(group.begin(), group.end(),
                       [&](ControlName member) { return sim.visible(DesktopScreen, member); });
}

std::string size_of(const unsigned char* constant)
{
    return "picture:" + std::to_string(assets::bytes_of_constant(constant).size);
}

}  // namespace

class Desktop : public QObject {
    Q_OBJECT
private slots:
    void creation_step_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<QString>("clock");
        QTest::newRow("fresh start at 9:05") << 0 << 9 << 5 << "9：5\r\n2020年2月11日";
        QTest::newRow("after the greeting, midnight") << 10 << 0 << 0 << "0：0\r\n2020年2月11日";
        QTest::newRow("written image, late evening") << 1 << 23 << 59 << "23：59\r\n2020年2月11日";
    }
    void creation_step()
    {
        QFETCH(int, stage);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(QString, clock);
        testing::Sim sim({2020, 2, 11, hour, minute, 30});
        InstallStage = stage;
        QVERIFY(load_screen(DesktopScreen));
        for (auto group : {std::span<const ControlName>(start_menu), std::span<const ControlName>(usb_writer_panel),
                           std::span<const ControlName>(notepad_panel), std::span<const ControlName>(browser_panel)})
            QVERIFY(all_hidden(sim, group));
        const auto wallpapers = sim.writes("", "background_picture");
        QCOMPARE(wallpapers.size(), std::size_t(1));
        QCOMPARE(wallpapers[0].value,
                 size_of(stage == 10 ? assets::wallpaper_installed : assets::wallpaper_initial));
        QCOMPARE(sim.writes("超文本浏览框1", "地址").at(0).value, std::string("https://bbs.mozhou.example/"));
        QCOMPARE(sim.caption(DesktopScreen, 透明标签6), clock);

        // The order of the step: the four groups, the wallpaper, the address, the clock.
        Texts order;
        for (const TraceRecord& record : sim.trace)
            if (record.what != "created" && (order.empty() || order.back() != record.what)) order.push_back(record.what);
        QCOMPARE(order, (Texts{"可视", "background_picture", "地址", "caption"}));
        Texts hidden;
        for (const TraceRecord& record : sim.trace)
            if (record.what == "可视") hidden.push_back(record.control);
        QCOMPARE(hidden, (Texts{"透明标签8", "标签17", "超文本浏览框1", "标签18", "标签14", "标签15", "标签16",
                                "标签10", "标签11", "标签12", "标签13", "透明标签4", "透明标签5", "编辑框1",
                                "选择框1", "选择框2", "进度条1", "标签3", "标签4", "标签5", "标签6", "标签7",
                                "标签8", "标签9", "图片框2"}));
    }

    void start_button_is_red_while_held_and_opens_the_menu_on_release()
    {
        testing::Sim sim;
        load_screen(DesktopScreen);
        sim.press(DesktopScreen, 标签2);
        QCOMPARE(sim.writes("标签2", "text_colour").back().value, std::to_string(0x0000FF));
        QVERIFY(all_hidden(sim, start_menu));
        sim.release(DesktopScreen, 标签2);
        QCOMPARE(sim.writes("标签2", "text_colour").back().value, std::string("0"));
        QVERIFY(all_shown(sim, start_menu));
    }

    void release_outside_the_start_button_leaves_it_red_and_the_menu_alone()
    {
        testing::Sim sim;
        load_screen(DesktopScreen);
        sim.press(DesktopScreen, 标签2);
        sim.release(DesktopScreen, 标签1);
        QCOMPARE(sim.writes("标签2", "text_colour").size(), std::size_t(1));
        QVERIFY(all_hidden(sim, start_menu));
        sim.click(DesktopScreen, 标签2);  // the next full click turns it black again
        QCOMPARE(sim.writes("标签2", "text_colour").back().value, std::string("0"));
        QVERIFY(all_shown(sim, start_menu));
    }

    void what_closes_the_start_menu_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("twice");
        QTest::addColumn<bool>("stays_open");
        QTest::newRow("bare desktop") << "" << false << false;
        QTest::newRow("taskbar strip") << "标签1" << false << true;
        QTest::newRow("menu top edge") << "标签9" << false << true;
        QTest::newRow("menu corner") << "标签8" << false << true;
        QTest::newRow("restart item") << "标签5" << false << true;
        QTest::newRow("tray") << "图片框5" << false << true;
        QTest::newRow("start button again") << "标签2" << false << true;
        QTest::newRow("notes icon double click") << "图片框3" << true << true;
        QTest::newRow("forum caption double click") << "透明标签7" << true << true;
        QTest::newRow("USB tool item") << "标签3" << false << false;
        QTest::newRow("USB tool menu icon") << "图片框2" << false << false;
        QTest::newRow("USB tool desktop icon double click") << "图片框1" << true << false;
        QTest::newRow("USB tool caption double click") << "透明标签1" << true << false;
    }
    void what_closes_the_start_menu()
    {
        QFETCH(QString, control);
        QFETCH(bool, twice);
        QFETCH(bool, stays_open);
        testing::Sim sim;
        load_screen(DesktopScreen);
        sim.click(DesktopScreen, 标签2);
        QVERIFY(all_shown(sim, start_menu));
        const std::string name = control.toStdString();
        const ControlName target{name};
        if (name.empty())
            sim.press(DesktopScreen, window, {600, 300});
        else if (twice)
            sim.double_click(DesktopScreen, target);
        else
            sim.click(DesktopScreen, target);
        QCOMPARE(all_shown(sim, start_menu), stays_open);
        QVERIFY(stays_open || all_hidden(sim, start_menu));
    }

    void items_that_answer_with_a_message_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("twice");
        QTest::addColumn<QString>("message");
        QTest::newRow("log off") << "标签6" << false << "该版本暂不支持注销！";
        QTest::newRow("system image icon") << "图片框4" << true << "该应用不是有效的Win32应用程序！";
        QTest::newRow("system image caption") << "透明标签3" << true << "该应用不是有效的Win32应用程序！";
        QTest::newRow("restart does nothing") << "标签5" << false << "";
        QTest::newRow("single click on an icon does nothing") << "图片框4" << false << "";
    }
    void items_that_answer_with_a_message()
    {
        QFETCH(QString, control);
        QFETCH(bool, twice);
        QFETCH(QString, message);
        testing::Sim sim;
        sim.close_message_boxes_after(100);
        load_screen(DesktopScreen);
        sim.click(DesktopScreen, 标签2);
        const std::string name = control.toStdString();
        twice ? sim.double_click(DesktopScreen, ControlName{name}) : sim.click(DesktopScreen, ControlName{name});
        sim.run_until(1000);
        const auto messages = sim.messages();
        QCOMPARE(messages.size(), std::size_t(message.isEmpty() ? 0 : 1));
        if (!message.isEmpty()) QCOMPARE(QString::fromStdString(messages[0].value), message);
        QVERIFY(!sim.runtime.ended());
    }

    void shut_down_ends_the_program_at_once()
    {
        testing::Sim sim;
        load_screen(DesktopScreen);
        sim.click(DesktopScreen, 标签2);
        sim.press(DesktopScreen, 标签4);
        QVERIFY(sim.runtime.ended());
        QCOMPARE(sim.runtime.exit_status(), 0);
    }
};

QTEST_MAIN(Desktop)
#include "test_desktop.moc"
