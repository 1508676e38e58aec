// The web engine's half of the browser pane, built as a module of its own and loaded only when the
// pane is first needed: linking the engine into the program would cost every start the time its
// library takes to load, before the first frame is drawn.
#include <QCoreApplication>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

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

// Makes the pane's view: a page of the run's profile at the given zoom, which takes the keyboard
// only when the learner clicks into it, so that Esc still closes the desktop.
extern "C" Q_DECL_EXPORT QWidget* reinstall_trainer_web_view(QWidget* parent, double zoom, bool offline, bool silent)
{
    auto* view = new QWebEngineView(parent);
    auto* page = new PanePage(pane_profile(offline), silent, view);
    view->setPage(page);
    page->setZoomFactor(zoom);
    page->settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
    return view;
}
