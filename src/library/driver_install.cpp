#include "library/driver_install.h"

#include <system_error>
#include <vector>

#include "app/preferences/preferences.h"
#include "app/text/text_format.h"
#include "app/tools/tool_merge.h"
#include "app/tools/tool_record.h"
#include "library/driver_list.h"
#include "library/library_messages.h"
#include "library/need_files.h"
#include "library/runtime_folder.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/no_case.h"

namespace zel::library {

namespace {

using platform::Answer;
using platform::Buttons;
using platform::Icon;

void Tell(std::string_view pattern, std::string_view text, Icon icon = Icon::Warning) {
  platform::ShowMessageBox(app::FillText(pattern, text), Buttons::Ok, icon);
}

bool HasScriptExtension(const fs::path& file) {
  return platform::EqualsNoCase(file.extension().string(), kDriverScriptExtension);
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error) && !error;
}

fs::path PreferencesFile(const LibraryPlace& place) {
  return app::Preferences(place.programDirectory).file();
}

bool EnsureDirectory(const fs::path& dir) {
  std::error_code error;
  fs::create_directories(dir, error);
  return platform::IsDirectoryNoCase(dir);
}

// Copies into `dir` under `name`, creating the folder when needed; tells the user of a
// failure naming `shown`.
bool CopyInto(const fs::path& from, const fs::path& dir, const std::string& name,
              const fs::path& shown) {
  if (EnsureDirectory(dir) && CopyFileAtomically(from, platform::ResolvePathNoCase(dir / name))) {
    return true;
  }
  Tell(kMsgCopyFailed, shown.string());
  return false;
}

// Every needed file the other installed scripts of the type name, to keep on deinstall.
std::vector<fs::path> FilesOtherScriptsNeed(std::string_view name, const LibraryPlace& place) {
  std::vector<fs::path> needed;
  DriverList others;
  others.load(place.programDirectory, place.type);
  const auto tokens = TokenValuesFor(place);
  for (const auto& other : others.drivers()) {
    if (platform::EqualsNoCase(other.name, name)) continue;
    const auto script =
        DriverScript::load(DriverScriptPath(place.programDirectory, place.type, other.name));
    if (!script) continue;
    for (const auto& file : ReadNeedFiles(*script, tokens, false).files) {
      needed.push_back(file.target());
    }
  }
  return needed;
}

bool NeededByOthers(const fs::path& file, const std::vector<fs::path>& others) {
  for (const auto& other : others) {
    if (SameFile(file, other)) return true;
  }
  return false;
}

// A pattern with two "%s": each filled in turn, the first text never searched again.
std::string FillTwo(std::string_view pattern, std::string_view first, std::string_view second) {
  std::string text(pattern);
  std::size_t at = text.find("%s");
  if (at == std::string::npos) return text;
  text.replace(at, 2, first);
  at = text.find("%s", at + first.size());
  if (at != std::string::npos) text.replace(at, 2, second);
  return text;
}

}  // namespace

app::TokenValues TokenValuesFor(const LibraryPlace& place) {
  app::TokenValues values;
  // Absolute, so a destination made of a token does not count from the program directory
  // a second time.
  std::error_code error;
  values.programDirectory = fs::absolute(place.programDirectory, error);
  if (error) values.programDirectory = place.programDirectory;
  values.type = place.type;
  values.projectDirectory = place.projectDirectory;
  values.projectName = place.openProject;
  return values;
}

bool CopyFileAtomically(const fs::path& from, const fs::path& to) {
  if (SameFile(from, to)) return true;
  const auto data = platform::ReadWholeFile(from);
  return data && platform::WriteFileAtomically(to, *data);
}

