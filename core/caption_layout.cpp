#include "caption_layout.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

namespace rt {

MnemonicText strip_mnemonics(const QString& caption)
{
    MnemonicText result;
    result.text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != QLatin1Char('&')) result.underlined.push_back(static_cast<int>(result.text.size()));
        }
        result.text.append(caption[i]);
    }
    return result;
}

QString caption_for_drawing(const QString& caption, bool multi_line)
{
    QString text = caption;
    if (!multi_line) {
        text.remove(QLatin1Char('\r'));
        text.remove(QLatin1Char('\n'));
        return text;
    }
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

int line_step(int pixel_size) { return pixel_size + 1; }

namespace {

int pixel_size_of(const QFont& font)
{
    return font.pixelSize() > 0 ? font.pixelSize() : qRound(font.pointSizeF() * 96.0 / 72.0);
}

qreal aligned_x(const QRect& area, qreal width, Align align)
{
    switch (align) {
    case Align::centre: return area.left() + (area.width() - width) / 2;
    case Align::right: return area.left() + area.width() - width;
    case Align::left: break;
    }
    return area.left();
}

// One paragraph's underlines as formats of its layout.
QList<QTextLayout::FormatRange> underline_formats(const QList<int>& underlined, qsizetype from, qsizetype length)
{
    QList<QTextLayout::FormatRange> formats;
    for (int position : underlined) {
        if (position < from || position >= from + length) continue;
        QTextLayout::FormatRange range;
        range.start = static_cast<int>(position - from);
        range.length = 1;
        range.format.setFontUnderline(true);
        formats.push_back(range);
    }
    return formats;
}

}  // namespace

void draw_caption(QPainter& painter, const QRect& area, const QString& caption, const CaptionStyle& style,
                  const QFont& font, const QColor& colour)
{
    const MnemonicText stripped = strip_mnemonics(caption_for_drawing(caption, style.multi_line));
    const QFontMetricsF metrics(font);
    painter.save();
    painter.setPen(colour);
    painter.setFont(font);
    painter.setClipRect(area, Qt::IntersectClip);

    if (!style.multi_line) {
        QTextLayout layout(stripped.text, font, painter.device());
        layout.setFormats(underline_formats(stripped.underlined, 0, stripped.text.size()));
        QTextOption option;
        option.setWrapMode(QTextOption::NoWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        if (!line.isValid()) {
            painter.restore();
            return;
        }
        const qreal height = metrics.ascent() + metrics.descent();
        const qreal y = style.valign == VAlign::top ? area.top()
            : style.valign == VAlign::bottom        ? area.bottom() + 1 - height
                                                    : area.top() + (area.height() - height) / 2;
        line.setPosition({0, 0});
        layout.draw(&painter, {aligned_x(area, line.naturalTextWidth(), style.align), y});
        painter.restore();
        return;
    }

    // Word wrap from the top: paragraphs at the line breaks, lines at word boundaries (CJK text
    // may break between any two characters); a word longer than the width runs out and is cut.
    const int step = line_step(pixel_size_of(font));
    const qreal first_baseline = area.top() + pixel_size_of(font) * 0.88;
    int line_index = 0;
    qsizetype from = 0;
    for (const QString& paragraph : stripped.text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font, painter.device());
        layout.setFormats(underline_formats(stripped.underlined, from, paragraph.size()));
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        QList<QTextLine> lines;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            line.setPosition({0, 0});
            lines.push_back(line);
        }
        layout.endLayout();
        if (lines.isEmpty()) ++line_index;  // an empty paragraph still takes its line
        for (QTextLine& line : lines) {
            const qreal baseline = first_baseline + line_index * step;
            line.setPosition({0, baseline - line.ascent()});
            const qreal x = aligned_x(area, line.naturalTextWidth(), style.align);
            line.draw(&painter, {x, 0});
            ++line_index;
            if (baseline - metrics.ascent() > area.bottom()) break;
        }
        from += paragraph.size() + 1;
    }
    painter.restore();
}

}  // namespace rt
