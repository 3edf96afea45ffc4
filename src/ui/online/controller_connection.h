#pragma once
// The main frame's own hold on the controller: Online > Login... connects (with the
// communication settings in force) and runs the library's login window; Logout lets the
// connection go. The status bar shows the connection's state and an activity LED that
// flickers as replies complete.

#include <QLabel>
#include <QObject>
#include <QStatusBar>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "access/controller_link.h"
#include "platform/messages.h"

namespace zel::ui {

class ControllerConnection : public QObject {
  Q_OBJECT

 public:
  // `connectionText` is asked anew at each login, so changed preferences take effect.
  ControllerConnection(QStatusBar* statusBar, std::function<std::string()> connectionText,
                       QObject* parent = nullptr);
  ~ControllerConnection() override;

  // Connects when not connected and runs the login window; true when logged in.
  bool login();
  void logout();
  bool connected() const { return m_link && m_link->connected(); }
  const access::ControllerLink* link() const { return m_link.get(); }

  QLabel* stateLabel() const { return m_state; }
  QLabel* ledLabel() const { return m_led; }
  // Reads the library's state and LED now (the status bar does it on its timer).
  void refresh();

 private:
  platform::LParam ownerMessage(const platform::Message& message);
  void showLed(bool on);

  std::function<std::string()> m_connectionText;
  // Receives the connection-lost notices of commands without a target of their own.
  platform::MessageTarget m_owner;
  std::unique_ptr<access::ControllerLink> m_link;
  QStatusBar* m_statusBar = nullptr;
  QLabel* m_state = nullptr;
  QLabel* m_led = nullptr;
  QTimer m_timer;
  std::optional<bool> m_ledOn;  // none until first shown
  // Kept past the link: replies queued before a logout still hold atoms to free.
  std::int32_t m_replyMessage = -1;
};

// The status bar text of RemoteCIState with the controller's identity when logged in.
QString ConnectionStateText(const access::ControllerLink* link);

}  // namespace zel::ui
