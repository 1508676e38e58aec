// Pictures that stand for whole screens or parts of one: the notification
// area of the taskbar, the PE system's background and the first page of the
// OS setup program.

#include "pictures.h"
#include "shapes.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace generator {

// The notification area: network, volume and the input method's two marks,
// white on the near-black taskbar. The taskbar shows only the top 24 rows,
// so every symbol stays inside them.
QImage paint_taskbar_tray() {
    const int w = 105, h = 30;
    const QColor bar(16, 16, 16);
    QImage image = canvas(w, h, bar);
    QPainter p(&image);

    // Pixel-aligned 1px lines: at this size crisp beats smooth.
    p.setPen(Qt::white);
    p.setBrush(Qt::NoBrush);
    // Network: a small monitor on a stand.
    p.drawRect(6, 5, 15, 10);
    p.fillRect(8, 7, 12, 7, QColor(255, 255, 255, 70));
    p.drawLine(13, 16, 14, 16);
    p.drawLine(13, 17, 14, 17);
    p.drawLine(9, 18, 18, 18);

    // Volume: a speaker and three waves.
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath speaker;
    speaker.moveTo(29.5, 9.5);
    speaker.lineTo(32.5, 9.5);
    speaker.lineTo(36.5, 5.5);
    speaker.lineTo(36.5, 18.5);
    speaker.lineTo(32.5, 14.5);
    speaker.lineTo(29.5, 14.5);
    speaker.closeSubpath();
    p.fillPath(speaker, Qt::white);
    p.setPen(QPen(Qt::white, 1.2, Qt::SolidLine, Qt::FlatCap));
    for (double r : {3.5, 6.5, 9.5}) {
        p.drawArc(QRectF(36.5 - r, 12 - r, 2 * r, 2 * r), -50 * 16, 100 * 16);
    }

    // The input method's language mark and its mode in a white box.
    p.setPen(Qt::white);
    p.setFont(cjk_font(15));
    p.drawText(QRectF(53, 0, 18, 24), Qt::AlignCenter, QStringLiteral("英"));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(79, 3, 18, 18), 2, 2);
    p.setPen(bar);
    p.setFont(cjk_font(14, QFont::Medium));
    p.drawText(QRectF(79, 2.5, 18, 18), Qt::AlignCenter, QStringLiteral("拼"));
    p.end();
    return image;
}

