#include "accessibility.h"

#include <QAccessibleWidget>

#include "label_widget.h"
#include "picture_box_widget.h"

namespace rt {

namespace {

// The role is read when asked, since whether a control answers clicks is known only once its
// screen has bound the handlers.
class OwnerDrawn final : public QAccessibleWidget {
public:
    OwnerDrawn(QWidget* widget, QAccessible::Role still) : QAccessibleWidget(widget, still), still_(still) {}
    QAccessible::Role role() const override
    {
        return widget()->property("rt_clickable").toBool() ? QAccessible::Button : still_;
    }

private:
    QAccessible::Role still_;
};

QAccessibleInterface* owner_drawn(const QString& class_name, QObject* object)
{
    // Our owner-drawn widgets carry no meta-object of their own, so they report QWidget's name;
    // anything else (even an object still being built or torn down) is left to Qt.
    if (class_name != QLatin1String("QWidget")) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (dynamic_cast<LabelWidget*>(widget)) return new OwnerDrawn(widget, QAccessible::StaticText);
    if (dynamic_cast<PictureBoxWidget*>(widget)) return new OwnerDrawn(widget, QAccessible::Graphic);
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
