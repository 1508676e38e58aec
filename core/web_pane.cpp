#include "web_pane.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QVBoxLayout>

#include <QLibrary>
#include <QMetaObject>
#include <QUrl>

namespace rt {

double zoom_factor(TextSize size)
{
    switch (size) {
    case TextSize::最小: return 0.6;
    case TextSize::较小: return 0.8;
    case TextSize::中等: return 1.0;
    case TextSize::较大: return 1.25;
    case TextSize::最大: return 1.5;
    }
    return 1.0;
}

#ifdef RT_WITH_WEB_ENGINE

bool web_engine_available() { return qEnvironmentVariableIsEmpty("RT_NO_WEB_ENGINE"); }

namespace {

using ViewFactory = QWidget* (*)(QWidget* parent, double zoom, bool offline, bool silent);

// The engine's module: beside the installed program, else where this build made it.
ViewFactory view_factory()
{
    static const ViewFactory factory = []() -> ViewFactory {
        const QStringList candidates = {
            QCoreApplication::applicationDirPath() + QStringLiteral("/../") + QStringLiteral(RT_WEB_MODULE_INSTALL_PATH),
            QStringLiteral(RT_WEB_MODULE_BUILD_PATH),
        };
        for (const QString& path : candidates) {
            QLibrary module(path);
            if (!module.load()) continue;
            if (auto factory = reinterpret_cast<ViewFactory>(module.resolve("reinstall_trainer_web_view"))) return factory;
        }
        qWarning("reinstall-trainer: the web engine module was not found; the forum pane stays white");
        return nullptr;
    }();
    return factory;
}

}  // namespace

#else

bool web_engine_available() { return false; }

#endif

WebPane::WebPane(QWidget* parent, WebPaneSettings settings) : QWidget(parent), settings_(settings)
{
    setAutoFillBackground(true);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
#ifdef RT_WITH_WEB_ENGINE
    // Starting the engine takes longer than drawing the whole screen: it starts once the window
    // has drawn its first frame, or as soon as anything needs the page before that.
    if (web_engine_available()) window()->installEventFilter(this);
#endif
}

bool WebPane::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window() && event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { view(); });
    }
    return false;
}

QWidget* WebPane::view()
{
#ifdef RT_WITH_WEB_ENGINE
    if (view_ || tried_ || !web_engine_available()) return view_;
    tried_ = true;
    window()->removeEventFilter(this);
    const ViewFactory factory = view_factory();
    if (!factory) return nullptr;
    view_ = factory(this, zoom_factor(settings_.字体大小), settings_.离线浏览, settings_.静默);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    setFocusProxy(view_);
    if (!address_.isEmpty()) load(address_);
#endif
    return view_;
}

void WebPane::load(const QString& address)
{
    address_ = address;
#ifdef RT_WITH_WEB_ENGINE
    if (view_) view_->setProperty("url", QUrl(address));  // the view's url property loads it
#endif
}

void WebPane::reload()
{
#ifdef RT_WITH_WEB_ENGINE
    if (view()) QMetaObject::invokeMethod(view_, "reload");
#endif
}

void WebPane::showEvent(QShowEvent* event)
{
    view();
    QWidget::showEvent(event);
}

}  // namespace rt
