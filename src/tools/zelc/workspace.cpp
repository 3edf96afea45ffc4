#include "tools/zelc/workspace.h"

#include <string>

#include "platform/message_box.h"

namespace zel::zelc {

void ReportError(std::string_view text) {
  platform::ShowMessageBox(std::string(text), platform::Buttons::Ok, platform::Icon::Error);
}

int OnSession(const GlobalOptions& options,
              const std::function<bool(app::ProjectSession&)>& operation) {
  auto workspace = Workspace::open(options.workDir);
  return workspace && operation(workspace->session()) ? 0 : kFailed;
}

}  // namespace zel::zelc
