// The Project menu's build commands: Make, Build, Clean Up and the run file's listing.
// The build runs as the frame's job; while it runs the frame is busy, which holds back
// every project command and the editor's Compile, and the status bar shows its module.

#include <QStatusBar>

#include "build/clean_up.h"
#include "build/run_file_listing.h"
#include "platform/desktop.h"
#include "ui/frame/main_frame.h"
#include "ui/widgets/stored_text.h"

#ifndef ZEL_VERSION
#define ZEL_VERSION ""
#endif

namespace zel::ui {

void MainFrame::startBuild(build::BuildMode mode) {
  if (!projectCommandsAllowed() || m_builder.running() || m_compilation.running()) return;
  // The build compiles what is on the disk.
  if (!saveAllPrograms()) return;
  showMessageWindow(false);
  app::ClearMessages();
  build::BuildRequest request;
  request.mode = mode;
  request.programDirectory = m_preferences.programDirectory();
  request.projectsDirectory = m_session->projectDirectory();
  request.projectName = m_session->model().name();
  request.productVersion = ZEL_VERSION;
  // Sounded from the worker: the platform's bell, not a window's.
  request.errorTone = [] { platform::Beep(880, 200); };
  if (!m_builder.start(request)) return;
  setBusy(true);
  statusBar()->showMessage(mode == build::BuildMode::Make ? tr("Making the project")
                                                          : tr("Building the project"));
}

void MainFrame::cleanUpProject() {
  if (!projectCommandsAllowed()) return;
  showMessageWindow(false);
  build::MessageWindowLog log;
  build::CleanUpProject(m_session->projectDirectory(), m_session->model().name(), log);
}

void MainFrame::listRunFile() {
  if (!projectCommandsAllowed()) return;
  showMessageWindow(true);
  build::MessageWindowLog log;
  build::ListRunFile(m_session->projectDirectory() / m_session->model().name(), log);
}

void MainFrame::buildEnded() {
  m_builder.wait();  // the worker has posted its last message and is ending
  setBusy(false);
  const build::BuildCounts counts = m_builder.counts();
  statusBar()->showMessage(tr("%1 Error(s), %2 Warning(s)").arg(counts.errors).arg(counts.warnings),
                           5000);
  // A failed build asks for the message window, where its errors are.
  if (counts.errors != 0) showMessageWindow(true);
}

}  // namespace zel::ui
