#pragma once
// Number, version, comment and kind of a module, as the "New Program" dialog and the
// "General" page of "Program Properties" enter them.

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include "app/modules/module_entry.h"

namespace zel::ui {

class ModuleEntryFields : public QWidget {
  Q_OBJECT

 public:
  explicit ModuleEntryFields(const app::ModuleEntry& preset, QWidget* parent = nullptr);

  // A number that is no integer is handed on as -1, which the module checks refuse
  // with the range message of the kind.
  app::ModuleEntry entry() const;
  // The entry, or false after the refusal was shown with its field focused and selected.
  bool checkEntry();
  QWidget* field(app::ModuleEntryField which) const;

  QLineEdit* numberField() const { return m_number; }
  QComboBox* versionField() const { return m_version; }
  QLineEdit* commentField() const { return m_comment; }
  QComboBox* kindField() const { return m_kind; }

 private:
  QLineEdit* m_number;
  QComboBox* m_version;
  QLineEdit* m_comment;
  QComboBox* m_kind;
};

}  // namespace zel::ui
