#include "ui/tools/frame_tool_host.h"

#include <QCoreApplication>
#include <QStatusBar>

#include "ui/widgets/stored_text.h"

namespace zel::ui {

QString WaitingForToolText(const QString& title) {
  return QCoreApplication::translate("FrameToolHost", "Waiting for '%1' to end...").arg(title);
}

FrameToolHost::FrameToolHost(QMainWindow& frame, std::function<bool()> releasePorts)
    : m_frame(frame), m_releasePorts(std::move(releasePorts)) {}

bool FrameToolHost::releasePorts() {
  return !m_releasePorts || m_releasePorts();
}

void FrameToolHost::waitBegins(const app::ToolRecord& tool) {
  m_waiting = true;
  m_states = m_frame.windowState();
  m_frame.statusBar()->showMessage(WaitingForToolText(FromStored(tool.title)));
  // Disabled, nothing of the frame can start a second run or close the project that the
  // run closed; minimised, it leaves the screen to the tool.
  m_frame.setEnabled(false);
  m_frame.showMinimized();
}

void FrameToolHost::keepAlive() {
  // Posted platform messages reach us through Qt's queue (MessagePump), so this serves
  // both the windows and the library's replies.
  QCoreApplication::processEvents(QEventLoop::AllEvents, app::kToolPollMs);
  app::ToolRunHost::keepAlive();
}

void FrameToolHost::waitEnds() {
  m_frame.setEnabled(true);
  m_frame.setWindowState(m_states & ~Qt::WindowMinimized);
  m_frame.show();
  m_frame.raise();
  m_frame.activateWindow();
  m_frame.statusBar()->showMessage(QCoreApplication::translate("FrameToolHost", "Ready"));
  m_waiting = false;
}

}  // namespace zel::ui
