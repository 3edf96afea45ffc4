#pragma once
// A project name with the list of the projects beside it: "Open Project", the new
// project dialog "Project" (titled "New Project"), "Copy Project" and "Rename Project".
// What OK does is the caller's; a refused name keeps the dialog open.

#include <QDialog>
#include <QLineEdit>
#include <functional>

#include "app/project/project_session.h"
#include "ui/project/project_list_view.h"

namespace zel::ui {

class ProjectNameDialog : public QDialog {
  Q_OBJECT

 public:
  // `accept` gets the name on OK and says whether the dialog may close.
  using Acceptor = std::function<bool(const QString& name)>;
  ProjectNameDialog(app::ProjectSession& session, const QString& title, const QString& preset,
                    Acceptor acceptor, QWidget* parent = nullptr);

  QLineEdit* nameField() const { return m_name; }
  ProjectListView* projectList() const { return m_list; }
  QString name() const { return m_name->text(); }

  void accept() override;

 private:
  QLineEdit* m_name;
  ProjectListView* m_list;
  Acceptor m_accept;
};

}  // namespace zel::ui
