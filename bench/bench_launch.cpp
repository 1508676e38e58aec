// Start-up time and peak memory of the trainer at its fresh desktop, against a bare Qt window of the
// same client size (1072x648) launched the same way.
//
//   bench_startup [RUNS]   time from spawning the process to its first drawn frame
//   bench_memory [RUNS]    VmHWM of the main process one second after its first drawn frame
//
// Both drivers spawn fresh processes, alternating between the variants run by run, and print
// medians. The measured processes are this same program in child mode:
//
//   bench_startup --child desktop [--settle MS]   starts exactly as the trainer's main() does
//   bench_bare_window --child bare [--settle MS]  a plain QWidget of 1072x648 in a program built
//                                                 against Qt Widgets only: the floor
//   bench_bare_window --child bare-gl ...         the same, asking for Qt::AA_ShareOpenGLContexts
//                                                 first as the trainer does for its web engine
//   bench_startup --child bare ...                the floor's window in a program that links the
//                                                 trainer's libraries (and so the web engine's)
//
// A child reports CLOCK_MONOTONIC timestamps (one clock for the whole machine) on stdout, so the
// driver can subtract the moment it called posix_spawn: exec, dynamic linking, Qt's start-up,
// building the screen, the first paint and the flush to the platform are all inside the figure.
// The first frame is the moment control returns to the event loop after the first paint of a
// top-level window: by then every child widget has painted and the backing store has been
// flushed to the platform (an X server under Xvfb, an image with QT_QPA_PLATFORM=offscreen).
//
// The platform is whatever the environment says (QT_QPA_PLATFORM, DISPLAY); run_all.sh runs the
// drivers under Xvfb, and with the offscreen platform.
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bench_common.h"

#ifndef BENCH_BARE_ONLY
#include <QIcon>
#include <QPixmap>

#include "desktop_screen.h"
#include "fonts.h"
#include "picture_catalogue.h"
#include "real_clock.h"
#include "runtime.h"
#include "start_up.h"
#endif

extern char** environ;

namespace {

constexpr int client_width = 1072;
constexpr int client_height = 648;

// ---- Child side ------------------------------------------------------------------------------------

// Resident memory of every process descended from this one (the web engine's helpers), in kB.
long descendants_rss_kb()
{
    long total = 0;
    for (const pid_t pid : bench::descendants(getpid())) {
        const long rss = bench::status_kb("/proc/" + std::to_string(pid) + "/status", "VmRSS");
        if (rss > 0) total += rss;
    }
    return total;
}

void report(const char* key, long long value)
{
    std::printf("%s %lld\n", key, value);
    std::fflush(stdout);
}

// Watches every event of the application for the first paint of a top-level window. Control
// returns to the event loop once that window and all its children have painted and the result
// has been flushed; a zero timer started from the paint fires right then.
class FirstFrame final : public QObject {
public:
    FirstFrame(int settle_ms, std::function<void()> finish) : settle_ms_(settle_ms), finish_(std::move(finish)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow()) {
            seen_ = true;
            report("paint_ns", bench::monotonic_ns());
            QTimer::singleShot(0, this, [this] {
                report("frame_ns", bench::monotonic_ns());
                QTimer::singleShot(settle_ms_, this, [this] {
                    if (settle_ms_ > 0) {
                        report("hwm_kb", bench::own_status_kb("VmHWM"));
                        report("rss_kb", bench::own_status_kb("VmRSS"));
                        report("helpers_rss_kb", descendants_rss_kb());
                    }
                    std::printf("end\n");
                    std::fflush(stdout);
                    finish_();
                });
            });
        }
        return false;
    }

private:
    int settle_ms_;
    std::function<void()> finish_;
    bool seen_ = false;
};

// The floor: what any Qt Widgets program pays for a window of that size. With `share_gl` it also
// asks for the global shared OpenGL context, as the trainer does for its web engine.
int child_bare(int argc, char** argv, int settle_ms, bool share_gl)
{
    report("main_ns", bench::monotonic_ns());
    if (share_gl) QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    report("app_ns", bench::monotonic_ns());
    FirstFrame watcher(settle_ms, [] { QCoreApplication::quit(); });
    app.installEventFilter(&watcher);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.setFixedSize(client_width, client_height);
    window.show();
    report("loaded_ns", bench::monotonic_ns());
    return app.exec();
}

