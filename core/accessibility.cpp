#include "accessibility.h"

#include <QAccessibleWidget>

#include "label_widget.h"
#include "picture_box_widget.h"

namespace rt {

namespace {

QAccessibleInterface* owner_drawn(const QString& class_name, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    const bool clickable = widget->property("rt_clickable").toBool();
    if (dynamic_cast<LabelWidget*>(widget))
        return new QAccessibleWidget(widget, clickable ? QAccessible::Button : QAccessible::StaticText);
    if (dynamic_cast<PictureBoxWidget*>(widget))
        return new QAccessibleWidget(widget, clickable ? QAccessible::Button : QAccessible::Graphic);
    (void)class_name;
    return nullptr;
}

}  // namespace

void install_accessibility()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(owner_drawn);
}

}  // namespace rt
