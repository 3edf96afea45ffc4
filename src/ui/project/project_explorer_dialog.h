#pragma once
// "Project Explorer": the project list with New, Open, Delete, Copy and Settings, the
// Insert and Delete keys, and renaming a project in place in the list.

#include <QDialog>
#include <QPushButton>
#include <functional>

#include "app/project/project_session.h"
#include "ui/project/project_list_view.h"

namespace zel::ui {

class ProjectExplorerDialog : public QDialog {
  Q_OBJECT

 public:
  // What the frame does for New (returns the new project's name, empty when none was
  // made) and Settings (returns the project's name afterwards).
  struct Commands {
    std::function<QString()> newProject;
    std::function<QString(const QString& project)> settings;
  };
  ProjectExplorerDialog(app::ProjectSession& session, Commands commands, QWidget* parent = nullptr);

  ProjectListView* projectList() const { return m_list; }
  void newProject();
  void openSelected();
  void deleteSelected();
  void copySelected();
  void settingsOfSelected();
  void rename(const QString& from, const QString& to);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void updateButtons();

  app::ProjectSession& m_session;
  Commands m_commands;
  ProjectListView* m_list;
  QPushButton* m_open;
  QPushButton* m_delete;
  QPushButton* m_copy;
  QPushButton* m_settings;
};

}  // namespace zel::ui
