#pragma once
// "Import Module from Library": the compiled modules the run-time library of the
// project's controller type offers; OK imports every selected one, each under the
// identity the "Import Module" dialog asks for.

#include <QDialog>
#include <QTreeWidget>
#include <filesystem>
#include <string>
#include <vector>

#include "app/project/project_model.h"
#include "app/shell/shell_hooks.h"
#include "build/module_import.h"

namespace zel::ui {

class LibraryImportDialog : public QDialog {
  Q_OBJECT

 public:
  LibraryImportDialog(app::ProjectModel& model, app::ShellHooks* hooks,
                      std::filesystem::path programDirectory, QWidget* parent = nullptr);

  QTreeWidget* list() const { return m_list; }
  // How each import asks for the module's identity; the "Import Module" dialog unless
  // replaced (tests answer it themselves).
  void setAsk(build::AskImportEntry ask) { m_ask = std::move(ask); }
  void accept() override;

 private:
  app::ProjectModel& m_model;
  app::ShellHooks* m_hooks;
  std::filesystem::path m_folder;
  QTreeWidget* m_list;
  std::vector<std::string> m_names;  // file names as the folder spells them, by row data
  build::AskImportEntry m_ask;
};

}  // namespace zel::ui
