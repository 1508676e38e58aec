#include "web_pane.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QVBoxLayout>

#ifdef RT_WITH_WEB_ENGINE
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#endif

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

namespace {

// A page that keeps every request for a new window in the pane itself and, when silent, answers
// the engine's own dialogs without showing them.
class PanePage final : public QWebEnginePage {
public:
    PanePage(QWebEngineProfile* profile, bool silent, QObject* parent)
        : QWebEnginePage(profile, parent), silent_(silent) {}

protected:
    QWebEnginePage* createWindow(WebWindowType) override { return this; }
    void javaScriptAlert(const QUrl& origin, const QString& message) override
    {
        if (!silent_) QWebEnginePage::javaScriptAlert(origin, message);
    }
    bool javaScriptConfirm(const QUrl& origin, const QString& message) override
    {
        return silent_ ? false : QWebEnginePage::javaScriptConfirm(origin, message);
    }
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& value,
                          QString* result) override
    {
        return silent_ ? false : QWebEnginePage::javaScriptPrompt(origin, message, value, result);
    }

private:
    bool silent_;
};

// Offline reading: nothing goes out to the network.
class OfflineInterceptor final : public QWebEngineUrlRequestInterceptor {
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override
    {
        const QString scheme = info.requestUrl().scheme();
        if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) info.block(true);
    }
};

// One off-the-record profile for the whole run, with memory-only caches: nothing persists.
QWebEngineProfile* pane_profile(bool offline)
{
    static QWebEngineProfile* online = nullptr;
    static QWebEngineProfile* cached_only = nullptr;
    QWebEngineProfile*& profile = offline ? cached_only : online;
    if (!profile) {
        profile = new QWebEngineProfile(QCoreApplication::instance());
        profile->setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
        profile->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
        if (offline) profile->setUrlRequestInterceptor(new OfflineInterceptor(profile));
    }
    return profile;
}

}  // namespace

bool web_engine_available() { return qEnvironmentVariableIsEmpty("RT_NO_WEB_ENGINE"); }

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

QWebEngineView* WebPane::view()
{
#ifdef RT_WITH_WEB_ENGINE
    if (view_ || !web_engine_available()) return view_;
    window()->removeEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QWebEngineView(this);
    auto* page = new PanePage(pane_profile(settings_.离线浏览), settings_.静默, view_);
    view_->setPage(page);
    page->setZoomFactor(zoom_factor(settings_.字体大小));
    // The page takes the keyboard only when the learner clicks into it, so that Esc still
    // closes the desktop after the panel has been opened.
    page->settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    layout->addWidget(view_);
    setFocusProxy(view_);
    if (!address_.isEmpty()) view_->load(QUrl(address_));
#endif
    return view_;
}

void WebPane::load(const QString& address)
{
    address_ = address;
#ifdef RT_WITH_WEB_ENGINE
    if (view_) view_->load(QUrl(address));
#endif
}

void WebPane::reload()
{
#ifdef RT_WITH_WEB_ENGINE
    if (view()) view_->reload();
#endif
}

void WebPane::showEvent(QShowEvent* event)
{
    view();
    QWidget::showEvent(event);
}

}  // namespace rt
