#include "control_factory.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "fonts.h"
#include "label_widget.h"
#include "picture_box_widget.h"
#include "picture_catalogue.h"
#include "progress_bar_widget.h"
#include "web_pane.h"

namespace rt {

QString to_qstring(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

namespace {

QString css_colour(Colour colour) { return to_qcolor(colour).name(); }

QWidget* create_edit_box(const ControlDefinition& record, QWidget* parent)
{
    auto* edit = new QLineEdit(to_qstring(record.look.text), parent);
    edit->setReadOnly(record.look.read_only);
    edit->setCursorPosition(0);
    const Border border = record.look.border.value_or(Border::sunken);
    const QString frame = border == Border::none ? QStringLiteral("none")
        : border == Border::thin_line            ? QStringLiteral("1px solid #000000")
                                                 : QStringLiteral("2px inset #a0a0a0");
    edit->setStyleSheet(QStringLiteral("QLineEdit { border: %1; background: %2; color: %3; padding: 0px; }")
                            .arg(frame, css_colour(record.look.background.value_or(0xFFFFFF)),
                                 css_colour(record.look.text_colour)));
    return edit;
}

// Radio buttons of one parent form one group when the user clicks, but a handler's write changes
// only the button it names, so Qt's own exclusivity stays off.
QWidget* create_radio_button(const ControlDefinition& record, QWidget* parent)
{
    auto* radio = new QRadioButton(to_qstring(record.look.text), parent);
    radio->setAutoExclusive(false);
    radio->setChecked(record.look.checked);
    QObject::connect(radio, &QRadioButton::clicked, radio, [radio] {
        radio->setChecked(true);
        for (QRadioButton* other : radio->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
            if (other != radio) other->setChecked(false);
    });
    return radio;
}

void dress_button(QWidget* button, const ControlDefinition& record)
{
    if (record.look.background) {
        button->setStyleSheet(QStringLiteral("background-color: %1; color: %2;")
                                  .arg(css_colour(*record.look.background), css_colour(record.look.text_colour)));
    }
}

}  // namespace

QWidget* create_control(const ControlDefinition& record, QWidget* parent)
{
    QWidget* widget = nullptr;
    switch (record.kind) {
    case Kind::窗口:
        return nullptr;
    case Kind::标签:
    case Kind::透明标签:
        widget = new LabelWidget(record, parent);
        break;
    case Kind::图片框: {
        const auto bytes = assets::picture(record.look.picture);
        widget = new PictureBoxWidget(record, {bytes.data, bytes.size}, parent);
        break;
    }
    case Kind::编辑框:
        widget = create_edit_box(record, parent);
        break;
    case Kind::选择框: {
        auto* box = new QCheckBox(to_qstring(record.look.text), parent);
        box->setChecked(record.look.checked);
        dress_button(box, record);
        widget = box;
        break;
    }
    case Kind::单选框:
        widget = create_radio_button(record, parent);
        dress_button(widget, record);
        break;
    case Kind::进度条:
        widget = new ProgressBarWidget(record, parent);
        break;
    case Kind::按钮: {
        auto* button = new QPushButton(to_qstring(record.look.text), parent);
        button->setAutoDefault(false);
        widget = button;
        break;
    }
    case Kind::超文本浏览框:
        widget = new WebPane(parent);
        break;
    }
    if (record.kind != Kind::标签 && record.kind != Kind::透明标签) widget->setFont(make_font(record.look.font));
    const Place& place = record.place;
    widget->setGeometry(place.left, place.top, place.width, place.height);
    widget->setEnabled(!record.look.disabled);
    if (record.kind != Kind::标签 && record.kind != Kind::透明标签 && record.kind != Kind::图片框)
        widget->setFocusPolicy(record.look.tab_stop ? Qt::StrongFocus : Qt::ClickFocus);
    widget->setObjectName(to_qstring(record.name.name));
    return widget;
}

}  // namespace rt