#ifndef BENCH_BARE_ONLY

// From here to the end of child_desktop: the trainer's main(), step by step, with timestamps.

int child_desktop(int argc, char** argv, int settle_ms)
{
    report("main_ns", bench::monotonic_ns());
    rt::prepare_start_up();
    QApplication app(argc, argv);
    rt::dress_application(app);
    report("app_ns", bench::monotonic_ns());

    rt::RealClock clock;
    rt::Runtime runtime(clock);
    FirstFrame watcher(settle_ms, [&runtime] { runtime.request_exit(0); });
    app.installEventFilter(&watcher);
    // Runtime::run(DesktopScreen), split in two so that building the screen can be timed apart.
    if (!runtime.load_screen(DesktopScreen)) return 1;
    report("loaded_ns", bench::monotonic_ns());
    clock.idle(-1, [&runtime] { return runtime.ended(); });
    return runtime.exit_status();
}

// ---- Driver side -----------------------------------------------------------------------------------

struct Variant {
    std::string label;
    std::string program;
    std::string mode;
    bool web_engine = false;
    // Per run: the child's figures, keyed as it reported them, made relative where they are times.
    std::map<std::string, std::vector<double>> figures;
};

std::string own_path()
{
    char path[4096];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return {};
    path[length] = 0;
    return path;
}

