#pragma once
// "New Program": a new program, CMP or CFM of the open project.

#include <QDialog>
#include <optional>

#include "app/project/project_model.h"
#include "app/shell/shell_hooks.h"
#include "ui/project/module_entry_fields.h"

namespace zel::ui {

class NewProgramDialog : public QDialog {
  Q_OBJECT

 public:
  // Without a kind the dialog starts as a program and the user chooses.
  NewProgramDialog(app::ProjectModel& model, app::ShellHooks* hooks,
                   std::optional<app::ModuleKind> kind, QWidget* parent = nullptr);

  ModuleEntryFields* fields() const { return m_fields; }
  void accept() override;

 private:
  app::ProjectModel& m_model;
  app::ShellHooks* m_hooks;
  ModuleEntryFields* m_fields;
};

}  // namespace zel::ui
