#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "platform/desktop.h"
#include "platform/message_box.h"
#include "tools/tamsel/tamsel_messages.h"
#include "tools/tamsel/tamsel_run.h"

int main(int argc, char** argv) {
  namespace platform = zel::platform;
  platform::SetUpProcessLocale();
  platform::SetMessageBoxHost(std::make_shared<platform::ConsoleHost>(
      platform::ConsoleHost::Policy::Default, std::string(zel::tamsel::kCaption)));
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::error_code error;
  std::filesystem::path workDir = std::filesystem::current_path(error);
  if (error) workDir = ".";
  return zel::tamsel::ReportOutcome(zel::tamsel::RunTamsel(args, workDir, std::cout));
}
