#include "ui/widgets/offending_field.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabWidget>

namespace zel::ui {

void ShowOffendingField(QWidget* field) {
  if (!field) return;
  // A tab widget keeps its pages in a stacked widget of its own; its tab row must follow.
  for (QWidget* child = field; child && child->parentWidget(); child = child->parentWidget()) {
    auto* stack = qobject_cast<QStackedWidget*>(child->parentWidget());
    if (!stack) continue;
    if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget())) {
      tabs->setCurrentWidget(child);
    } else {
      stack->setCurrentWidget(child);
    }
  }
  field->setFocus(Qt::OtherFocusReason);
  if (auto* line = qobject_cast<QLineEdit*>(field)) {
    line->selectAll();
  } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) {
    spin->selectAll();
  } else if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) {
    combo->lineEdit()->selectAll();
  }
}

}  // namespace zel::ui
