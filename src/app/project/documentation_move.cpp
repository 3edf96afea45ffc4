#include "app/project/documentation_move.h"

#include "app/modules/module_messages.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace zel::app {

bool MoveDocumentationFile(const ProjectFile& file, const fs::path& newPath) {
  // An existing file of another spelling is the one the user chose.
  const fs::path target = platform::ResolvePathNoCase(newPath);
  const auto current = platform::FindPathNoCase(file.docFile());
  std::error_code ec;
  // Moving a file onto itself must not delete it; the move itself replaces an existing
  // target, so a failed move leaves both files as they were.
  if (current && !fs::equivalent(*current, target, ec) && !platform::MoveFileTo(*current, target)) {
    platform::ShowMessageBox(FillText(kMsgFailedToMoveDocFile, target.string()),
                             platform::Buttons::Ok, platform::Icon::Error);
    return false;
  }
  file.setDocFile(target);
  return true;
}

}  // namespace zel::app
