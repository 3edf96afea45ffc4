// zel: the desktop program. Start-up runs in the fixed order the users' files expect:
// process set-up and "LANGUAGE", the frame, the stored placements, the project
// directory check, the project of the last session, and only then the window shows.

#include <QApplication>
#include <filesystem>
#include <memory>

#include "app/preferences/startup.h"
#include "platform/login_host.h"
#include "platform/message_box.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/message_pump.h"
#include "ui/frame/qt_message_box_host.h"
#include "ui/online/qt_login_host.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("ZEL");
  QApplication::setApplicationVersion(ZEL_VERSION);
  // After Qt's own set-up, which takes the locale from the environment for everything.
  zel::app::Preferences preferences = zel::app::BeginStartup(std::filesystem::current_path());
  zel::platform::SetMessageBoxHost(std::make_shared<zel::ui::QtMessageBoxHost>());
  zel::platform::SetLoginHost(std::make_shared<zel::ui::QtLoginHost>());
  zel::ui::MessagePump pump;

  zel::ui::MainFrame frame(std::move(preferences));
  frame.applyStoredPlacement();
  if (!frame.setUpProjectDirectory()) return 1;
  frame.reopenLastProject();
  frame.show();
  // Jobs report from their first line on; a window the user closes comes back with
  // View > Message Window.
  frame.showMessageWindow(false);
  const int status = QApplication::exec();
  // The login window goes while the application that owns its widgets still exists.
  zel::platform::SetLoginHost(nullptr);
  return status;
}
