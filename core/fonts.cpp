#include "fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPalette>

namespace rt {

QString default_font_family()
{
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* candidate : {"Noto Sans CJK SC", "Noto Sans SC", "WenQuanYi Micro Hei",
                                      "WenQuanYi Zen Hei", "Droid Sans Fallback"}) {
            if (installed.contains(QString::fromUtf8(candidate))) return QString::fromUtf8(candidate);
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

QFont default_font()
{
    QFont font(default_font_family());
    font.setPixelSize(12);
    // A hair tighter than the face's own spacing, so that a date such as 2026年12月11日 fits the
    // 88-pixel clock the taskbar was laid out for.
    font.setLetterSpacing(QFont::AbsoluteSpacing, -0.2);
    return font;
}

QFont make_font(const std::optional<Font>& stored)
{
    if (!stored) return default_font();
    QFont font = default_font();
    const QString face = QString::fromUtf8(stored->face.data(), static_cast<int>(stored->face.size()));
    if (!face.isEmpty() && QFontDatabase::families().contains(face)) font.setFamily(face);
    font.setPixelSize(stored->height > 0 ? stored->height : 12);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(stored->weight, 100, 900)));
    font.setItalic(stored->italic);
    font.setUnderline(stored->underline);
    return font;
}

QColor to_qcolor(Colour colour)
{
    if (colour == button_face) return QApplication::palette().color(QPalette::Button);
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace rt
