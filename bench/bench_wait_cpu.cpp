// CPU share of the trainer while a sequence waits, as a percentage of one core: CPU time of the main
// process (every thread, user plus system) over the wall time of the wait. The web engine's helper
// processes are shown apart, for information.
//
//   bench_wait_cpu [WAIT_MS]     default 5000
//
// Four figures, in one process, one after the other:
//   spinning loop          a busy loop of the same length: the ceiling, 100 %
//   bare Qt wait           a bare window shown, a QEventLoop ended by a timer: the floor
//   desktop, one wait      the fresh desktop, then rt::wait_processing_events(WAIT_MS)
//   desktop, USB write     the USB writer's action pressed: thirty 500 ms waits, each followed by a
//                          progress bar move and its repaint (15 s), the closing message box
//                          answered as soon as it opens
// The web engine is on unless RT_NO_WEB_ENGINE is set; run_all.sh runs both. The platform defaults
// to offscreen.
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "bench_common.h"
#include "desktop_controls.h"
#include "desktop_screen.h"
#include "fonts.h"
#include "real_clock.h"
#include "runtime.h"
#include "screen_instance.h"

namespace {

struct Share {
    double wall_ms = 0;
    double cpu_ms = 0;
    long switches = 0;
    double helpers_ms = 0;  // the web engine's own processes, for information
    double percent() const { return wall_ms > 0 ? 100.0 * cpu_ms / wall_ms : 0; }
};

Share measure(const std::function<void()>& work)
{
    const std::int64_t wall = bench::monotonic_ns();
    const std::int64_t cpu = bench::process_cpu_ns();
    const long switches = bench::context_switches();
    const std::int64_t helpers = bench::descendants_cpu_ns();
    work();
    return {(bench::monotonic_ns() - wall) / 1e6, (bench::process_cpu_ns() - cpu) / 1e6,
            bench::context_switches() - switches, (bench::descendants_cpu_ns() - helpers) / 1e6};
}

void print(const char* label, const Share& share)
{
    std::printf("  %-34s %6.2f %% of one core  (CPU %7.1f ms over %7.1f ms; %ld context switches", label,
                share.percent(), share.cpu_ms, share.wall_ms, share.switches);
    if (share.helpers_ms != 0) std::printf("; helper processes %.1f ms", share.helpers_ms);
    std::printf(")\n");
    std::fflush(stdout);
}

volatile unsigned long spin_sink = 0;

// Lets the event loop run for a while, as the desktop would between two presses.
void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    const int wait_ms = argc > 1 ? std::max(100, std::atoi(argv[1])) : 5000;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setFont(rt::default_font());

    const bool web = qEnvironmentVariableIsEmpty("RT_NO_WEB_ENGINE");
    std::printf("CPU share while waiting %d ms, platform %s, web engine %s\n", wait_ms,
                qPrintable(QGuiApplication::platformName()), web ? "on" : "off (RT_NO_WEB_ENGINE=1)");

    const Share spin = measure([&] {
        const std::int64_t end = bench::monotonic_ns() + static_cast<std::int64_t>(wait_ms) * 1'000'000;
        while (bench::monotonic_ns() < end) spin_sink = spin_sink + 1;
    });
    print("spinning loop (ceiling)", spin);

    {
        QWidget bare;
        bare.setFixedSize(1072, 648);
        bare.show();
        settle(1000);
        print("bare Qt window, timer wait (floor)", measure([&] { settle(wait_ms); }));
    }

    rt::RealClock clock;
    rt::Runtime runtime(clock);
    if (!runtime.load_screen(DesktopScreen)) {
        std::fprintf(stderr, "the desktop did not load\n");
        return EXIT_FAILURE;
    }
    // The first frame, the wallpaper and (when on) the web engine's start and failed page load.
    settle(3000);
    const Share one_wait = measure([&] { rt::wait_processing_events(wait_ms); });
    print("desktop, wait_processing_events", one_wait);

    // The USB writer's action, as a press would run it; its closing box is answered at once.
    runtime.message_box_shown = [](QMessageBox& box) { box.accept(); };
    auto desktop = runtime.live(DesktopScreen);
    const Share usb = measure([&] { runtime.raise(*desktop, desktop::标签11, rt::Event::pressed); });
    print("desktop, USB write (30 x 500 ms)", usb);

    const double goal = 2.0;
    std::printf("  goal: under %.0f %% of one core; one wait %.2f %% (%.3fx the ceiling), USB write %.2f %%: %s\n",
                goal, one_wait.percent(), one_wait.percent() / spin.percent(), usb.percent(),
                one_wait.percent() < goal && usb.percent() < goal ? "met" : "MISSED");
    return EXIT_SUCCESS;
}
