#include "ui/project/project_explorer_dialog.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>

#include "ui/project/project_name_dialog.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

ProjectExplorerDialog::ProjectExplorerDialog(app::ProjectSession& session, Commands commands,
                                             QWidget* parent)
    : QDialog(parent),
      m_session(session),
      m_commands(std::move(commands)),
      m_list(new ProjectListView(session, true, this)),
      m_open(new QPushButton(tr("&Open"), this)),
      m_delete(new QPushButton(tr("&Delete"), this)),
      m_copy(new QPushButton(tr("&Copy..."), this)),
      m_settings(new QPushButton(tr("&Settings"), this)) {
  setWindowTitle(tr("Project Explorer"));
  m_list->model().setNameEditable(true);
  auto* newButton = new QPushButton(tr("&New..."), this);
  auto* close = new QPushButton(tr("Close"), this);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {newButton, m_open, m_delete, m_copy, m_settings}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch(1);
  buttons->addWidget(close);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(m_list, 1);
  layout->addLayout(buttons);
  resize(620, 360);

  connect(newButton, &QPushButton::clicked, this, &ProjectExplorerDialog::newProject);
  connect(m_open, &QPushButton::clicked, this, &ProjectExplorerDialog::openSelected);
  connect(m_delete, &QPushButton::clicked, this, &ProjectExplorerDialog::deleteSelected);
  connect(m_copy, &QPushButton::clicked, this, &ProjectExplorerDialog::copySelected);
  connect(m_settings, &QPushButton::clicked, this, &ProjectExplorerDialog::settingsOfSelected);
  connect(close, &QPushButton::clicked, this, &ProjectExplorerDialog::reject);
  connect(m_list, &ProjectListView::nameActivated, this, &ProjectExplorerDialog::openSelected);
  connect(m_list->reportView()->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &ProjectExplorerDialog::updateButtons);
  // After the edit has ended: renaming may close the project and refresh the list.
  connect(&m_list->model(), &ProjectListModel::renameRequested, this,
          &ProjectExplorerDialog::rename, Qt::QueuedConnection);
  updateButtons();
}

void ProjectExplorerDialog::updateButtons() {
  const int selected = static_cast<int>(m_list->selectedNames().size());
  m_open->setEnabled(selected == 1);
  m_delete->setEnabled(selected >= 1);
  m_copy->setEnabled(selected == 1);
  m_settings->setEnabled(selected == 1);
}

void ProjectExplorerDialog::keyPressEvent(QKeyEvent* event) {
  // A key the in-place name editor leaves unused is no command for the list.
  const bool editingName =
      qobject_cast<QLineEdit*>(focusWidget()) != nullptr && m_list->isAncestorOf(focusWidget());
  if (editingName) {
    QDialog::keyPressEvent(event);
  } else if (event->key() == Qt::Key_Insert) {
    newProject();
  } else if (event->key() == Qt::Key_Delete) {
    deleteSelected();
  } else {
    QDialog::keyPressEvent(event);
  }
}

void ProjectExplorerDialog::newProject() {
  if (!m_commands.newProject) return;
  const QString name = m_commands.newProject();
  m_list->refresh();
  if (!name.isEmpty()) {
    m_list->reportView()->clearSelection();
    m_list->selectName(name);
  }
}

void ProjectExplorerDialog::openSelected() {
  const QStringList names = m_list->selectedNames();
  if (names.size() != 1) return;
  if (m_session.openProject(ToStored(names.front()))) QDialog::accept();
}

void ProjectExplorerDialog::deleteSelected() {
  for (const QString& name : m_list->selectedNames()) m_session.deleteProject(ToStored(name));
  m_list->refresh();
  updateButtons();
}

void ProjectExplorerDialog::copySelected() {
  const QStringList names = m_list->selectedNames();
  if (names.size() != 1) return;
  const QString source = names.front();
  QString copied;
  ProjectNameDialog dialog(
      m_session, tr("Copy Project"), source,
      [&](const QString& name) {
        if (!m_session.copyProject(ToStored(source), ToStored(name))) {
          return false;
        }
        copied = name;
        return true;
      },
      this);
  dialog.exec();
  m_list->refresh();
  if (!copied.isEmpty()) {
    m_list->reportView()->clearSelection();
    m_list->selectName(copied);
  }
}

void ProjectExplorerDialog::settingsOfSelected() {
  const QStringList names = m_list->selectedNames();
  if (names.size() != 1 || !m_commands.settings) return;
  const QString after = m_commands.settings(names.front());
  m_list->refresh();
  m_list->reportView()->clearSelection();
  m_list->selectName(after);
}

void ProjectExplorerDialog::rename(const QString& from, const QString& to) {
  const bool renamed = m_session.renameProject(ToStored(from), ToStored(to));
  m_list->refresh();
  m_list->reportView()->clearSelection();
  m_list->selectName(renamed ? to : from);
}

}  // namespace zel::ui
