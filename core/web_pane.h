// The embedded web browser pane. It hosts the web engine when the program was built with it and
// the engine starts; otherwise it is a plain white area and everything else works.
#pragma once

#include <QWidget>

namespace rt {

// The pane's text size steps, smallest to largest.
enum class TextSize { 最小, 较小, 中等, 较大, 最大 };

struct WebPaneSettings {
    TextSize 字体大小 = TextSize::中等;
    bool 离线浏览 = false;  // pages only from the engine's cache
    bool 静默 = false;      // suppress the engine's own dialogs
};

double zoom_factor(TextSize size);

class WebPane final : public QWidget {
public:
    explicit WebPane(QWidget* parent, WebPaneSettings settings = {});
    // Starts loading at once, also while the pane is hidden (once the engine runs, which is
    // right after the window's first frame).
    void load(const QString& address);
    // Loads again the page shown now: after a followed link, the page reached.
    void reload();
    // The engine's view, started now if it has not started yet; null without an engine.
    QWidget* view();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    WebPaneSettings settings_;
    QWidget* view_ = nullptr;
    bool tried_ = false;
    QString address_;
};

// False when the program was built without the web engine or it was switched off.
bool web_engine_available();

}  // namespace rt
