#include "ui/frame/main_frame.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QScreen>
#include <QStatusBar>

#include "access/controller_link.h"
#include "app/preferences/startup.h"
#include "app/preferences/window_fit.h"
#include "app/preferences/window_placement.h"
#include "app/project/workspace.h"
#include "app/shell/message_service.h"
#include "platform/files.h"
#include "stl/compile/compile_driver.h"
#include "ui/dialogs/preferences_dialog.h"
#include "ui/editor/stl_shortcut_bar.h"
#include "ui/frame/document_window.h"
#include "ui/frame/frame_title.h"
#include "ui/frame/text_file_window.h"
#include "ui/online/controller_connection.h"
#include "ui/print/project_printer.h"
#include "ui/project/project_tree.h"
#include "ui/widgets/stored_text.h"
#include "ui/widgets/window_geometry.h"
#include "ui/widgets/window_icons.h"

namespace zel::ui {

namespace {

app::ScreenSize CurrentScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  return {screen->size().width(), screen->size().height()};
}

}  // namespace

MainFrame::MainFrame(app::Preferences preferences, QWidget* parent)
    : QMainWindow(parent),
      m_preferences(std::move(preferences)),
      m_identity([](const platform::Message& message) -> platform::LParam {
        return message.id == platform::RegisterMessage(app::kIAmZelProgramMsgName) ? 1 : 0;
      }),
      m_jobs([this](const platform::Message& message) { return jobMessage(message); }),
      m_compilation(m_jobs.id()),
      m_builder(m_jobs.id()),
      m_archive(m_jobs.id()) {
  setObjectName("MainFrame");
  m_printer = new ProjectPrinter(this);
  m_mdi = new QMdiArea(this);
  m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(m_mdi);
  createActions();
  createMenus();
  createToolBar();
  createShortcutBar();
  rebuildStlInstructionMenu();
  // Widgets, not a message: a menu's status tips would wipe a message for good, while
  // widgets come back when the tip goes.
  m_stateStatus = new QLabel(tr("Ready"), this);
  statusBar()->addWidget(m_stateStatus, 1);
  m_projectStatus = new QLabel(this);
  statusBar()->addPermanentWidget(m_projectStatus);
  m_lineStatus = new QLabel(this);
  statusBar()->addPermanentWidget(m_lineStatus);
  m_controller = new ControllerConnection(
      statusBar(),
      [this] {
        return access::ConnectionText(m_preferences, m_session && m_session->model().isOpen()
                                                         ? &m_session->model().file()
                                                         : nullptr);
      },
      this);
  setWindowIcon(ApplicationIcon());
  resize(1024, 720);
  connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { updateActions(); });
  app::SetMessageWindowCreationHook(
      [this](app::MessageWindowService& service) { attachMessageWindow(service); });
  updateTitle();
  updateActions();
}

MainFrame::~MainFrame() {
  // The session's hooks point at this frame; close the project while it still exists.
  app::SetMessageWindowCreationHook(nullptr);
  // The editors show this frame's allocation list; they go before it does.
  for (DocumentWindow* window : documentWindows()) delete window;
  if (m_session) m_session->model().close();
}

void MainFrame::applyStoredPlacement() {
  const app::ScreenSize screen = CurrentScreen();
  if (const auto placement = app::StoredMainWindow(m_preferences, screen)) {
    const QScreen* shown = QGuiApplication::primaryScreen();
    const QSize size = this->size();
    ApplyPlacement(*this, shown ? app::FitPlacement(*placement, RectOf(shown->availableGeometry()),
                                                    {size.width(), size.height()})
                                : *placement);
  }
  // The frame has not shown yet: its layout places the client area only when asked.
  layout()->activate();
  const QRect client = m_mdi->geometry();
  const QPoint topRight = mapToGlobal(client.topRight());
  const app::StlBarState fallback = app::DefaultStlBar(topRight.x(), topRight.y());
  m_shortcutBar->applyState(app::StoredStlBar(m_preferences, screen, topRight.x(), topRight.y()),
                            *this, QPoint(fallback.left, fallback.top));
}

