// Start-up: the toolkit, the first screen, and the event loop until the program ends.
#include <QApplication>

#include "desktop_screen.h"
#include "real_clock.h"
#include "runtime.h"
#include "start_up.h"

int main(int argc, char** argv)
{
    rt::prepare_start_up();
    QApplication app(argc, argv);
    rt::dress_application(app);

    rt::RealClock clock;
    rt::Runtime runtime(clock);
    return runtime.run(DesktopScreen);
}
