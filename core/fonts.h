// Fonts: the default user-interface font is a CJK-capable sans at a character height of 12
// pixels; a face that the machine lacks falls back to it, so every text shows without boxes.
#pragma once

#include <QColor>
#include <QFont>

#include <optional>

#include "screen_definition.h"

namespace rt {

QString default_font_family();
QFont default_font();
QFont make_font(const std::optional<Font>& font);
// 0x00BBGGRR to a QColor; the default mark gives the palette's button face.
QColor to_qcolor(Colour colour);

}  // namespace rt
