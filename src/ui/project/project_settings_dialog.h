#pragma once
// "Project Settings" of one project: comment, name (with the rename list), creation
// stamp and controller type. OK hands the entries to the project operations.

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>

#include "app/project/project_session.h"

namespace zel::ui {

class ProjectSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  ProjectSettingsDialog(app::ProjectSession& session, const QString& project,
                        QWidget* parent = nullptr);

  QLineEdit* commentField() const { return m_comment; }
  QLineEdit* nameField() const { return m_name; }
  QComboBox* controllerField() const { return m_controller; }
  // The project's name after OK (it may have been renamed).
  const QString& project() const { return m_project; }

  void accept() override;

 private:
  void chooseName();

  app::ProjectSession& m_session;
  QString m_project;
  QLineEdit* m_comment;
  QLineEdit* m_name;
  QComboBox* m_controller;
};

}  // namespace zel::ui