// The PE system's desktop background: black, with its name in thin letters.
QImage paint_pe_background() {
    const int w = 1080, h = 638;
    QImage image = canvas(w, h, Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font = thin_latin_font(76);
    font.setLetterSpacing(QFont::PercentageSpacing, 104);
    p.setFont(font);
    p.setPen(QColor(246, 246, 246));
    p.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Quenby PE"));
    p.end();
    return image;
}

namespace {

// The setup page's layout, in picture pixels. The "下一步(N)" button has to
// land exactly here: the program lays a real push button over it once the
// page is stretched to 784x456.
constexpr QRect next_button(735, 540, 73, 20);  // x 735..807, y 540..559

constexpr QRect window_frame(196, 176, 639, 409);
constexpr int title_height = 30;
constexpr int border = 8;

const QColor accent(0, 120, 215);  // the focused default button's border

// A closed drop-down list showing `value`.
void combo_box(QPainter& p, const QRect& box, const QString& value) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(box, Qt::white);
    p.setPen(QColor(171, 173, 179));
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    // The arrow button at the right end.
    const QRect arrow_box(box.right() - 17, box.top() + 1, 17, box.height() - 2);
    QLinearGradient face(arrow_box.topLeft(), arrow_box.bottomLeft());
    face.setColorAt(0.0, QColor(244, 244, 244));
    face.setColorAt(1.0, QColor(224, 224, 224));
    p.fillRect(arrow_box, face);
    p.setPen(QColor(200, 202, 206));
    p.drawLine(arrow_box.topLeft(), arrow_box.bottomLeft());
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c = QRectF(arrow_box).center();
    QPainterPath arrow;
    arrow.moveTo(c.x() - 3.5, c.y() - 1.5);
    arrow.lineTo(c.x() + 3.5, c.y() - 1.5);
    arrow.lineTo(c.x(), c.y() + 2.5);
    arrow.closeSubpath();
    p.fillPath(arrow, QColor(40, 40, 40));
    p.setPen(QColor(20, 20, 20));
    p.setFont(cjk_font(12));
    p.drawText(QRectF(box.left() + 6, box.top(), box.width() - 26, box.height()), Qt::AlignVCenter | Qt::AlignLeft,
               value);
    p.restore();
}

// A push button drawn as the default, focused button, with the character at
// `access_index` (its access key) underlined.
void push_button(QPainter& p, const QRect& box, const QString& label, int access_index) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    QLinearGradient face(box.topLeft(), box.bottomLeft());
    face.setColorAt(0.0, QColor(244, 249, 254));
    face.setColorAt(0.5, QColor(232, 241, 251));
    face.setColorAt(1.0, QColor(218, 232, 248));
    p.fillRect(box, face);
    p.setPen(accent);
    p.setBrush(Qt::NoBrush);
    p.drawRect(box.adjusted(0, 0, -1, -1));
    p.setPen(QColor(255, 255, 255, 200));
    p.drawRect(box.adjusted(1, 1, -2, -2));

    const QFont font = cjk_font(12);
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(label);
    const double left = box.left() + (box.width() - width) / 2;
    const double baseline = box.top() + (box.height() + metrics.capHeight()) / 2.0;
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(font);
    p.setPen(QColor(16, 16, 16));
    p.drawText(QPointF(left, baseline), label);
    const double key_left = left + metrics.horizontalAdvance(label.left(access_index));
    const double key_width = metrics.horizontalAdvance(label.mid(access_index, 1));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.drawLine(QPointF(key_left, baseline + 2), QPointF(key_left + key_width - 1, baseline + 2));
    p.restore();
}

// The title bar's close button.
void close_button(QPainter& p, const QRect& box) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient red(box.topLeft(), box.bottomLeft());
    red.setColorAt(0.0, QColor(236, 138, 120));
    red.setColorAt(0.5, QColor(212, 72, 52));
    red.setColorAt(1.0, QColor(190, 50, 30));
    QPainterPath shape;
    shape.addRoundedRect(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    p.fillPath(shape, red);
    p.strokePath(shape, QPen(QColor(120, 30, 20), 1.0));
    const QPointF c = QRectF(box).center();
    p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(-4, -3.5), c + QPointF(4, 3.5));
    p.drawLine(c + QPointF(-4, 3.5), c + QPointF(4, -3.5));
    p.restore();
}

// A small waving four-pane emblem inside `box`.
void small_emblem(QPainter& p, const QRectF& box, double rim) {
    const SurfaceMap map = [box](double u, double v) {
        const double lift = 0.07 * std::sin(3.14159265358979 * (1.3 * u - 0.15));
        return QPointF(box.left() + box.width() * (u + 0.06 * (v - 0.5)),
                       box.top() + box.height() * (v - lift + 0.04 * u));
    };
    paint_four_panes(p, map, 0.07, flag_colours(), rim);
}

}  // namespace

