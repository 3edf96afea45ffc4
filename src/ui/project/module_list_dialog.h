#pragma once
// The Program menu's module lists: "Select Programs for Download", "Open Program" and
// "Delete Program", with the language and type filters and sortable columns.

#include <QComboBox>
#include <QDialog>
#include <QTreeWidget>

#include "app/project/project_model.h"
#include "app/shell/shell_hooks.h"

namespace zel::ui {

class ModuleListDialog : public QDialog {
  Q_OBJECT

 public:
  enum class Mode { SelectForDownload, Open, Delete };
  ModuleListDialog(Mode mode, app::ProjectModel& model, app::ShellHooks* hooks,
                   QWidget* parent = nullptr);

  QTreeWidget* list() const { return m_list; }
  QComboBox* languageFilter() const { return m_language; }
  QComboBox* typeFilter() const { return m_type; }
  QStringList listedFileNames() const;  // in the order shown
  void accept() override;

 private:
  void fill();
  void sortBy(int column);

  Mode m_mode;
  app::ProjectModel& m_model;
  app::ShellHooks* m_hooks;
  QTreeWidget* m_list;
  QComboBox* m_language;
  QComboBox* m_type;
  int m_sortColumn = 0;
  Qt::SortOrder m_order = Qt::AscendingOrder;
  // Check marks changed by the user but not yet confirmed, kept across filter changes.
  std::map<std::string, bool> m_checks;
};

}  // namespace zel::ui
