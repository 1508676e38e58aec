// A screen's top-level window: fixed frame, title bar with close and minimise boxes, and a client
// area that draws the background picture by its picture mode over the background colour.
#pragma once

#include <QWidget>

#include "picture_layer.h"
#include "screen_definition.h"

namespace rt {

class ScreenInstance;

// The frame the screens were laid out for: 3 pixels each side and a 25-pixel title bar.
inline constexpr int frame_width = 6;
inline constexpr int frame_height = 28;

class ScreenWindow final : public QWidget {
public:
    ScreenWindow(ScreenInstance& screen, const WindowRecord& record);

    void set_background_colour(Colour colour);
    void set_background_picture(Picture picture);
    // The instance lets go of its window before the window itself is deleted.
    void detach() { screen_ = nullptr; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ScreenInstance* screen_;
    bool esc_closes_;
    Colour colour_;
    int picture_mode_ = 1;
    PictureLayer picture_;
};

}  // namespace rt
