// How long a wait lasts, what runs inside it, and in which order nested handlers finish.
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#ifndef Q_MOC_RUN
#include "real_clock.h"
#include "sim.h"
#include "test_screens.h"
#endif

using namespace rt;
using namespace fixture;
using Log = std::vector<std::string>;

namespace {

class EventCounter final : public QObject {
public:
    int seen = 0;
    void customEvent(QEvent*) override { ++seen; }
};

}  // namespace

class Waits : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        fixture::log.clear();
        fixture::waiter_ms = 1000;
    }

    void zero_or_negative_wait_returns_without_handling_events_data()
    {
        QTest::addColumn<int>("ms");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -5;
    }
    void zero_or_negative_wait_returns_without_handling_events()
    {
        QFETCH(int, ms);
        testing::Sim sim;
        EventCounter counter;
        QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
        wait_processing_events(ms);
        QCOMPARE(counter.seen, 0);
        QCOMPARE(sim.clock.now_ms(), 0);
        wait_processing_events(1);
        QCOMPARE(counter.seen, 1);
    }

    void wait_returns_only_after_more_than_the_time_asked()
    {
        testing::Sim sim;
        wait_processing_events(500);
        QCOMPARE(sim.clock.now_ms(), 501);
    }

    void click_on_another_control_runs_nested_inside_the_wait()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        sim.clock.at(300, [&] { sim.press(TestScreen, label_top); });
        sim.clock.at(100, [&] { sim.press(TestScreen, waiter); });
        sim.run_until(2000);
        QCOMPARE(fixture::log, (Log{"created:hidden", "waiter:start", "label_top:pressed", "waiter:end"}));
        QCOMPARE(sim.writes("waiter", "caption").front().time, 1101);
    }

    void same_handler_again_runs_from_its_start_and_the_outer_one_returns_at_once()
    {
        testing::Sim sim;
        load_screen(TestScreen);
        sim.clock.at(100, [&] { sim.press(TestScreen, waiter); });
        sim.clock.at(600, [&] { sim.press(TestScreen, waiter); });
        sim.run_until(3000);
        QCOMPARE(fixture::log, (Log{"created:hidden", "waiter:start", "waiter:start", "waiter:end", "waiter:end"}));
        const auto captions = sim.writes("waiter", "caption");
        QCOMPARE(captions.size(), std::size_t(2));
        // The inner run waits its full second; the outer deadline (1100) has long passed by then.
        QCOMPARE(captions[0].time, 1601);
        QCOMPARE(captions[1].time, 1601);
    }

    // The real clock: a wait of 500 ms blocks on the event loop and a click during it runs.
    void real_wait_lasts_the_time_and_handles_a_click()
    {
        RealClock clock;
        Runtime runtime(clock);
        load_screen(TestScreen);
        QTimer::singleShot(200, [&] {
            auto screen = runtime.live(TestScreen);
            QTest::mouseClick(screen->widget(label_top), Qt::LeftButton);
            fixture::log.push_back("clicked");
        });
        QElapsedTimer elapsed;
        elapsed.start();
        const std::int64_t start = clock.now_ms();
        wait_processing_events(500);
        QVERIFY(clock.now_ms() - start > 500);
        QVERIFY(elapsed.elapsed() >= 500);
        QVERIFY(elapsed.elapsed() < 1500);
        QCOMPARE(fixture::log.back(), std::string("clicked"));
    }
};

QTEST_MAIN(Waits)
#include "test_waits.moc"
