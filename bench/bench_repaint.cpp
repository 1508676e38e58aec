// Repaint timings of the trainer's windows against bare Qt widgets of the same size filling a colour.
//
//   bench_repaint [ITERATIONS]     default 300 per figure
//
//   WelcomeScreen, colour write     the greeting's step: the window's background colour written
//                                   (0xC06000 and back), then window->repaint(): the whole 952x584
//                                   client area with its three labels, painted and flushed
//   floor                           a bare top-level QWidget of 952x584 filling a colour, repaint()
//   desktop, caption write          the desktop's transparent label 透明标签1 (80x24, over the
//                                   stretched wallpaper) given another caption, then its repaint():
//                                   the wallpaper beneath is drawn again, then the text
//   floor                           an opaque 80x24 child of a bare 1072x648 window filling a
//                                   colour, repaint()
//   desktop, whole window           window->repaint() of the 1072x648 desktop (wallpaper and every
//                                   visible control), against a bare 1072x648 window filling a colour
//
// Each repaint is timed alone with QElapsedTimer; the product and its floor are measured in turns,
// a block of each per round, and the medians compared. The platform defaults to offscreen and the
// web engine to off (the browser pane is hidden on the fresh desktop and paints nothing).
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "bench_common.h"
#include "desktop_controls.h"
#include "desktop_screen.h"
#include "fonts.h"
#include "real_clock.h"
#include "runtime.h"
#include "screen_instance.h"
#include "screen_window.h"
#include "setup_controls.h"
#include "welcome_screen.h"

namespace {

constexpr int rounds = 5;

// A plain widget that fills itself with one colour, the cheapest honest repaint there is.
class Filler final : public QWidget {
public:
    explicit Filler(QWidget* parent = nullptr) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }
    void toggle() { dark_ = !dark_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), dark_ ? QColor(0x00, 0x60, 0xC0) : QColor(0x00, 0x88, 0xFF));
    }

private:
    bool dark_ = false;
};

void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Times `step` (one write and one repaint) `count` times, appending each time in microseconds.
void time_steps(int count, const std::function<void()>& step, std::vector<double>& out)
{
    QElapsedTimer timer;
    for (int i = 0; i < count; ++i) {
        timer.start();
        step();
        out.push_back(timer.nsecsElapsed() / 1e3);
    }
}

void compare(const char* product_label, const char* floor_label, int iterations, const std::function<void()>& product,
             const std::function<void()>& floor)
{
    std::vector<double> product_us, floor_us;
    // Warm-up: glyph caches, the scaled wallpaper, the backing stores.
    time_steps(20, product, product_us);
    time_steps(20, floor, floor_us);
    product_us.clear();
    floor_us.clear();
    const int per_round = std::max(1, iterations / rounds);
    for (int round = 0; round < rounds; ++round) {
        time_steps(per_round, product, product_us);
        time_steps(per_round, floor, floor_us);
    }
    const double p = bench::median(product_us), f = bench::median(floor_us);
    std::printf("  %8.1f us (min %7.1f)  %6.2fx  %s\n", p, bench::minimum(product_us), p / f, product_label);
    std::printf("  %8.1f us (min %7.1f)  %6.2fx  %s\n", f, bench::minimum(floor_us), 1.0, floor_label);
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv)
{
    const int iterations = argc > 1 ? std::max(rounds, std::atoi(argv[1])) : 300;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("RT_NO_WEB_ENGINE")) qputenv("RT_NO_WEB_ENGINE", "1");
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setFont(rt::default_font());
    std::printf("repaint timings, platform %s, median of %d repaints each\n",
                qPrintable(QGuiApplication::platformName()), iterations / rounds * rounds);

    rt::RealClock clock;
    rt::Runtime runtime(clock);

    // The greeting: a flat colour and three labels, two of them transparent.
    if (!runtime.load_screen(WelcomeScreen)) return EXIT_FAILURE;
    auto welcome = runtime.live(WelcomeScreen);
    const rt::Screen welcome_screen{std::weak_ptr<rt::ScreenInstance>(welcome)};
    QWidget* welcome_window = welcome->window();
    Filler welcome_floor;
    welcome_floor.setFixedSize(welcome_window->size());
    welcome_floor.show();
    settle(300);
    bool dark = false;
    char product_label[96], floor_label[96];
    std::snprintf(product_label, sizeof product_label, "WelcomeScreen %dx%d, colour write",
                  welcome_window->width(), welcome_window->height());
    std::snprintf(floor_label, sizeof floor_label, "bare QWidget %dx%d filling a colour (floor)",
                  welcome_floor.width(), welcome_floor.height());
    compare(product_label, floor_label, iterations,
        [&] {
            dark = !dark;
            rt::set_property(welcome_screen, rt::window, rt::Property::background_colour,
                             static_cast<std::int64_t>(dark ? 0xC06000 : 0xFF8800));
            welcome_window->repaint();
        },
        [&] {
            welcome_floor.toggle();
            welcome_floor.repaint();
        });
    welcome_floor.hide();
    welcome_window->hide();

    // The fresh desktop, its wallpaper stretched under the transparent labels.
    if (!runtime.load_screen(DesktopScreen)) return EXIT_FAILURE;
    auto desktop = runtime.live(DesktopScreen);
    const rt::Screen desktop_screen{std::weak_ptr<rt::ScreenInstance>(desktop)};
    QWidget* desktop_window = desktop->window();
    QWidget* label = desktop->widget(desktop::透明标签1);
    QWidget bare_desktop;
    bare_desktop.setFixedSize(desktop_window->size());
    Filler label_floor(&bare_desktop);
    label_floor.setGeometry(label->geometry());
    Filler desktop_floor;
    desktop_floor.setFixedSize(desktop_window->size());
    bare_desktop.show();
    desktop_floor.show();
    settle(300);

    bool other = false;
    std::snprintf(product_label, sizeof product_label, "desktop 透明标签1 %dx%d, caption write", label->width(),
                  label->height());
    std::snprintf(floor_label, sizeof floor_label, "bare child QWidget %dx%d filling a colour (floor)",
                  label_floor.width(), label_floor.height());
    compare(product_label, floor_label, iterations,
        [&] {
            other = !other;
            rt::set_property(desktop_screen, desktop::透明标签1, rt::Property::caption,
                             std::string(other ? "Vodidu 写入" : "Vodidu"));
            label->repaint();
        },
        [&] {
            label_floor.toggle();
            label_floor.repaint();
        });

    std::snprintf(product_label, sizeof product_label, "desktop %dx%d, whole window", desktop_window->width(),
                  desktop_window->height());
    std::snprintf(floor_label, sizeof floor_label, "bare QWidget %dx%d filling a colour (floor)",
                  desktop_floor.width(), desktop_floor.height());
    compare(product_label, floor_label, iterations, [&] { desktop_window->repaint(); },
        [&] {
            desktop_floor.toggle();
            desktop_floor.repaint();
        });
    return EXIT_SUCCESS;
}