LibraryResult InstallDriver(const fs::path& scriptFile, const LibraryPlace& place) {
  const std::string shown = scriptFile.string();
  if (!HasScriptExtension(scriptFile)) {
    Tell(kMsgNotADriverScript, shown);
    return LibraryResult::Skipped;
  }
  const auto script = DriverScript::load(scriptFile);
  if (!script) {
    Tell(kMsgCopyFailed, shown);
    return LibraryResult::Failed;
  }
  const fs::path installed = DriverScriptPath(place.programDirectory, place.type, script->name());
  const bool exists = platform::PathExistsNoCase(installed);
  if (exists && platform::ShowMessageBox(app::FillText(kMsgDriverExists, script->name()),
                                         Buttons::YesNo, Icon::Question) != Answer::Yes) {
    return LibraryResult::Skipped;
  }
  if (!TargetSupports(script->targets(), place.type)) {
    platform::ShowMessageBox(FillTwo(kMsgTypeNotSupported, shown, place.type), Buttons::Ok,
                             Icon::Warning);
    return LibraryResult::Skipped;
  }
  const NeedFiles needed = ReadNeedFiles(*script, TokenValuesFor(place), true);
  if (needed.refused) return LibraryResult::Failed;
  const fs::path sourceDir = scriptFile.parent_path();
  for (const auto& file : needed.files) {
    const fs::path source = platform::ResolvePathNoCase(sourceDir / file.source);
    if (SameFile(source, scriptFile)) continue;
    if (!CopyInto(source, file.destination, file.source, source)) return LibraryResult::Failed;
  }
  const fs::path runtime = RuntimeDirectory(place.programDirectory, place.type);
  // A new script keeps the name it was chosen by; one already there keeps its spelling.
  const fs::path name = exists ? installed.filename() : scriptFile.filename();
  if (!CopyInto(scriptFile, runtime, name.string(), scriptFile)) {
    return LibraryResult::Failed;
  }
  if (!app::MergeToolsInto(PreferencesFile(place), app::ReadTools(scriptFile))) {
    Tell(kMsgToolsNotWritten, PreferencesFile(place).string());
    return LibraryResult::Failed;
  }
  return LibraryResult::Done;
}

LibraryResult DeinstallDriver(std::string_view name, const LibraryPlace& place) {
  if (platform::ShowMessageBox(app::FillText(kMsgConfirmDeinstall, name), Buttons::YesNo,
                               Icon::Question) != Answer::Yes) {
    return LibraryResult::Cancelled;
  }
  const fs::path scriptFile = DriverScriptPath(place.programDirectory, place.type, name);
  const auto script = DriverScript::load(scriptFile);
  if (script) {
    const auto others = FilesOtherScriptsNeed(name, place);
    for (const auto& file : ReadNeedFiles(*script, TokenValuesFor(place), true).files) {
      const auto target = platform::FindPathNoCase(file.target());
      // A file already gone is no failure: the aim was that it is not there.
      if (!target || SameFile(*target, scriptFile) || NeededByOthers(*target, others)) continue;
      if (!platform::DeleteFileAt(*target)) Tell(kMsgDeleteFailed, target->string());
    }
    if (!app::RemoveSameToolsFrom(PreferencesFile(place), app::ReadTools(scriptFile))) {
      Tell(kMsgToolsNotWritten, PreferencesFile(place).string());
    }
  }
  if (!platform::DeleteFileAt(scriptFile)) {
    Tell(kMsgDeleteFailed, scriptFile.string());
    return LibraryResult::Failed;
  }
  return LibraryResult::Done;
}

LibraryResult ExtractDriver(std::string_view name, const fs::path& destination,
                            const LibraryPlace& place) {
  if (!HasScriptExtension(destination)) {
    Tell(kMsgExtensionChanged, destination.string());
    return LibraryResult::Skipped;
  }
  const fs::path scriptFile = DriverScriptPath(place.programDirectory, place.type, name);
  const auto script = DriverScript::load(scriptFile);
  if (!script) {
    Tell(kMsgCopyFailed, scriptFile.string());
    return LibraryResult::Failed;
  }
  const NeedFiles needed = ReadNeedFiles(*script, TokenValuesFor(place), true);
  if (needed.refused) return LibraryResult::Failed;
  const fs::path targetDir =
      destination.parent_path().empty() ? fs::path(".") : destination.parent_path();
  for (const auto& file : needed.files) {
    const fs::path source = platform::ResolvePathNoCase(file.target());
    if (SameFile(source, scriptFile)) continue;
    if (!CopyInto(source, targetDir, file.source, source)) return LibraryResult::Failed;
  }
  if (!CopyInto(scriptFile, targetDir, destination.filename().string(), scriptFile)) {
    return LibraryResult::Failed;
  }
  return LibraryResult::Done;
}

}  // namespace zel::library
