// How the owner-drawn labels lay out their text: alignment, one line or word wrap from the top,
// and "&x" underlining x ("&&" draws one "&"). Lines of wrapped text are spaced by the font's
// character height, not by the CJK font's tall ascent and descent, so that a caption fits the box
// it was laid out for: a 12-pixel font takes 13-pixel lines.
#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include "screen_definition.h"

class QColor;
class QFont;
class QPainter;

namespace rt {

struct MnemonicText {
    QString text;            // ampersands removed
    QList<int> underlined;   // positions in `text` of the characters to underline
};

MnemonicText strip_mnemonics(const QString& caption);

// Line breaks: kept ("\r\n" and a lone "\r" or "\n") for multi-line text, dropped for one line.
QString caption_for_drawing(const QString& caption, bool multi_line);

// The distance between two baselines of wrapped text in a font of this character height.
int line_step(int pixel_size);

struct CaptionStyle {
    Align align = Align::left;
    VAlign valign = VAlign::centre;
    bool multi_line = false;
};

void draw_caption(QPainter& painter, const QRect& area, const QString& caption, const CaptionStyle& style,
                  const QFont& font, const QColor& colour);

}  // namespace rt
