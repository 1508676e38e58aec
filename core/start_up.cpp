#include "start_up.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <cstdio>
#include <unistd.h>

#include "fonts.h"
#include "picture_catalogue.h"
#include "web_pane.h"

namespace rt {

namespace {

// The web engine's sandbox refuses to start as root (in a container or on a build machine).
void allow_web_engine_as_root()
{
    if (geteuid() != 0 || qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX")) return;
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    std::fputs("reinstall-trainer: running as root, so the web pane's sandbox is switched off\n", stderr);
}

QIcon program_icon()
{
    const auto bytes = assets::picture("program-icon");
    QPixmap pixmap;
    pixmap.loadFromData(bytes.data, static_cast<uint>(bytes.size), "PNG");
    return QIcon(pixmap);
}

}  // namespace

void prepare_start_up()
{
    allow_web_engine_as_root();
    // The web engine shares its GL contexts with the widgets; without it there is nothing to share.
    if (web_engine_available()) QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

void dress_application(QApplication&)
{
    QApplication::setApplicationName(QStringLiteral("reinstall-trainer"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.reinstall_trainer"));
    QApplication::setFont(default_font());
    QApplication::setWindowIcon(program_icon());
}

}  // namespace rt
