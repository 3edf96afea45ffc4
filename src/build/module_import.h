#pragma once
// Importing a compiled module into the open project: the file is checked, copied over
// the object file of the project's controller type (through a temporary file), given its
// ".MFU" companion, recorded in the module's ".IMP" file and logged. A module of the
// same identity is reused when it is imported, replaced when it is not; nothing of it is
// removed before the new object file is safely in the project.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "app/modules/module.h"
#include "app/modules/module_entry.h"
#include "app/project/project_model.h"
#include "app/shell/shell_hooks.h"

namespace zel::build {

namespace fs = std::filesystem;

inline constexpr std::string_view kImportDialogTitle = "Import Module";
inline constexpr std::string_view kImportSection = "Import";
inline constexpr std::string_view kMsgImportCopyFailed = "%s'\n\nFailed to copy the file.";
inline constexpr std::string_view kMsgImportNotAModule =
    "'%s'\n\nThis file is not a compiled module. Nothing was imported.";
inline constexpr std::string_view kMsgImportNothingSelected = "Please do select something!";
inline constexpr std::string_view kLibraryImportTitle = "Import Module from Library";

// Asks for kind, number, version and comment (the dialog "Import Module"), preset with
// `preset`; nullopt when the user cancelled.
using AskImportEntry = std::function<std::optional<app::ModuleEntry>(const app::ModuleEntry&)>;

enum class ImportOutcome {
  Imported,
  Cancelled,
  NotAModule,  // refused before anything changed (the user was told)
  CopyFailed,  // the object file could not be written (the user was told)
};

struct ImportResult {
  ImportOutcome outcome = ImportOutcome::Cancelled;
  std::optional<app::ModuleRecord> module;  // the imported module when Imported
};

// The entry the dialog starts with: a CMP 0 version 1, the comment the file's name.
app::ModuleEntry ImportPreset(const fs::path& file);

// Imports `file` into the open project of `model`. `hooks` may be null.
ImportResult ImportModule(app::ProjectModel& model, app::ShellHooks* hooks, const fs::path& file,
                          const AskImportEntry& ask);

// "importing %s \r\n  %s\r\n" after the 24-character time of `now`.
std::string ImportLogText(std::int64_t now, std::string_view objectName,
                          const fs::path& importedFile);

// The companion list of `file`: the extension replaced by ".MFU", or appended when the
// name has none.
fs::path CompanionMfuPath(const fs::path& file);

// One compiled module the run-time library offers for import.
struct LibraryModule {
  std::string fileName;  // inside the run-time folder
  std::string description;
};

// The compiled modules (".OBJ" files that pass the validity test) in the run-time
// folder of `type`, sorted by name.
std::vector<LibraryModule> LibraryModules(const fs::path& programDirectory, std::string_view type);

}  // namespace zel::build
