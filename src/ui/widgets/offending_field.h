#pragma once
// Points the user at the entry a refusal is about: a message such as "Please enter an
// integer between 0 and 63." names no field, so the field is brought into view (its page
// of a tabbed or stacked dialog shown), focused and its text selected before the message
// shows.

#include <QWidget>

namespace zel::ui {

void ShowOffendingField(QWidget* field);

}  // namespace zel::ui
