// Loading, destroying and loading again; closing; the end of the program; and a handler whose
// screen was closed under it.
#include <QMessageBox>
#include <QTest>
#include <QWidget>

#ifndef Q_MOC_RUN
#include "runtime.h"
#include "screen_window.h"
#include "sim.h"
#include "test_screens.h"
#endif

using namespace rt;
using namespace fixture;
using Log = std::vector<std::string>;

namespace {

// Counts the times a widget is shown, to prove that a control hidden at creation never appears.
class ShowCounter final : public QObject {
public:
    int shows = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show) ++shows;
        return false;
    }
};

}  // namespace

class Lifecycle : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        fixture::log.clear();
        fixture::waiter_ms = 1000;
    }

    void created_runs_while_the_window_is_hidden()
    {
        testing::Sim sim;
        QVERIFY(load_screen(TestScreen));
        QCOMPARE(fixture::log, (Log{"created:hidden"}));
        QVERIFY(sim.screen(TestScreen)->window()->isVisible());
        QVERIFY(!sim.visible(TestScreen, hidden_label));
    }

    void control_hidden_at_creation_is_never_shown()
    {
        testing::Sim sim;
        ShowCounter counter;
        // Watch every widget that will be created, then look at the hidden label's count.
        qApp->installEventFilter(&counter);
        load_screen(TestScreen);
        qApp->removeEventFilter(&counter);
        ShowCounter label_counter;
        sim.widget(TestScreen, hidden_label)->installEventFilter(&label_counter);
        sim.run_until(100);
        QCOMPARE(label_counter.shows, 0);
        QVERIFY(!sim.widget(TestScreen, hidden_label)->isVisible());
        QVERIFY(counter.shows > 0);  // the window and the other controls were shown
    }

    void loading_a_live_screen_only_activates_it()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        const auto first = sim.screen(TestScreen);
        QVERIFY(load_screen(TestScreen));
        QCOMPARE(sim.screen(TestScreen), first);
        QCOMPARE(sim.live_screen_names(), (std::vector<std::string>{"TestScreen"}));
        QCOMPARE(std::count(fixture::log.begin(), fixture::log.end(), "created:hidden"), 1);
    }

    void destroyed_screen_stays_on_view_until_the_handler_returns()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        load_screen(OtherScreen);
        sim.press(TestScreen, closer);
        QCOMPARE(fixture::log.back(), std::string("closer:still shown"));
        sim.run_until(10);
        QVERIFY(!sim.screen(TestScreen));
        QCOMPARE(sim.live_screen_names(), (std::vector<std::string>{"OtherScreen"}));
        QVERIFY(!sim.runtime.ended());
    }

    void loading_again_starts_from_the_definition()
    {
        testing::Sim sim;
        load_screen(OtherScreen);
        load_screen(TestScreen);
        Screen screen(sim.screen(TestScreen));
        set_property(screen, label_top, Property::caption, "changed");
        set_property(screen, bar, Property::position, 70);
        set_property(screen, radio2, Property::checked, 1);
        destroy_screen(screen);
        QVERIFY(load_screen(TestScreen));  // the marked instance goes first, then a new one
        QCOMPARE(sim.caption(TestScreen, label_top), QString("top"));
        QCOMPARE(sim.position(TestScreen, bar), 0);
        QVERIFY(!sim.checked(TestScreen, radio2));
        QCOMPARE(std::count(fixture::log.begin(), fixture::log.end(), "created:hidden"), 2);
        QCOMPARE(sim.live_screen_names().size(), std::size_t(2));
    }

    void a_load_during_the_first_drain_makes_no_second_instance()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        // A press already queued when the load begins; its handler loads OtherScreen itself.
        static bool loaded_inside = false;
        loaded_inside = false;
        struct Loader {
            static void on_press(Screen) { loaded_inside = load_screen(OtherScreen); }
        };
        static const ScreenDefinition Launcher{
            .name = "Launcher",
            .window = {.caption = "launcher", .width = 206, .height = 128},
            .controls = {},
            .handlers = {{window, Event::pressed, Loader::on_press}},
        };
        load_screen(Launcher);
        QWindow* handle = sim.screen(Launcher)->window()->windowHandle();
        QCoreApplication::postEvent(handle, new QMouseEvent(QEvent::MouseButtonPress, QPointF(20, 20),
                                                            QPointF(20, 20), Qt::LeftButton,
                                                            Qt::LeftButton, Qt::NoModifier));
        QVERIFY(load_screen(OtherScreen));
        QVERIFY(loaded_inside);
        QCOMPARE(std::count(fixture::log.begin(), fixture::log.end(), "other:created"), 1);
        QCOMPARE(sim.live_screen_names(), (std::vector<std::string>{"TestScreen", "Launcher", "OtherScreen"}));
    }

    void closing_the_last_screen_ends_with_status_zero_data()
    {
        QTest::addColumn<bool>("by_escape");
        QTest::newRow("Esc") << true;
        QTest::newRow("close box") << false;
    }
    void closing_the_last_screen_ends_with_status_zero()
    {
        QFETCH(bool, by_escape);
        testing::Sim sim;
        load_screen(TestScreen);
        load_screen(OtherScreen);
        by_escape ? sim.press_escape(OtherScreen) : sim.close_box(OtherScreen);
        QVERIFY(!sim.screen(OtherScreen));
        QVERIFY(!sim.runtime.ended());
        by_escape ? sim.press_escape(TestScreen) : sim.close_box(TestScreen);
        QVERIFY(sim.runtime.ended());
        QCOMPARE(sim.runtime.exit_status(), 0);
    }

    void end_program_during_a_nested_wait_ends_every_handler()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        struct Ender {
            static void on_press(Screen) { end_program(0); }
        };
        static const ScreenDefinition Ending{
            .name = "Ending",
            .window = {.width = 206, .height = 128},
            .controls = {},
            .handlers = {{window, Event::pressed, Ender::on_press}},
        };
        load_screen(Ending);
        sim.clock.at(200, [&] { sim.press(TestScreen, waiter); });
        sim.clock.at(500, [&] { sim.press(TestScreen, waiter); });
        sim.clock.at(800, [&] { sim.press(Ending, window, {20, 20}); });
        sim.run_until(5000);
        QVERIFY(sim.runtime.ended());
        QCOMPARE(sim.runtime.exit_status(), 0);
        QCOMPARE(fixture::log, (Log{"created:hidden", "waiter:start", "waiter:start"}));
        QCOMPARE(sim.clock.now_ms(), 800);  // nothing waited on after the end
    }

    void a_first_screen_that_ends_the_program_while_created_gives_its_status()
    {
        struct Quitter {
            static void on_created(Screen) { end_program(3); }
        };
        static const ScreenDefinition Quitting{
            .name = "Quitting",
            .window = {.width = 206, .height = 128},
            .controls = {},
            .handlers = {{window, Event::created, Quitter::on_created}},
        };
        testing::Sim sim;
        QCOMPARE(sim.runtime.run(Quitting), 3);
        QVERIFY(!sim.screen(Quitting) || !sim.screen(Quitting)->window()->isVisible());
    }

    void handler_of_a_closed_screen_ends_quietly_data()
    {
        QTest::addColumn<bool>("other_screen_open");
        QTest::newRow("another screen stays") << true;
        QTest::newRow("last screen") << false;
    }
    void handler_of_a_closed_screen_ends_quietly()
    {
        QFETCH(bool, other_screen_open);
        testing::Sim sim;
        if (other_screen_open) load_screen(OtherScreen);
        load_screen(TestScreen);
        sim.clock.at(100, [&] { sim.press(TestScreen, waiter); });
        sim.clock.at(500, [&] { sim.press_escape(TestScreen); });
        sim.run_until(3000);
        QCOMPARE(fixture::log.back(), std::string("waiter:start"));
        QVERIFY(sim.writes("waiter", "caption").empty());
        QCOMPARE(sim.runtime.ended(), !other_screen_open);
        QCOMPARE(sim.runtime.exit_status(), 0);
        if (other_screen_open) QVERIFY(sim.screen(OtherScreen)->window()->isVisible());
    }

    void message_box_blocks_every_handler_while_open_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("icon");
        QTest::newRow("plain") << message_plain << int(QMessageBox::NoIcon);
        QTest::newRow("error") << message_error << int(QMessageBox::Critical);
    }
    void message_box_blocks_every_handler_while_open()
    {
        QFETCH(int, style);
        QFETCH(int, icon);
        testing::Sim sim;
        load_screen(TestScreen);
        QMessageBox* seen = nullptr;
        sim.clock.at(100, [&] {
            seen = sim.runtime.open_message_box();
            QCOMPARE(seen->windowTitle(), QString("信息："));
            QCOMPARE(seen->text(), QString("文本"));
            QCOMPARE(int(seen->icon()), icon);
            QCOMPARE(seen->buttons().size(), qsizetype(1));
            QVERIFY(seen->isModal());
            sim.press(TestScreen, label_top);
            sim.press(TestScreen, window, {350, 250});
        });
        sim.close_message_box_at(200);
        sim.clock.at(300, [&] { sim.press(TestScreen, label_top); });
        QCOMPARE(show_message_box("文本", style), int(QMessageBox::Ok));
        QCOMPARE(sim.clock.now_ms(), 200);
        sim.run_until(400);
        QVERIFY(seen);
        QCOMPARE(fixture::log, (Log{"created:hidden", "label_top:pressed"}));
    }
};

QTEST_MAIN(Lifecycle)
#include "test_lifecycle.moc"