bool MainFrame::setUpProjectDirectory() {
  const auto dir = app::CheckProjectDirectory(m_preferences, [this] { preferencesDialog(); });
  if (!dir) return false;
  if (!m_session) createSession(*dir);
  return true;
}

void MainFrame::createSession(std::filesystem::path dir) {
  m_session = std::make_unique<app::ProjectSession>(m_preferences.file(), std::move(dir), this);
  createProjectScripts();
  updateRecentMenu();
  updateActions();
}

void MainFrame::reopenLastProject() {
  if (!m_session) return;
  if (const auto name = app::ProjectToReopen(m_preferences, m_session->projectDirectory())) {
    m_session->openProject(*name);
  }
}

void MainFrame::changeProjectDirectory(const std::filesystem::path& dir) {
  if (m_session && !m_session->closeProject()) return;
  if (m_session) {
    m_session->setProjectDirectory(platform::ResolvePathNoCase(dir));
  } else {
    createSession(platform::ResolvePathNoCase(dir));
  }
  updateActions();
}

bool MainFrame::projectOpen() const {
  return m_session && m_session->model().isOpen();
}

bool MainFrame::projectCommandsAllowed() const {
  return projectOpen() && !m_busy;
}

void MainFrame::setBusy(bool busy) {
  m_busy = busy;
  updateActions();
}

bool MainFrame::writeExitState() {
  app::ExitState state;
  state.stlBar = m_shortcutBar->currentState(*this);
  const QRect normal = isMaximized() || isMinimized() ? normalGeometry() : geometry();
  state.mainWindow =
      app::ExitState::MainWindow{PlacementOf(normal, windowState()), isMaximized(), isMinimized()};
  if (const auto messages = messageWindowPlacement()) {
    state.messageWindow =
        app::ExitState::MainWindow{*messages, messages->showCommand == kShowMaximized,
                                   messages->showCommand == kShowMinimized};
  }
  state.screen = CurrentScreen();
  if (projectOpen()) state.currentProject = m_session->model().name();
  return app::WriteExitState(m_preferences, state);
}

void MainFrame::closeEvent(QCloseEvent* event) {
  // The worker writes the module's files; it ends within moments.
  if (m_compilation.running()) m_compilation.wait();
  // A build stops before its next module and leaves no run file.
  if (m_builder.running()) {
    m_builder.cancel();
    m_builder.wait();
  }
  // The run closed the project for the tool and opens it again when the tool ends.
  if (m_waitingForTool) {
    event->ignore();
    return;
  }
  // The documentation file may hold changes; Cancel there keeps the program running.
  if (m_textWindow && m_textWindow->isVisible() && !m_textWindow->close()) {
    event->ignore();
    return;
  }
  const bool wasOpen = projectOpen();
  // The placements are taken before closing the project empties the frame.
  writeExitState();
  if (wasOpen && !m_session->closeProject()) {
    event->ignore();
    return;
  }
  event->accept();
}

void MainFrame::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  m_shortcutBar->frameShown(*this);
}

void MainFrame::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && !m_activatedOnce) {
    m_activatedOnce = true;
    m_shortcutBar->frameActivated(*this);
  }
}

void MainFrame::updateTitle() {
  static const app::ProjectModel kNoProject;
  const app::ProjectModel& model = m_session ? m_session->model() : kNoProject;
  setWindowTitle(FromStored(FrameTitle(model)));
  m_projectStatus->setText(model.isOpen() ? FromStored(ProjectStatus(model)) : tr("No project"));
}

void MainFrame::noteUnavailable(std::string_view what) {
  statusBar()->showMessage(tr("%1 is not available in this version.").arg(FromStored(what)), 5000);
}

// --- ShellHooks ---

void MainFrame::closeAllDocuments() {
  m_keptDocuments.clear();
  for (DocumentWindow* window : documentWindows()) {
    if (window->kind() != app::WindowKind::MessageWindow) delete window;
  }
}

void MainFrame::projectChanged(const app::ProjectModel& model) {
  reloadSymbols();
  updateTitle();
  updateActions();
  updateRecentMenu();
  if (ProjectTree* tree = projectTree()) tree->refresh(model);
}

void MainFrame::resetProjectTreePlacement() {
  showProjectTree(true);
}

}  // namespace zel::ui
