#include "library/io_module_install.h"

#include <string>

#include "library/io_module_script.h"
#include "library/runtime_folder.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/no_case.h"

namespace zel::library {
namespace {

namespace fs = std::filesystem;
using platform::Answer;
using platform::Buttons;
using platform::Icon;

bool HasIoExtension(const fs::path& file) {
  return platform::EqualsNoCase(file.extension().string(), kIoScriptExtension);
}

void Tell(const std::string& text) {
  platform::ShowMessageBox(text, Buttons::Ok, Icon::Error);
}

// Through a temporary file and a rename, so a failed copy never leaves half a script in
// the library; a file copied onto itself is left as it is.
bool CopyWhole(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  if (fs::equivalent(from, to, ec)) return true;
  const auto text = platform::ReadWholeFile(from);
  return text && platform::WriteFileAtomically(to, *text);
}

}  // namespace

bool InstallIoModule(const fs::path& programDirectory, std::string_view type,
                     const fs::path& script) {
  const std::string shown = script.string();
  if (!HasIoExtension(script)) {
    Tell("Skipping '" + shown + "'.\n\nNot an IO Script (*.iod)");
    return false;
  }
  const std::string fileName = script.filename().string();
  const fs::path target = RuntimeFilePath(programDirectory, type, fileName);
  if (platform::PathExistsNoCase(target) &&
      platform::ShowMessageBox("'" + fileName + "'\n\nThe IO module already exists.\nOverwrite?",
                               Buttons::YesNo, Icon::Question) != Answer::Yes)
    return false;
  const auto text = platform::ReadWholeFile(script);
  if (text && !ParseIoModuleScript(*text, fileName)) {
    Tell("'" + shown + "'\n\nInvalid IOD file format.");
    return false;
  }
  const fs::path folder = RuntimeDirectory(programDirectory, type);
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!text || !CopyWhole(script, target)) {
    Tell("'" + shown + "'\n\nFailed to copy the file.");
    return false;
  }
  return true;
}

bool DeinstallIoModule(const fs::path& programDirectory, std::string_view type,
                       std::string_view fileName) {
  const std::string name(fileName);
  if (platform::ShowMessageBox("'" + name + "'\n\nDo you really want to delete the IO module?",
                               Buttons::YesNo, Icon::Question) != Answer::Yes)
    return false;
  if (!platform::DeleteFileAt(RuntimeFilePath(programDirectory, type, fileName))) {
    Tell("'" + name + "'\n\nFailed to delete the file.");
    return false;
  }
  return true;
}

bool ExtractIoModule(const fs::path& programDirectory, std::string_view type,
                     std::string_view fileName, const fs::path& destination) {
  if (!HasIoExtension(destination)) {
    Tell("Skipping '" + destination.string() + "'.\n\nYou must not change the extension.");
    return false;
  }
  if (!CopyWhole(RuntimeFilePath(programDirectory, type, fileName), destination)) {
    Tell("'" + destination.string() + "'\n\nFailed to copy the file.");
    return false;
  }
  return true;
}

}  // namespace zel::library
