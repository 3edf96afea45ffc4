#pragma once
// "IO Module Entry": an IO configuration entry's module type, switch position, first IW
// and first OW. OK runs the entry checks; a refused entry shows its message and the
// dialog stays open on the field at fault. The collision checks against the other
// entries are the configuration's, which reopens the dialog on the colliding field.

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <optional>

#include "library/io_collision.h"
#include "library/io_configuration.h"
#include "library/io_module_list.h"

namespace zel::ui {

class IoEntryDialog : public QDialog {
  Q_OBJECT

 public:
  IoEntryDialog(const library::IoModuleList& modules, const library::IoEntry& entry,
                library::IoField active, QWidget* parent = nullptr);

  QComboBox* moduleBox() const { return m_module; }
  QLineEdit* field(library::IoField which) const;  // Switch, Iw or Ow
  // The accepted entry, once OK succeeded.
  const std::optional<library::IoEntry>& entry() const { return m_entry; }
  void accept() override;

 private:
  void activate(library::IoField which);

  const library::IoModuleList& m_modules;
  QComboBox* m_module;
  QLineEdit* m_switch;
  QLineEdit* m_iw;
  QLineEdit* m_ow;
  std::optional<library::IoEntry> m_entry;
};

// The configuration's way to the dialog: each edit is one modal run of it.
class IoEntryDialogEditor : public library::IoEntryEditor {
 public:
  IoEntryDialogEditor(const library::IoModuleList& modules, QWidget* parent)
      : m_modules(modules), m_parent(parent) {}
  std::optional<library::IoEntry> edit(const library::IoEntry& entry,
                                       library::IoField focus) override;

 private:
  const library::IoModuleList& m_modules;
  QWidget* m_parent;
};

}  // namespace zel::ui
