#pragma once
// "Import Module": kind, number, version and comment under which a compiled module file
// joins the project, the comment preset to the file's name.

#include <QDialog>
#include <optional>

#include "app/modules/module_entry.h"
#include "ui/project/module_entry_fields.h"

namespace zel::ui {

class ImportModuleDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ImportModuleDialog(const app::ModuleEntry& preset, QWidget* parent = nullptr);

  ModuleEntryFields* fields() const { return m_fields; }
  void accept() override;

  // The entry the user confirms, nullopt on Cancel: the question the module import asks.
  static std::optional<app::ModuleEntry> Ask(const app::ModuleEntry& preset, QWidget* parent);

 private:
  ModuleEntryFields* m_fields;
};

}  // namespace zel::ui
