#pragma once
// What the "Program Properties" sheet tells about a module besides its entry: the
// source file's path, size and date, when it was last compiled for the project's
// controller type, its language, and the compile log.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/modules/module.h"
#include "app/project/project_model.h"

namespace zel::app {

struct ModuleFileFacts {
  fs::path source;                         // as found on disk, else the name it should have
  std::optional<std::uint64_t> size;       // of the source
  std::optional<std::int64_t> sourceTime;  // time base of platform::FileTime
  fs::path object;                         // for the project's controller type
  std::optional<std::int64_t> objectTime;  // absent when there is no object file
};

ModuleFileFacts ReadModuleFileFacts(const ProjectModel& model, const ModuleRecord& module);

// "File:\t\t%s\nSize:\t\t%d Bytes\nDate:\t\t%s\n\nLast Compiled:\t%s"; absent dates are
// empty, an absent source has size 0.
std::string GeneralInfoText(const ModuleFileFacts& facts);

// The language an imported module's object file declares (its header is read by the
// module import); given the object file's path.
using CompiledLanguageText = std::function<std::string(const fs::path& objectFile)>;

// "Language:\t%s": "STL" or "LDR" for sources; for an imported module the language of
// its object file, or the request to import it when there is none for this type.
std::string LanguageInfoText(const ModuleRecord& module, const ModuleFileFacts& facts,
                             const CompiledLanguageText& compiledLanguage);

// The sheet's whole information text: the general text, a line end, the language text.
// The documentation print-out prints the same text.
std::string PropertiesInfoText(const ModuleRecord& module, const ModuleFileFacts& facts,
                               const CompiledLanguageText& compiledLanguage);

// The module's compile log for the "Log File" page; nullopt when it has none.
std::optional<std::string> ReadModuleLog(const ProjectModel& model, const ModuleRecord& module);

}  // namespace zel::app