// The first page of the OS setup program, as a screenshot would show it:
// language, formats and keyboard choices, and the button that goes on.
QImage paint_setup_page() {
    const int w = 1026, h = 766;
    QImage image = canvas(w, h, QColor(25, 2, 84));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Drop shadow, frame and title bar.
    for (int i = 1; i <= 6; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 20, 16));
        p.drawRoundedRect(QRectF(window_frame).adjusted(-i + 3, -i + 5, i + 3, i + 5), 6 + i, 6 + i);
    }
    QLinearGradient frame(window_frame.topLeft(), window_frame.bottomLeft());
    frame.setColorAt(0.0, QColor(222, 233, 246));
    frame.setColorAt(0.08, QColor(196, 215, 238));
    frame.setColorAt(1.0, QColor(186, 206, 232));
    QPainterPath outline;
    outline.addRoundedRect(QRectF(window_frame).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    p.fillPath(outline, frame);
    p.strokePath(outline, QPen(QColor(72, 92, 128), 1.0));

    small_emblem(p, QRectF(window_frame.left() + 10, window_frame.top() + 8, 16, 15), 0);
    p.setFont(cjk_font(12));
    p.setPen(QColor(10, 10, 10));
    p.drawText(QRectF(window_frame.left() + 32, window_frame.top(), 300, title_height), Qt::AlignVCenter,
               QStringLiteral("Windows 安装程序"));
    close_button(p, QRect(window_frame.right() - 8 - 42, window_frame.top() + 1, 43, 19));

    // Client area.
    const QRect client(window_frame.left() + border, window_frame.top() + title_height,
                       window_frame.width() - 2 * border, window_frame.height() - title_height - border);
    QLinearGradient page(client.topLeft(), client.bottomLeft());
    page.setColorAt(0.0, QColor(255, 255, 255));
    page.setColorAt(0.55, QColor(248, 250, 253));
    page.setColorAt(1.0, QColor(232, 239, 248));
    p.fillRect(client, page);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(132, 150, 178));
    p.setBrush(Qt::NoBrush);
    p.drawRect(client.adjusted(-1, -1, 0, 0));
    p.setRenderHint(QPainter::Antialiasing);

    // The product mark: emblem and name, centred over the form.
    const QFont brand = latin_font(36);
    const QString name = QStringLiteral("Windows");
    const double name_width = QFontMetricsF(brand).horizontalAdvance(name);
    const double emblem = 46, spacing = 14;
    const double mark_left = client.center().x() - (emblem + spacing + name_width) / 2;
    const double mark_top = client.top() + 48;
    paint_glow(p, QPointF(mark_left + emblem / 2, mark_top + emblem / 2), 44, QColor(120, 180, 255, 40));
    small_emblem(p, QRectF(mark_left, mark_top, emblem, emblem * 0.92), 1.0);
    p.setFont(brand);
    p.setPen(QColor(36, 36, 40));
    p.drawText(QRectF(mark_left + emblem + spacing, mark_top - 8, name_width + 10, emblem + 16), Qt::AlignVCenter,
               name);

    // The three choices.
    struct Row {
        QString label, value;
    };
    const Row rows[] = {
        {QStringLiteral("要安装的语言(E)："), QStringLiteral("中文(简体，中国)")},
        {QStringLiteral("时间和货币格式(T)："), QStringLiteral("中文(简体，中国)")},
        {QStringLiteral("键盘和输入方法(K)："), QStringLiteral("微软拼音")},
    };
    const int label_right = 452, combo_left = 462, combo_width = 250, row_top = 354, row_step = 42;
    for (int i = 0; i < 3; ++i) {
        const int y = row_top + i * row_step;
        p.setFont(cjk_font(12));
        p.setPen(QColor(20, 20, 20));
        p.drawText(QRectF(label_right - 220, y, 220, 22), Qt::AlignVCenter | Qt::AlignRight, rows[i].label);
        combo_box(p, QRect(combo_left, y, combo_width, 22), rows[i].value);
    }

    p.setFont(cjk_font(12));
    p.setPen(QColor(40, 40, 44));
    p.drawText(QRectF(client.left(), 484, client.width(), 20), Qt::AlignCenter,
               QStringLiteral("输入语言和其他首选项，然后单击“下一步”继续。"));

    push_button(p, next_button, QStringLiteral("下一步(N)"), 4);

    // The learner's pointer, resting just below the button.
    paint_mouse_pointer(p, QPointF(779.5, 563.5));
    p.end();
    return image;
}

}  // namespace generator
