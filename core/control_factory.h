// Makes the widget of one control record: the owner-drawn kinds are our own widgets, the others
// are Qt's standard controls dressed with the record's caption, colours and font.
#pragma once

#include <QString>

#include "screen_definition.h"

class QWidget;

namespace rt {

QWidget* create_control(const ControlDefinition& record, QWidget* parent);
QString to_qstring(std::string_view text);

}  // namespace rt
