// The login window drawn by zel, driven by the real access library against the virtual
// controller: its live fields, the password dialog, and the status bar's state.

#ifdef KZCSIM_BINARY

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>

#include "access/ci_reply.h"
#include "platform/login_host.h"
#include "platform/message_box.h"
#include "support/virtual_controller.h"
#include "ui/frame/message_pump.h"
#include "ui/online/controller_connection.h"
#include "ui/online/qt_login_host.h"

namespace zel::ui {
namespace {

using platform::LoginField;

class LoginWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_host = std::make_shared<QtLoginHost>();
    platform::SetLoginHost(m_host);
    m_boxes = std::make_shared<platform::ScriptedHost>();
    platform::SetMessageBoxHost(m_boxes);
  }
  void TearDown() override {
    platform::SetLoginHost(nullptr);
    platform::SetMessageBoxHost(nullptr);
  }

  // Runs `step` every few milliseconds while the login window is up; gives up (closing the
  // window) after a bound, so a login that never ends fails instead of hanging.
  void whileOpen(std::function<void(QtLoginHost&)> step) {
    auto* timer = new QTimer(&m_window);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    QObject::connect(timer, &QTimer::timeout, [this, step, deadline, timer] {
      if (std::chrono::steady_clock::now() > deadline) {
        ADD_FAILURE() << "the login did not end";
        timer->stop();
        if (m_host->window()) m_host->window()->closeButton()->click();
        return;
      }
      if (m_host->window() && m_host->window()->isVisible()) step(*m_host);
    });
    timer->start(10);
  }

  std::shared_ptr<QtLoginHost> m_host;
  std::shared_ptr<platform::ScriptedHost> m_boxes;
  QMainWindow m_window;
  MessagePump m_pump;
};

TEST_F(LoginWindowTest, ShowsTheControllerAndTheStatusBarFollows) {
  test::VirtualController controller(KZCSIM_BINARY, {"--platform", "RUD2", "--project", "PLANT"});
  ASSERT_TRUE(controller.running());
  controller.select();
  ControllerConnection connection(m_window.statusBar(), [] { return "TCPIP 127.0.0.1"; });
  EXPECT_EQ(connection.stateLabel()->text(), "Offline");

  QString target, version, project;
  bool retryEnabled = false;
  whileOpen([&](QtLoginHost& host) {
    LoginWindow* window = host.window();
    if (window->field(LoginField::State) != "Success") return;
    target = window->field(LoginField::TargetController);
    version = window->field(LoginField::KernelVersion);
    project = window->field(LoginField::LoadedProject);
    retryEnabled = window->retryButton()->isEnabled();
    window->closeButton()->click();
  });
  EXPECT_TRUE(connection.login());
  EXPECT_EQ(m_host->window()->windowTitle(), "ZEL Login to KZC");
  EXPECT_EQ(target, "RUD2");
  EXPECT_EQ(version, "V2.25");
  EXPECT_EQ(project, "PLANT");
  EXPECT_TRUE(retryEnabled);
  EXPECT_FALSE(m_host->window()->isVisible());
  EXPECT_EQ(connection.stateLabel()->text(), "Online RUD2 V2.25");
  EXPECT_TRUE(m_boxes->texts().empty());

  // The LED changes at the first look after a reply has completed, and only then.
  connection.refresh();
  const bool before = connection.ledLabel()->property("on").toBool();
  connection.refresh();
  EXPECT_EQ(connection.ledLabel()->property("on").toBool(), before);
  bool replied = false;
  const auto replyMessage = connection.link()->replyMessage();
  platform::MessageTarget sink([&](const platform::Message& message) -> platform::LParam {
    if (access::TakeCiReply(message, replyMessage)) replied = true;
    return 0;
  });
  ASSERT_EQ(connection.link()->command(sink.id(), 1, "DF", 1500), access::kSentOrQueued);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!replied && std::chrono::steady_clock::now() < deadline) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    platform::PumpMessages();
  }
  ASSERT_TRUE(replied);
  connection.refresh();
  EXPECT_NE(connection.ledLabel()->property("on").toBool(), before);

  connection.logout();
  EXPECT_EQ(connection.stateLabel()->text(), "Offline");
  EXPECT_FALSE(connection.connected());
}

TEST_F(LoginWindowTest, ThePasswordDialogUnlocksTheController) {
  test::VirtualController controller(KZCSIM_BINARY, {"--password", "secret"});
  ASSERT_TRUE(controller.running());
  controller.select();
  ControllerConnection connection(m_window.statusBar(), [] { return "TCPIP 127.0.0.1"; });

  int passwordDialogs = 0;
  QString title;
  // The password dialog is modal inside the login window's loop; answer it from there.
  auto* answer = new QTimer(&m_window);
  QObject::connect(answer, &QTimer::timeout, [&] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || dialog->objectName() != "PasswordDialog") return;
    ++passwordDialogs;
    title = dialog->windowTitle();
    dialog->findChild<QLineEdit*>()->setText("secret");
    dialog->accept();
  });
  answer->start(10);
  whileOpen([](QtLoginHost& host) {
    if (host.window()->field(LoginField::State) == "Success") host.window()->closeButton()->click();
  });
  EXPECT_TRUE(connection.login());
  EXPECT_EQ(passwordDialogs, 1);
  EXPECT_EQ(title, " ZEL Password");
  EXPECT_EQ(connection.stateLabel()->text(), "Online VM2X V2.25");
  EXPECT_TRUE(m_boxes->texts().empty());
}

TEST_F(LoginWindowTest, ALinkThatCannotConnectLeavesTheStateOffline) {
  ControllerConnection connection(m_window.statusBar(), [] { return "COM0 9600"; });
  EXPECT_FALSE(connection.login());
  EXPECT_EQ(m_boxes->texts(),
            std::vector<std::string>{"Invalid parameter passed to Telvane library."});
  EXPECT_EQ(connection.stateLabel()->text(), "Offline");
}

}  // namespace
}  // namespace zel::ui

#endif  // KZCSIM_BINARY
