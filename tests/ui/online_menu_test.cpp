// Online > Login... and Logout of the main frame against the virtual controller, with the
// connection text of the workspace's preferences ("TCPIP 127.0.0.1").

#ifdef KZCSIM_BINARY

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <chrono>
#include <memory>

#include "platform/login_host.h"
#include "support/virtual_controller.h"
#include "ui/online/controller_connection.h"
#include "ui/online/qt_login_host.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

TEST(OnlineMenu, LoginAndLogoutShowInTheStatusBar) {
  test::VirtualController controller(KZCSIM_BINARY, {"--platform", "VM1X"});
  ASSERT_TRUE(controller.running());
  controller.select();
  auto host = std::make_shared<QtLoginHost>();
  platform::SetLoginHost(host);
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  auto* login = ws.frame().findChild<QAction*>("onlineLogin");
  auto* logout = ws.frame().findChild<QAction*>("onlineLogout");
  ASSERT_NE(login, nullptr);
  ASSERT_NE(logout, nullptr);
  EXPECT_TRUE(login->isEnabled());
  auto* state = ws.frame().statusBar()->findChild<QLabel*>("connectionState");
  ASSERT_NE(state, nullptr);
  EXPECT_EQ(state->text(), "Offline");

  // The login window stays until the user closes it: close it once it shows success.
  QTimer closer;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    LoginWindow* window = host->window();
    if (!window || !window->isVisible()) return;
    if (window->field(platform::LoginField::State) == "Success" ||
        std::chrono::steady_clock::now() > deadline) {
      window->closeButton()->click();
    }
  });
  closer.start(10);
  login->trigger();
  closer.stop();
  EXPECT_EQ(state->text(), "Online VM1X V2.25");
  EXPECT_TRUE(ws.frame().controller()->connected());

  logout->trigger();
  EXPECT_EQ(state->text(), "Offline");
  EXPECT_FALSE(ws.frame().controller()->connected());
  platform::SetLoginHost(nullptr);
}

}  // namespace
}  // namespace zel::ui::testing

#endif  // KZCSIM_BINARY
