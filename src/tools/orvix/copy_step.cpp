// The files no step converted are copied as they are.

#include "app/project/project_file.h"
#include "platform/files.h"
#include "platform/no_case.h"
#include "tools/orvix/conversion_state.h"
#include "tools/orvix/orvix_messages.h"

namespace zel::orvix {

void CopyRemainingFiles(ConversionState& state) {
  state.files.takeIf(
      [](std::string_view name) { return platform::EqualsNoCase(ExtensionOf(name), "BAK"); });
  for (const std::string& name : state.files.names()) {
    // A version-3 file may carry a name the new project has in another case
    // ("project.txt", "project.fw4"); the converted one stays.
    if (platform::EqualsNoCase(name, app::kProjectFileName) ||
        platform::PathExistsNoCase(state.target / name)) {
      state.note(Format(kMsgNameTaken, name));
      continue;
    }
    if (!state.copyToTarget(state.source / name, name)) return;
  }
}

}  // namespace zel::orvix
