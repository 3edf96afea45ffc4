#include "ui/project/project_settings_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/project/controller_type.h"
#include "app/project/project_file.h"
#include "app/project/project_naming.h"
#include "ui/project/project_name_dialog.h"
#include "ui/widgets/ok_cancel_buttons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

ProjectSettingsDialog::ProjectSettingsDialog(app::ProjectSession& session, const QString& project,
                                             QWidget* parent)
    : QDialog(parent),
      m_session(session),
      m_project(project),
      m_comment(new QLineEdit(this)),
      m_name(new QLineEdit(project, this)),
      m_controller(new QComboBox(this)) {
  setWindowTitle(tr("Project Settings"));
  const auto file = app::ProjectFile::ofProject(session.projectDirectory(), ToStored(project));
  m_comment->setMaxLength(static_cast<int>(app::kProjectCommentMax));
  m_comment->setText(FromStored(file.comment()));
  m_name->setMaxLength(static_cast<int>(app::kMaxProjectNameLength));
  for (const auto& info : app::ControllerTypes()) m_controller->addItem(FromStored(info.label));
  const QString label = FromStored(app::TypeLabel(file.target()));
  if (m_controller->findText(label) < 0) m_controller->addItem(label);
  m_controller->setCurrentText(label);

  auto* browse = new QPushButton(tr("..."), this);
  browse->setFixedWidth(32);
  auto* nameRow = new QHBoxLayout;
  nameRow->addWidget(m_name, 1);
  nameRow->addWidget(browse);
  auto* form = new QFormLayout;
  form->addRow(tr("&Comment:"), m_comment);
  auto* nameLabel = new QLabel(tr("&Name:"), this);
  nameLabel->setBuddy(m_name);
  form->addRow(nameLabel, nameRow);
  form->addRow(tr("Created:"), new QLabel(FromStored(file.created()), this));
  form->addRow(tr("C&ontroller:"), m_controller);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancelButtons(this));
  resize(460, 180);
  connect(browse, &QPushButton::clicked, this, &ProjectSettingsDialog::chooseName);
}

void ProjectSettingsDialog::chooseName() {
  ProjectNameDialog dialog(m_session, tr("Rename Project"), m_name->text(), {}, this);
  if (dialog.exec() == QDialog::Accepted) m_name->setText(dialog.name());
}

void ProjectSettingsDialog::accept() {
  app::ProjectSession::Settings settings;
  settings.name = ToStored(m_name->text());
  settings.comment = ToStored(m_comment->text());
  settings.target = ToStored(m_controller->currentText());
  if (!m_session.applySettings(ToStored(m_project), settings)) {
    // A project that is no longer there leaves nothing to edit.
    if (!m_session.isProject(ToStored(m_project))) QDialog::reject();
    return;
  }
  if (const auto found = m_session.findProject(settings.name)) m_project = FromStored(*found);
  QDialog::accept();
}

}  // namespace zel::ui
