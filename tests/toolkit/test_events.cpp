// Which target a mouse event reaches, in which order, and that the handler runs first.
#include <QAbstractButton>
#include <QAccessible>
#include <QTest>

// moc cannot read identifiers written in Chinese, so it is kept out of our headers.
#ifndef Q_MOC_RUN
#include "sim.h"
#include "test_screens.h"
#endif

using namespace rt;
using namespace fixture;
using Events = std::vector<std::string>;

class EventRouting : public QObject {
    Q_OBJECT
private slots:
    void init() { fixture::log.clear(); }

    void double_click_raises_press_release_double_release()
    {
        testing::Sim sim;
        QVERIFY(load_screen(TestScreen));
        sim.double_click(TestScreen, box, {90, 70});
        QCOMPARE(sim.events_on("TestScreen"),
                 (Events{"box:pressed", "box:released", "box:double_clicked", "box:released"}));
        QCOMPARE(fixture::log, (Events{"created:hidden", "box:double_clicked"}));
    }

    void quick_double_click_on_a_press_label_runs_its_handler_once()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        sim.double_click(TestScreen, label_top);
        QCOMPARE(std::count(fixture::log.begin(), fixture::log.end(), "label_top:pressed"), 1);
    }

    void release_goes_to_whatever_lies_under_the_pointer()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        sim.press(TestScreen, label_top, {5, 5});
        sim.release(TestScreen, label_under, {90, 5});
        QCOMPARE(sim.events_on("TestScreen"), (Events{"label_top:pressed", "label_under:released"}));
        QCOMPARE(fixture::log, (Events{"created:hidden", "label_top:pressed", "label_under:released"}));
    }

    void push_button_keeps_the_pointer_until_release()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        sim.press(TestScreen, button);
        sim.release(TestScreen, label_under, {90, 5});
        QCOMPARE(sim.events_on("TestScreen"), (Events{"button:pressed", "button:released"}));
    }

    void handler_runs_before_the_control_sees_the_press()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        sim.press(TestScreen, button);
        QCOMPARE(fixture::log.back(), std::string("button:up before handler"));
        QVERIFY(static_cast<QAbstractButton*>(sim.widget(TestScreen, button))->isDown());
    }

    void target_is_the_topmost_visible_control_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QString>("expected");
        QTest::newRow("overlap goes to the first in the list") << "label_under" << QPoint(10, 10) << "label_top";
        QTest::newRow("beside the overlap") << "label_under" << QPoint(80, 10) << "label_under";
        QTest::newRow("transparent label without text") << "transparent" << QPoint(50, 15) << "transparent";
        QTest::newRow("button inside a picture box") << "button" << QPoint(5, 5) << "button";
        QTest::newRow("picture box beside its button") << "box" << QPoint(90, 70) << "box";
        QTest::newRow("hidden control lets the window through") << "hidden_label" << QPoint(5, 5) << "window";
    }
    void target_is_the_topmost_visible_control()
    {
        QFETCH(QString, control);
        QFETCH(QPoint, point);
        QFETCH(QString, expected);
        testing::Sim sim;
        load_screen(TestScreen);
        const std::string name = control.toStdString();
        sim.press(TestScreen, ControlName{name}, point);
        QCOMPARE(sim.events_on("TestScreen").front(), expected.toStdString() + ":pressed");
        QCOMPARE(sim.events_on("TestScreen").size(), std::size_t(1));
    }

    void press_on_the_bare_window_reaches_the_window()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        sim.press(TestScreen, window, {350, 250});
        QCOMPARE(fixture::log.back(), std::string("window:pressed"));
    }

    void radio_writes_touch_one_button_and_clicks_clear_the_group()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        const Screen screen(sim.screen(TestScreen));
        set_property(screen, radio1, Property::checked, 1);
        set_property(screen, radio2, Property::checked, 1);
        QCOMPARE(get_property(screen, radio1, Property::checked), 1);
        QCOMPARE(get_property(screen, radio2, Property::checked), 1);
        sim.click(TestScreen, radio1);
        QCOMPARE(get_property(screen, radio1, Property::checked), 1);
        QCOMPARE(get_property(screen, radio2, Property::checked), 0);
        sim.click(TestScreen, radio1);  // clicking the checked one keeps it checked
        QCOMPARE(get_property(screen, radio1, Property::checked), 1);
    }

    void visibility_write_hides_and_shows_without_losing_state()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        const Screen screen(sim.screen(TestScreen));
        set_property(screen, bar, Property::position, 40);
        set_property(screen, bar, Property::可视, 0);
        set_property(screen, bar, Property::可视, 0);
        QVERIFY(!sim.visible(TestScreen, bar));
        set_property(screen, bar, Property::可视, 1);
        QVERIFY(sim.visible(TestScreen, bar));
        QCOMPARE(sim.position(TestScreen, bar), 40);
    }

    void owner_drawn_controls_tell_a_screen_reader_what_they_are()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        QAccessibleInterface* top = QAccessible::queryAccessibleInterface(sim.widget(TestScreen, label_top));
        QCOMPARE(top->role(), QAccessible::Button);
        QCOMPARE(top->text(QAccessible::Name), QString("top"));
        set_property(Screen(sim.screen(TestScreen)), label_top, Property::caption, "单击此开始（&S）");
        QCOMPARE(top->text(QAccessible::Name), QString("单击此开始（S）"));
        QAccessibleInterface* under = QAccessible::queryAccessibleInterface(sim.widget(TestScreen, hidden_label));
        QCOMPARE(under->role(), QAccessible::StaticText);
    }
};

QTEST_MAIN(EventRouting)
#include "test_events.moc"
