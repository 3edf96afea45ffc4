#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "platform/desktop.h"
#include "platform/message_box.h"
#include "tools/orvix/orvix_cli.h"
#include "tools/orvix/orvix_messages.h"

#ifdef ORVIX_WITH_WIZARD
#include "tools/orvix/wizard/wizard_main.h"
#endif

int main(int argc, char** argv) {
  namespace platform = zel::platform;
  platform::SetUpProcessLocale();
  std::error_code error;
  std::filesystem::path workDir = std::filesystem::current_path(error);
  if (error) workDir = ".";
#ifdef ORVIX_WITH_WIZARD
  if (argc <= 1) return zel::orvix::RunWizard(argc, argv, workDir);
#endif
  platform::SetMessageBoxHost(std::make_shared<platform::ConsoleHost>(
      platform::ConsoleHost::Policy::Default, std::string(zel::orvix::kCaption)));
  const std::vector<std::string> args(argv + 1, argv + argc);
  return zel::orvix::RunCommandLine(args, workDir, std::cerr);
}
