// The notepad and browser panels of the desktop (the web pane itself is tested with a real engine
// elsewhere).
#include <QTest>

#ifndef Q_MOC_RUN
#include "caption_layout.h"
#include "desktop_screen.h"
#include "screen_window.h"
#include "sim.h"
#endif

using namespace rt;
using namespace desktop;

namespace {

const QString notepad_text = QStringLiteral(
    "&如&何&装&机&?-&记&事&本\r\n\r\n  1.打开我们的Vedezo。\r\n  2.点击写入PE，执行写入PE操作。\r\n"
    "  3.进入PE后，选择我们将要安装的盘符。\r\n  4.耐心等待系统安装完毕！\r\n"
    "________________________________________________________\r\n为什么要设计这款软件呢？\r\n  \r\n"
    "  答：当今时代，是属于互联网的时代，使用计算机变得尤为重\r\n  要，所以，学习如何重装系统是十分必要的。当今的许多年轻\r\n"
    "  人，只会玩游戏，而不懂重装。此软件正是为这些小白设计的\r\n  。目的是教会他们如何重装系统，使计算机更容易被使用！\r\n"
    "________________________________________________________\r\n其它\r\n  \r\n  欢迎开发者开发模拟器应用。应用语言：HTML。");

bool group_shown(const testing::Sim& sim, std::span<const ControlName> group, bool shown)
{
    return std::all_of(group.begin(), group.end(),
                       [&](ControlName member) { return sim.visible(DesktopScreen, member) == shown; });
}

std::vector<std::string> visibility_writes(const testing::Sim& sim, std::size_t from)
{
    std::vector<std::string> order;
    for (std::size_t i = from; i < sim.trace.size(); ++i)
        if (sim.trace[i].what == "可视") order.push_back(sim.trace[i].control + "=" + sim.trace[i].value);
    return order;
}

}  // namespace

class NotepadAndBrowser : public QObject {
    Q_OBJECT
private slots:
    void notepad_text_is_the_instructions_with_an_underlined_title()
    {
        QCOMPARE(notepad_text.size(), qsizetype(392));
        QCOMPARE(notepad_text.count(QStringLiteral("\r\n")), qsizetype(16));
        testing::Sim sim;
        load_screen(DesktopScreen);
        QCOMPARE(sim.caption(DesktopScreen, 标签14), notepad_text);
        const MnemonicText title = strip_mnemonics(notepad_text.section(QStringLiteral("\r\n"), 0, 0));
        QCOMPARE(title.text, QString("如何装机?-记事本"));
        QCOMPARE(title.underlined, (QList<int>{0, 1, 2, 3, 4, 6, 7, 8}));
    }

    void openers_need_a_double_click_and_write_in_order_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("closer");
        QTest::addColumn<QStringList>("shown");
        const QStringList notepad{"标签14=1", "标签15=1", "标签16=1"};
        const QStringList browser{"透明标签8=1", "标签17=1", "超文本浏览框1=1", "标签18=1"};
        QTest::newRow("notes icon") << "图片框3" << "标签16" << notepad;
        QTest::newRow("notes caption") << "透明标签2" << "标签16" << notepad;
        QTest::newRow("forum icon") << "图片框6" << "标签18" << browser;
        QTest::newRow("forum caption") << "透明标签7" << "标签18" << browser;
    }
    void openers_need_a_double_click_and_write_in_order()
    {
        QFETCH(QString, opener);
        QFETCH(QString, closer);
        QFETCH(QStringList, shown);
        testing::Sim sim;
        load_screen(DesktopScreen);
        const std::string opener_name = opener.toStdString(), closer_name = closer.toStdString();
        const std::size_t before = sim.trace.size();
        sim.click(DesktopScreen, ControlName{opener_name});
        QVERIFY(visibility_writes(sim, before).empty());
        sim.double_click(DesktopScreen, ControlName{opener_name});
        std::vector<std::string> expected;
        for (const QString& write : shown) expected.push_back(write.toStdString());
        QCOMPARE(visibility_writes(sim, before), expected);
        const std::size_t opened = sim.trace.size();
        sim.press(DesktopScreen, ControlName{closer_name});
        for (std::string& write : expected) write.back() = '0';
        QCOMPARE(visibility_writes(sim, opened), expected);
    }

    void feedback_answers_and_the_notepad_stays_open()
    {
        testing::Sim sim;
        sim.close_message_boxes_after(50);
        load_screen(DesktopScreen);
        sim.double_click(DesktopScreen, 图片框3);
        sim.press(DesktopScreen, 标签15);
        sim.run_until(200);
        QCOMPARE(sim.messages().size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(sim.messages()[0].value), QString("该版本暂不支持反馈！"));
        QVERIFY(group_shown(sim, notepad_panel, true));
    }

    void browser_panel_covers_the_notepad_which_covers_the_usb_writer()
    {
        testing::Sim sim;
        load_screen(DesktopScreen);
        sim.double_click(DesktopScreen, 图片框1);  // USB writer
        sim.double_click(DesktopScreen, 图片框3);  // notepad
        ScreenInstance& screen = *sim.screen(DesktopScreen);
        // Where the notepad overlaps the USB writer, the notepad is on top.
        QCOMPARE(std::string(screen.control_at({400, 300}).name), std::string("标签14"));
        sim.double_click(DesktopScreen, 图片框6);  // browser
        const QRect notepad = sim.widget(DesktopScreen, 标签14)->geometry();
        for (QPoint corner : {notepad.topLeft(), notepad.topRight(), notepad.bottomLeft(), notepad.bottomRight(),
                              notepad.center()}) {
            const std::string on_top(screen.control_at(corner).name);
            QVERIFY2(on_top == "标签17" || on_top == "超文本浏览框1", on_top.c_str());
        }
        sim.press(DesktopScreen, 标签18);
        QCOMPARE(std::string(screen.control_at(notepad.center()).name), std::string("标签14"));
        QVERIFY(group_shown(sim, notepad_panel, true));
        // The start button stays reachable below the open browser panel.
        sim.double_click(DesktopScreen, 图片框6);
        QCOMPARE(std::string(screen.control_at({20, 630}).name), std::string("标签2"));
    }

    void refresh_mark_reloads_the_pane()
    {
        testing::Sim sim;
        load_screen(DesktopScreen);
        sim.double_click(DesktopScreen, 图片框6);
        sim.press(DesktopScreen, 透明标签8);
        QCOMPARE(sim.writes("超文本浏览框1", "reload").size(), std::size_t(1));
    }
};

QTEST_MAIN(NotepadAndBrowser)
#include "test_notepad_and_browser.moc"