// Waits for every orphan that was handed to us (see PR_SET_CHILD_SUBREAPER), killing, by id, any
// still there after five seconds, so that no web engine helper overlaps the next run.
void reap_everything()
{
    const std::int64_t give_up = bench::monotonic_ns() + 5'000'000'000LL;
    for (;;) {
        const pid_t pid = waitpid(-1, nullptr, WNOHANG);
        if (pid < 0) return;  // ECHILD: nothing left
        if (pid > 0) continue;
        if (bench::monotonic_ns() > give_up)
            for (const pid_t child : bench::children(getpid())) kill(child, SIGKILL);
        usleep(20'000);
    }
}

bool run_once(Variant& variant, int settle_ms)
{
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], STDOUT_FILENO);
    if (!std::getenv("BENCH_VERBOSE")) posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry) {
        if (std::strncmp(*entry, "RT_NO_WEB_ENGINE=", 17) != 0) environment.emplace_back(*entry);
    }
    if (!variant.web_engine) environment.emplace_back("RT_NO_WEB_ENGINE=1");
    std::vector<char*> envp;
    for (auto& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);

    const std::string settle = std::to_string(settle_ms);
    std::vector<std::string> arguments = {variant.program, "--child", variant.mode, "--settle", settle};
    std::vector<char*> argv;
    for (auto& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    const std::int64_t spawned = bench::monotonic_ns();
    const int failed = posix_spawn(&pid, variant.program.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(channel[1]);
    if (failed) {
        close(channel[0]);
        std::fprintf(stderr, "cannot start %s\n", variant.program.c_str());
        return false;
    }

    // Read the report up to its "end" line: the web engine's helpers may keep the pipe open.
    std::map<std::string, long long> values;
    std::string buffer;
    char chunk[512];
    bool ended = false;
    while (!ended) {
        const ssize_t got = read(channel[0], chunk, sizeof chunk);
        if (got <= 0) break;
        buffer.append(chunk, static_cast<std::size_t>(got));
        std::size_t newline;
        while ((newline = buffer.find('\n')) != std::string::npos) {
            const std::string line = buffer.substr(0, newline);
            buffer.erase(0, newline + 1);
            if (line == "end") {
                ended = true;
                break;
            }
            std::istringstream fields(line);
            std::string key;
            long long value = 0;
            if (fields >> key >> value) values[key] = value;
        }
    }
    close(channel[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    reap_everything();
    if (!ended || !values.count("frame_ns")) {
        std::fprintf(stderr, "%s: no first frame reported (exit status %d)\n", variant.label.c_str(), status);
        return false;
    }
    for (const char* key : {"main_ns", "app_ns", "loaded_ns", "paint_ns", "frame_ns"})
        if (values.count(key)) variant.figures[key].push_back((values[key] - spawned) / 1e6);
    for (const char* key : {"hwm_kb", "rss_kb", "helpers_rss_kb"})
        if (values.count(key)) variant.figures[key].push_back(static_cast<double>(values[key]));
    return true;
}

std::vector<Variant> variants()
{
    const std::string self = own_path();
    const std::string dir = self.substr(0, self.rfind('/'));
    return {
        {"bare QWidget 1072x648 (Qt Widgets only): floor", dir + "/bench_bare_window", "bare", false, {}},
        {"  the same + AA_ShareOpenGLContexts", dir + "/bench_bare_window", "bare-gl", false, {}},
        {"  the same bare window, trainer's libraries linked", self, "bare", false, {}},
        {"desktop, RT_NO_WEB_ENGINE=1", self, "desktop", false, {}},
        {"desktop, web engine on", self, "desktop", true, {}},
    };
}

const char* platform()
{
    const char* name = std::getenv("QT_QPA_PLATFORM");
    return name && *name ? name : (std::getenv("DISPLAY") ? "xcb (default)" : "default");
}

int drive(int runs, bool memory)
{
    // Orphaned web engine helpers come to us, so we can wait for them between runs.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    auto list = variants();
    const int settle_ms = memory ? 1000 : 0;
    // One unmeasured round first: the page cache then holds every library for every variant.
    for (auto& variant : list) {
        Variant warm = variant;
        if (!run_once(warm, 0)) return EXIT_FAILURE;
    }
    for (int run = 0; run < runs; ++run) {
        for (auto& variant : list) {
            if (!run_once(variant, settle_ms)) return EXIT_FAILURE;
            usleep(200'000);
        }
    }

    const Variant& floor = list.front();
    if (!memory) {
        std::printf("start-up to the first drawn frame, platform %s, median of %d runs (min-max)\n", platform(), runs);
        const double floor_ms = bench::median(floor.figures.at("frame_ns"));
        const double floor_best = bench::minimum(floor.figures.at("frame_ns"));
        for (const auto& variant : list) {
            const auto& f = variant.figures;
            const double frame = bench::median(f.at("frame_ns")), best = bench::minimum(f.at("frame_ns"));
            std::printf("  %-48s %7.1f ms (%.1f-%.1f)  %.2fx (fastest runs %.2fx)\n", variant.label.c_str(), frame,
                        best, bench::maximum(f.at("frame_ns")), frame / floor_ms, best / floor_best);
            std::printf("      main() entered %.1f, QApplication ready %.1f, window shown %.1f, first paint %.1f ms\n",
                        bench::median(f.at("main_ns")), bench::median(f.at("app_ns")),
                        bench::median(f.at("loaded_ns")), bench::median(f.at("paint_ns")));
        }
    } else {
        std::printf("peak memory (VmHWM) of the main process 1 s after its first frame, platform %s, median of %d runs\n",
                    platform(), runs);
        const double floor_kb = bench::median(floor.figures.at("hwm_kb"));
        for (const auto& variant : list) {
            const auto& f = variant.figures;
            const double hwm = bench::median(f.at("hwm_kb"));
            std::printf("  %-48s %7.1f MiB  %.2fx   (VmRSS %.1f MiB; helper processes' RSS %.1f MiB)\n",
                        variant.label.c_str(), hwm / 1024, hwm / floor_kb, bench::median(f.at("rss_kb")) / 1024,
                        bench::median(f.at("helpers_rss_kb")) / 1024);
        }
    }
    return EXIT_SUCCESS;
}

#endif  // BENCH_BARE_ONLY

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0) {
        const int settle_ms = argc >= 5 && std::strcmp(argv[3], "--settle") == 0 ? std::atoi(argv[4]) : 0;
        const std::string mode = argv[2];
        if (mode == "bare") return child_bare(argc, argv, settle_ms, false);
        if (mode == "bare-gl") return child_bare(argc, argv, settle_ms, true);
#ifndef BENCH_BARE_ONLY
        if (mode == "desktop") return child_desktop(argc, argv, settle_ms);
#endif
        std::fprintf(stderr, "unknown child mode %s\n", mode.c_str());
        return EXIT_FAILURE;
    }
#ifdef BENCH_BARE_ONLY
    std::fprintf(stderr, "usage: %s --child bare|bare-gl [--settle MS] (started by bench_startup)\n", argv[0]);
    return EXIT_FAILURE;
#else
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
#ifdef BENCH_MEMORY
    return drive(runs, true);
#else
    return drive(runs, false);
#endif
#endif
}
