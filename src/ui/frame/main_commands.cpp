// The main frame's commands: each opens the dialog that presents a core operation.

#include <QStatusBar>

#include "app/modules/module_ops.h"
#include "app/project/documentation_open.h"
#include "app/project/project_messages.h"
#include "app/settings/controller_settings.h"
#include "ui/allocation/allocation_list_view.h"
#include "ui/dialogs/controller_settings_dialog.h"
#include "ui/dialogs/preferences_dialog.h"
#include "ui/editor/stl_view.h"
#include "ui/frame/document_window.h"
#include "ui/frame/help.h"
#include "ui/frame/help_window.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/message_window.h"
#include "ui/frame/text_file_window.h"
#include "ui/io/io_config_view.h"
#include "ui/project/module_list_dialog.h"
#include "ui/project/new_program_dialog.h"
#include "ui/project/project_explorer_dialog.h"
#include "ui/project/project_name_dialog.h"
#include "ui/project/project_settings_dialog.h"
#include "ui/project/project_tree.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

void MainFrame::newProject() {
  if (!m_session || m_busy) return;
  QString created;
  ProjectNameDialog dialog(
      *m_session, tr("New Project"), {},
      [&](const QString& name) {
        // The core refuses bad names with their message; a failure
        // after the directory exists ends the dialog.
        const bool existedBefore = m_session->isProject(ToStored(name));
        if (m_session->newProject(ToStored(name))) {
          created = name;
          return true;
        }
        return !existedBefore && m_session->isProject(ToStored(name));
      },
      this);
  if (dialog.exec() != QDialog::Accepted || created.isEmpty()) return;
  ProjectSettingsDialog settings(*m_session, created, this);
  settings.exec();
}

void MainFrame::openProjectDialog() {
  if (!m_session || m_busy) return;
  // The open project is preselected: Open is as often a look at the list as a change.
  const QString current = projectOpen() ? FromStored(m_session->model().name()) : QString();
  ProjectNameDialog dialog(
      *m_session, tr("Open Project"), current,
      [this](const QString& name) {
        if (!m_session->isProject(ToStored(name))) {
          app::TellUser(app::kMsgProjectNotFound);
          return false;
        }
        m_session->openProject(ToStored(name));
        return true;
      },
      this);
  dialog.exec();
}

bool MainFrame::closeProjectCommand() {
  return m_session && !m_busy && m_session->closeProject();
}

void MainFrame::projectSettings() {
  if (!projectCommandsAllowed()) return;
  ProjectSettingsDialog dialog(*m_session, FromStored(m_session->model().name()), this);
  dialog.exec();
}

void MainFrame::exploreProjects() {
  if (!m_session || m_busy) return;
  ProjectExplorerDialog::Commands commands;
  commands.newProject = [this] {
    // A cancelled New leaves the project that was open before; that is no new one.
    const std::string before = projectOpen() ? m_session->model().name() : std::string();
    newProject();
    const bool made = projectOpen() && m_session->model().name() != before;
    return made ? FromStored(m_session->model().name()) : QString();
  };
  commands.settings = [this](const QString& project) {
    ProjectSettingsDialog dialog(*m_session, project, this);
    dialog.exec();
    return dialog.project();
  };
  ProjectExplorerDialog dialog(*m_session, std::move(commands), this);
  dialog.exec();
}

void MainFrame::openRecent(int index) {
  if (m_session && !m_busy && index >= 0) m_session->openRecent(static_cast<std::size_t>(index));
  updateRecentMenu();
}

void MainFrame::preferencesDialog() {
  const app::ProjectFile* project = projectOpen() ? &m_session->model().file() : nullptr;
  PreferencesDialog dialog(m_preferences, project, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const auto& outcome = dialog.outcome();
  applyEditorPreferences();
  if (outcome.newProjectDirectory) changeProjectDirectory(*outcome.newProjectDirectory);
}

void MainFrame::controllerSettings() {
  if (!projectCommandsAllowed()) return;
  ControllerSettingsDialog dialog(app::ControllerSettings(m_session->model().file()), this);
  dialog.exec();
}

void MainFrame::projectDocumentation() {
  if (!projectCommandsAllowed()) return;
  app::OpenProjectDocumentation(m_session->model().file(),
                                [this](const std::filesystem::path& file) {
                                  if (!m_textWindow) m_textWindow = new TextFileWindow(this);
                                  return m_textWindow->open(file);
                                });
}

void MainFrame::insertModule(std::optional<app::ModuleKind> kind) {
  if (!projectCommandsAllowed()) return;
  NewProgramDialog dialog(m_session->model(), this, kind, this);
  dialog.exec();
}

void MainFrame::openProgram() {
  if (!projectCommandsAllowed()) return;
  ModuleListDialog dialog(ModuleListDialog::Mode::Open, m_session->model(), this, this);
  dialog.exec();
}

void MainFrame::deleteProgram() {
  if (!projectCommandsAllowed()) return;
  ModuleListDialog dialog(ModuleListDialog::Mode::Delete, m_session->model(), this, this);
  dialog.exec();
}

void MainFrame::selectForDownload() {
  if (!projectCommandsAllowed()) return;
  ModuleListDialog dialog(ModuleListDialog::Mode::SelectForDownload, m_session->model(), this,
                          this);
  dialog.exec();
}

void MainFrame::properties() {
  if (AllocationListView* list = activeAllocationList()) {
    list->propertiesOfCurrent();
  } else if (IoConfigView* io = activeIoConfig()) {
    io->properties();
  } else if (ProjectTree* tree = projectTree();
             tree && m_mdi->activeSubWindow() && m_mdi->activeSubWindow()->widget() == tree) {
    tree->propertiesOfCurrent();
  }
}

// The page about the active window, the contents without one.
void MainFrame::helpTopics() {
  std::optional<app::WindowKind> kind;
  if (const auto* window = qobject_cast<const DocumentWindow*>(m_mdi->activeSubWindow())) {
    kind = window->kind();
  }
  OpenHelpPage(ManualPage(kind), [this](const std::filesystem::path& page) {
    if (!m_helpWindow) m_helpWindow = new HelpWindow(this);
    return m_helpWindow->showPage(page);
  });
}

void MainFrame::cut() {
  if (AllocationListView* list = activeAllocationList()) list->cut();
  if (IoConfigView* io = activeIoConfig()) io->cut();
  if (StlView* view = activeStlView()) view->editor()->cut();
}

void MainFrame::copy() {
  if (AllocationListView* list = activeAllocationList()) {
    list->copy();
    return;
  }
  if (IoConfigView* io = activeIoConfig()) {
    io->copy();
    return;
  }
  if (StlView* view = activeStlView()) {
    view->editor()->copy();
    return;
  }
  QMdiSubWindow* active = m_mdi->activeSubWindow();
  if (auto* messages = active ? qobject_cast<MessageWindow*>(active->widget()) : nullptr) {
    messages->copyMessages();
  }
}

void MainFrame::paste() {
  if (AllocationListView* list = activeAllocationList()) list->paste();
  if (IoConfigView* io = activeIoConfig()) io->paste();
  if (StlView* view = activeStlView()) view->editor()->paste();
}

void MainFrame::find(bool replace) {
  if (AllocationListView* list = activeAllocationList()) list->showFindDialog(replace);
  if (StlView* view = activeStlView()) view->showFindDialog(replace);
}

}  // namespace zel::ui
