#include "screen_instance.h"

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

#include "control_factory.h"
#include "label_widget.h"
#include "picture_box_widget.h"
#include "picture_catalogue.h"
#include "progress_bar_widget.h"
#include "runtime.h"
#include "screen_window.h"
#include "web_pane.h"

namespace rt {

namespace {

constexpr ControlName window_name() { return rt::window; }

const char* property_name(Property property)
{
    switch (property) {
    case Property::可视: return "可视";
    case Property::禁止: return "禁止";
    case Property::caption: return "caption";
    case Property::text_colour: return "text_colour";
    case Property::background_colour: return "background_colour";
    case Property::background_picture: return "background_picture";
    case Property::position: return "position";
    case Property::checked: return "checked";
    case Property::地址: return "地址";
    }
    return "?";
}

std::string value_text(const Value& value)
{
    if (const auto* number = std::get_if<std::int64_t>(&value)) return std::to_string(*number);
    if (const auto* text = std::get_if<std::string>(&value)) return *text;
    return "picture:" + std::to_string(std::get<Picture>(value).size);
}

std::int64_t number_of(const Value& value)
{
    const auto* number = std::get_if<std::int64_t>(&value);
    Q_ASSERT_X(number, "set_property", "a number was expected");
    return number ? *number : 0;
}

QString text_of(const Value& value)
{
    const auto* text = std::get_if<std::string>(&value);
    Q_ASSERT_X(text, "set_property", "a text was expected");
    return text ? QString::fromStdString(*text) : QString();
}

void complain(const ScreenInstance& screen, ControlName control, Property property)
{
    qWarning("%s: %s has no property %s", screen.definition().name.data(),
             std::string(control.name).c_str(), property_name(property));
}

}  // namespace

ScreenInstance::ScreenInstance(const ScreenDefinition& definition) : definition_(definition) {}

ScreenInstance::~ScreenInstance() { tear_down(); }

void ScreenInstance::build()
{
    const WindowRecord& record = definition_.window;
    auto* window = new ScreenWindow(*this, record);
    window_ = window;
    // The screens were laid out for a 3-pixel frame and a 25-pixel title bar; sizing the client
    // area from that keeps every control where its record puts it, whatever frame is drawn.
    window->setFixedSize(record.width - frame_width, record.height - frame_height);
    const auto wallpaper = assets::picture(record.picture);
    if (wallpaper.size) window->set_background_picture({wallpaper.data, wallpaper.size});

    controls_.reserve(definition_.controls.size());
    for (const ControlDefinition& control : definition_.controls)
        controls_.push_back({&control, create_control(control, window)});
    // Containers take their children once every widget exists; then the list order becomes the
    // stacking order, the first control on top among those of one parent.
    for (Control& control : controls_) {
        if (control.record->parent == window_name()) continue;
        if (const Control* parent = find(control.record->parent)) control.widget->setParent(parent->widget);
    }
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) it->widget->raise();
    for (Control& control : controls_) {
        control.widget->setVisible(control.record->look.visible);
        const ControlName name = control.record->name;
        const bool clickable = handler(name, Event::pressed) || handler(name, Event::released)
            || handler(name, Event::double_clicked);
        control.widget->setProperty("rt_clickable", clickable);
    }

    if (record.start_position == 0) {
        window->move(record.left, record.top);
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        window->move(area.left() + (area.width() - record.width) / 2,
                     area.top() + (area.height() - record.height) / 2);
    }
}

void ScreenInstance::show_and_activate()
{
    if (!window_) return;
    if (definition_.window.start_position == 2)
        window_->showMinimized();
    else
        window_->show();
    activate();
}

void ScreenInstance::activate()
{
    if (!window_) return;
    if (window_->isMinimized()) window_->showNormal();
    // Headless platforms cannot stack windows and say so on every call.
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) window_->raise();
    window_->activateWindow();
}

void ScreenInstance::tear_down()
{
    if (!window_) return;
    ScreenWindow* window = window_;
    window_ = nullptr;
    window->detach();
    window->hide();
    // Deleted by Qt once control is back in the loop that asked for it, so that no event of the
    // window is being handled further up the stack at that moment.
    window->deleteLater();
    controls_.clear();
}

const ScreenInstance::Control* ScreenInstance::find(ControlName control) const
{
    for (const Control& candidate : controls_)
        if (candidate.record->name == control) return &candidate;
    return nullptr;
}

