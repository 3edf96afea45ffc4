// The main frame's run-time library commands: the library dialog, which works with the
// project closed, and the project's Driver Configuration window.

#include <QMdiSubWindow>
#include <QMenuBar>

#include "app/shell/window_registry.h"
#include "library/driver_install.h"
#include "library/project_scripts.h"
#include "ui/frame/document_window.h"
#include "ui/frame/main_frame.h"
#include "ui/library/driver_config_view.h"
#include "ui/library/library_dialog.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

void MainFrame::createProjectScripts() {
  m_scripts = std::make_unique<library::ProjectScripts>(m_session->model(),
                                                        m_preferences.programDirectory());
}

// Installing replaces files the open project's windows and the build may be reading, so
// the project is closed around the dialog and opened again after it.
void MainFrame::libraryDialog() {
  if (!m_session || m_busy || m_waitingForTool) return;
  const bool wasOpen = projectOpen();
  const std::string project = wasOpen ? m_session->model().name() : std::string();
  const std::string type = wasOpen ? m_session->model().target() : std::string();
  if (wasOpen && !m_session->closeProject()) return;
  library::LibraryPlace place{m_preferences.programDirectory(), type, m_session->projectDirectory(),
                              project};
  LibraryDialog dialog(place, this);
  dialog.exec();
  if (wasOpen) m_session->openProject(project);
  updateToolsMenu();
}

DriverConfigView* MainFrame::driverConfiguration() const {
  DocumentWindow* window = findWindow(app::WindowKind::DriverConfig);
  return window ? qobject_cast<DriverConfigView*>(window->widget()) : nullptr;
}

DocumentWindow* MainFrame::createDriverConfiguration() {
  if (!projectOpen() || !m_scripts) return nullptr;
  const app::ProjectModel& model = m_session->model();
  auto* view = new DriverConfigView(model.file(), model.target(), m_scripts->drivers(),
                                    m_preferences.programDirectory());
  DocumentWindow* window =
      addWindow(app::WindowKind::DriverConfig,
                FromStored(app::WindowInfo(app::WindowKind::DriverConfig).windowName), view);
  window->setWindowTitle(view->windowTitle());
  window->resize(600, 320);
  return window;
}

void MainFrame::createDriverConfigMenu() {
  m_driverConfigMenu = menuBar()->addMenu(tr("&Driver Config"));
  auto forward = [this](void (DriverConfigView::*command)()) {
    return [this, command] {
      QMdiSubWindow* active = m_mdi->activeSubWindow();
      if (auto* view = active ? qobject_cast<DriverConfigView*>(active->widget()) : nullptr) {
        (view->*command)();
      }
    };
  };
  m_driverConfigMenu->addAction(tr("&Insert Driver..."), this,
                                forward(&DriverConfigView::insertDriver));
  m_driverConfigMenu->addAction(tr("&Delete"), this, forward(&DriverConfigView::deleteSelected));
  m_driverConfigMenu->addAction(tr("&Properties..."), this, forward(&DriverConfigView::properties));
  m_driverConfigMenu->menuAction()->setVisible(false);
  // The view's selection changes without the frame hearing of it.
  connect(m_driverConfigMenu, &QMenu::aboutToShow, this, [this] { updateActions(); });
}

void MainFrame::updateDriverConfigMenu(const DriverConfigView* active) {
  if (!m_driverConfigMenu) return;
  m_driverConfigMenu->menuAction()->setVisible(active != nullptr);
  if (!active) return;
  const QList<QAction*> items = m_driverConfigMenu->actions();
  const std::size_t selected = active->table()->selectedRows().size();
  items[0]->setEnabled(!m_busy);
  items[1]->setEnabled(!m_busy && selected > 0);
  items[2]->setEnabled(!m_busy && selected == 1);
}

void MainFrame::insertDriver() {
  if (!projectCommandsAllowed()) return;
  openWindow({app::WindowKind::DriverConfig, std::nullopt});
  if (DriverConfigView* view = driverConfiguration()) view->insertDriver();
}

}  // namespace zel::ui
