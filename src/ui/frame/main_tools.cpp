// The main frame's external tools: their entries in the Extras menu, the Tools dialog
// and a run with the frame stepping aside while the program waits.

#include <QMessageBox>
#include <QStatusBar>

#include "app/tools/run_tool.h"
#include "platform/message_box.h"
#include "ui/frame/document_window.h"
#include "ui/frame/main_frame.h"
#include "ui/tools/frame_tool_host.h"
#include "ui/tools/tools_dialog.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

bool IsOnlineWindow(app::WindowKind kind) {
  switch (kind) {
    case app::WindowKind::OnlineDisplay:
    case app::WindowKind::CiTerminal:
    case app::WindowKind::ControlPanel:
    case app::WindowKind::FileTransfer:
      return true;
    default:
      return false;
  }
}

}  // namespace

// The entries follow the preferences file, which the Tools dialog and a driver install
// both change, so they are read again whenever the menu is about to show.
void MainFrame::updateToolsMenu() {
  if (!m_extrasMenu) return;
  for (QAction* action : m_toolActions) {
    m_extrasMenu->removeAction(action);
    action->deleteLater();  // it may be the entry being triggered
  }
  m_toolActions.clear();
  const std::vector<app::ToolRecord> tools = app::ReadTools(m_preferences.file());
  const std::size_t shown = app::MenuToolCount(tools);
  for (std::size_t i = 0; i < shown; ++i) {
    QAction* action =
        m_extrasMenu->addAction(FromStored(tools[i].title), this, [this, i] { runTool(i); });
    action->setEnabled(!m_waitingForTool);
    m_toolActions.push_back(action);
  }
  if (m_toolActions.empty()) {
    QAction* none = m_extrasMenu->addAction(FromStored(app::kNoToolsMenuText));
    none->setEnabled(false);
    m_toolActions.push_back(none);
  }
}

void MainFrame::configureTools() {
  if (!m_session || m_waitingForTool) return;
  ToolsDialog dialog(
      app::ReadTools(m_preferences.file()), app::ToolTokenValues(m_preferences, *m_session),
      [this](const app::ToolRecord& tool) { runToolRecord(tool); }, this);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!app::WriteTools(m_preferences.file(), dialog.tools())) {
    platform::ShowMessageBox(
        "'" + StoredPath(m_preferences.file()) + "'\n\nFailed to write the file.",
        platform::Buttons::Ok, platform::Icon::Error);
  }
  updateToolsMenu();
}

void MainFrame::runTool(std::size_t index) {
  const std::vector<app::ToolRecord> tools = app::ReadTools(m_preferences.file());
  if (index < tools.size()) runToolRecord(tools[index]);
}

void MainFrame::runToolRecord(const app::ToolRecord& tool) {
  if (!m_session || m_waitingForTool || m_busy) return;
  FrameToolHost host(*this, [this] { return closeOnlineWindows(); });
  m_waitingForTool = true;
  app::RunTool(tool, m_preferences, *m_session, host);
  m_waitingForTool = false;
  updateActions();
}

// There is one connection per online window; closing them all frees the ports.
bool MainFrame::closeOnlineWindows() {
  for (DocumentWindow* window : documentWindows()) {
    if (IsOnlineWindow(window->kind()) && !window->close()) return false;
  }
  return true;
}

}  // namespace zel::ui