const ControlDefinition* ScreenInstance::record(ControlName control) const
{
    const Control* found = find(control);
    return found ? found->record : nullptr;
}

QWidget* ScreenInstance::widget(ControlName control) const
{
    if (control == window_name()) return window_;
    const Control* found = find(control);
    return found ? found->widget : nullptr;
}

Handler ScreenInstance::handler(ControlName control, Event event) const
{
    for (const Binding& binding : definition_.handlers)
        if (binding.control == control && binding.event == event) return binding.handler;
    return nullptr;
}

ControlName ScreenInstance::control_at(QPoint point) const
{
    if (!window_) return window_name();
    // The widget under the point may be a part of a control (the web engine's view): go up to it.
    for (QWidget* widget = window_->childAt(point); widget && widget != window_; widget = widget->parentWidget()) {
        for (const Control& control : controls_)
            if (control.widget == widget) return control.record->name;
    }
    return window_name();
}

void ScreenInstance::set(ControlName control, Property property, const Value& value)
{
    if (Runtime& runtime = Runtime::current(); runtime.trace)
        runtime.record(*this, control, property_name(property), value_text(value));
    if (control == window_name()) {
        set_on_window(property, value);
        return;
    }
    const Control* found = find(control);
    Q_ASSERT_X(found, "set_property", "no control of that name on this screen");
    if (found) set_on_control(*found, property, value);
}

void ScreenInstance::set_on_window(Property property, const Value& value)
{
    switch (property) {
    case Property::background_colour:
        window_->set_background_colour(static_cast<Colour>(number_of(value)));
        return;
    case Property::background_picture:
        if (const auto* picture = std::get_if<Picture>(&value)) window_->set_background_picture(*picture);
        return;
    default:
        complain(*this, window_name(), property);
    }
}

void ScreenInstance::set_on_control(const Control& control, Property property, const Value& value)
{
    QWidget* widget = control.widget;
    const Kind kind = control.record->kind;
    const bool is_label = kind == Kind::标签 || kind == Kind::透明标签;
    switch (property) {
    case Property::可视:
        widget->setVisible(number_of(value) != 0);
        return;
    case Property::禁止:
        widget->setEnabled(number_of(value) == 0);
        return;
    case Property::caption:
        if (is_label) static_cast<LabelWidget*>(widget)->set_caption(text_of(value));
        else if (auto* button = qobject_cast<QAbstractButton*>(widget)) button->setText(text_of(value));
        else if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->setText(text_of(value));
        else break;
        return;
    case Property::text_colour:
        if (!is_label) break;
        static_cast<LabelWidget*>(widget)->set_text_colour(static_cast<Colour>(number_of(value)));
        return;
    case Property::background_colour:
        if (kind != Kind::标签) break;
        static_cast<LabelWidget*>(widget)->set_background(static_cast<Colour>(number_of(value)));
        return;
    case Property::position:
        if (kind != Kind::进度条) break;
        static_cast<ProgressBarWidget*>(widget)->set_position(number_of(value));
        return;
    case Property::checked:
        if (kind != Kind::单选框 && kind != Kind::选择框) break;
        static_cast<QAbstractButton*>(widget)->setChecked(number_of(value) != 0);
        return;
    case Property::地址:
        if (kind != Kind::超文本浏览框) break;
        static_cast<WebPane*>(widget)->load(text_of(value));
        return;
    case Property::background_picture:
        if (kind != Kind::图片框) break;
        if (const auto* picture = std::get_if<Picture>(&value))
            static_cast<PictureBoxWidget*>(widget)->set_picture(*picture);
        return;
    }
    complain(*this, control.record->name, property);
}

std::int64_t ScreenInstance::get(ControlName control, Property property) const
{
    const Control* found = find(control);
    if (!found) return 0;
    switch (property) {
    case Property::checked:
        if (auto* button = qobject_cast<QAbstractButton*>(found->widget)) return button->isChecked() ? 1 : 0;
        break;
    case Property::可视:
        return found->widget->isHidden() ? 0 : 1;
    case Property::禁止:
        return found->widget->isEnabled() ? 0 : 1;
    case Property::position:
        if (found->record->kind == Kind::进度条) return static_cast<ProgressBarWidget*>(found->widget)->value();
        break;
    default:
        break;
    }
    complain(*this, control, property);
    return 0;
}

}  // namespace rt
