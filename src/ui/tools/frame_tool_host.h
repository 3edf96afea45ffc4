#pragma once
// What the main window lends a tool run: the online windows it closes to free the
// ports, and the wait: the window steps aside (minimised, refusing input, the status bar
// saying whom it waits for) while its event loop keeps running, and comes back after.

#include <QMainWindow>
#include <functional>

#include "app/tools/run_tool.h"

namespace zel::ui {

class FrameToolHost : public app::ToolRunHost {
 public:
  // `releasePorts` closes the online windows and the connection; false when one stayed.
  FrameToolHost(QMainWindow& frame, std::function<bool()> releasePorts);

  bool releasePorts() override;
  void waitBegins(const app::ToolRecord& tool) override;
  void keepAlive() override;
  void waitEnds() override;

  bool waiting() const { return m_waiting; }

 private:
  QMainWindow& m_frame;
  std::function<bool()> m_releasePorts;
  Qt::WindowStates m_states;
  bool m_waiting = false;
};

// The status bar text while the program waits for a tool.
QString WaitingForToolText(const QString& title);

}  // namespace zel::ui
