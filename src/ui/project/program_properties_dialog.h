#pragma once
// "Program Properties": page "General" (the module's entry and what its files say) and
// page "Log File" (its compile log, when it has one).

#include <QDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <string>

#include "app/project/project_model.h"
#include "app/shell/shell_hooks.h"
#include "ui/project/module_entry_fields.h"

namespace zel::ui {

class ProgramPropertiesDialog : public QDialog {
  Q_OBJECT

 public:
  ProgramPropertiesDialog(app::ProjectModel& model, std::string fileName, app::ShellHooks* hooks,
                          QWidget* parent = nullptr);

  ModuleEntryFields* fields() const { return m_fields; }
  QTabWidget* pages() const { return m_pages; }
  QLabel* infoText() const { return m_info; }
  void accept() override;

 private:
  app::ProjectModel& m_model;
  std::string m_fileName;
  app::ShellHooks* m_hooks;
  ModuleEntryFields* m_fields = nullptr;
  QTabWidget* m_pages;
  QLabel* m_info;
};

}  // namespace zel::ui
