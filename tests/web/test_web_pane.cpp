// The browser pane with the real web engine, against a tiny HTTP server on 127.0.0.1 that counts
// the requests it gets.
#include <QApplication>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QWebEngineView>

#ifndef Q_MOC_RUN
#include "real_clock.h"
#include "runtime.h"
#include "screen_instance.h"
#include "toolkit.h"
#include "web_pane.h"
#endif

using namespace rt;

namespace {

RT_CONTROL(pane)
RT_CONTROL(cover)

const ScreenDefinition BrowserScreen{
    .name = "BrowserScreen",
    .window = {.caption = "browser", .width = 646, .height = 508},
    .controls = {{Kind::超文本浏览框, pane, {0, 0, 640, 480}}, {Kind::标签, cover, {600, 0, 40, 20}}},
    .handlers = {},
};

// Serves three pages and counts the requests for each path.
class PageServer final : public QObject {
public:
    PageServer()
    {
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            }
        });
        server_.listen(QHostAddress::LocalHost);
    }
    QString url(const QString& path) const
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }
    int count(const QString& path) const { return counts_.value(path); }

private:
    void answer(QTcpSocket* socket)
    {
        const QByteArray request = socket->readAll();
        const QList<QByteArray> words = request.split(' ');
        if (words.size() < 2) return;
        const QString path = QString::fromLatin1(words[1]);
        if (path == QLatin1String("/favicon.ico")) {
            socket->write("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
            socket->disconnectFromHost();
            return;
        }
        ++counts_[path];
        QByteArray body = "<html><body><h1>" + path.toUtf8() + "</h1>"
                          "<a id=next href='/next'>next</a> <a id=new target=_blank href='/new'>new</a>"
                          "<div style='height:3000px'></div></body></html>";
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nCache-Control: no-store\r\nContent-Length: "
                      + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QHash<QString, int> counts_;
};

QWebEngineView* view_of(Runtime& runtime)
{
    return qobject_cast<QWebEngineView*>(static_cast<WebPane*>(runtime.live(BrowserScreen)->widget(pane))->view());
}

Screen browser(Runtime& runtime) { return Screen(runtime.live(BrowserScreen)); }

}  // namespace

class WebPaneTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (!web_engine_available()) QSKIP("built without the web engine");
    }

    void a_write_to_a_hidden_pane_loads_at_once_and_hiding_never_reloads()
    {
        RealClock clock;
        Runtime runtime(clock);
        PageServer server;
        QVERIFY(load_screen(BrowserScreen));
        set_property(browser(runtime), pane, Property::可视, 0);
        set_property(browser(runtime), pane, Property::地址, server.url("/").toStdString());
        QTRY_COMPARE_WITH_TIMEOUT(server.count("/"), 1, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!view_of(runtime)->page()->title().isEmpty(), 10000);
        for (int i = 0; i < 3; ++i) {
            set_property(browser(runtime), pane, Property::可视, 1);
            set_property(browser(runtime), pane, Property::可视, 0);
        }
        set_property(browser(runtime), pane, Property::可视, 1);
        QTest::qWait(1000);
        QCOMPARE(server.count("/"), 1);
        QCOMPARE(view_of(runtime)->url().path(), QString("/"));
    }

    void reload_loads_the_page_reached_and_new_windows_stay_in_the_pane()
    {
        RealClock clock;
        Runtime runtime(clock);
        PageServer server;
        load_screen(BrowserScreen);
        QSignalSpy loaded(view_of(runtime), &QWebEngineView::loadFinished);
        set_property(browser(runtime), pane, Property::地址, server.url("/").toStdString());
        QTRY_COMPARE_WITH_TIMEOUT(server.count("/"), 1, 20000);
        // The link is clicked only once the page has finished loading and its links exist.
        QTRY_VERIFY_WITH_TIMEOUT(loaded.count() > 0 && loaded.last().at(0).toBool(), 20000);
        view_of(runtime)->page()->runJavaScript(QStringLiteral("document.getElementById('next').click()"));
        QTRY_COMPARE_WITH_TIMEOUT(server.count("/next"), 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(view_of(runtime)->url().path(), QString("/next"), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 2, 20000);  // the home page, then /next
        reload_page(browser(runtime), pane);
        QTRY_COMPARE_WITH_TIMEOUT(server.count("/next"), 2, 10000);
        QCOMPARE(server.count("/"), 1);
        QTRY_COMPARE_WITH_TIMEOUT(loaded.count(), 3, 20000);

        view_of(runtime)->page()->runJavaScript(QStringLiteral("document.getElementById('new').click()"));
        QTRY_COMPARE_WITH_TIMEOUT(server.count("/new"), 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(view_of(runtime)->url().path(), QString("/new"), 10000);
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(), [](QWidget* w) { return w->isVisible(); }), 1);
    }

    void an_unreachable_address_shows_the_engine_page_and_no_box_of_ours()
    {
        RealClock clock;
        Runtime runtime(clock);
        load_screen(BrowserScreen);
        bool finished = false, ok = true;
        connect(view_of(runtime), &QWebEngineView::loadFinished, this, [&](bool success) {
            finished = true;
            ok = success;
        });
        set_property(browser(runtime), pane, Property::地址, "http://127.0.0.1:1/");
        QTRY_VERIFY_WITH_TIMEOUT(finished, 20000);
        QVERIFY(!ok);
        QVERIFY(!runtime.open_message_box());
        QVERIFY(runtime.live(BrowserScreen));
    }
};

int main(int argc, char** argv)
{
    // The engine shares its GL contexts with the widgets; this must be said before the application.
    QApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    WebPaneTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_web_pane.moc"
