#pragma once
// Which sections the project documentation prints: section "PRINT" of the project file,
// one "1" or "0" per key, and the single sections other windows print.

#include <optional>
#include <string>
#include <string_view>

#include "app/project/project_file.h"

namespace zel::print {

inline constexpr std::string_view kPrintSection = "PRINT";

struct PrintOptions {
  bool title = true;               // "TITLE"
  bool docText = true;             // "DOCTEXT": "Project.TXT"
  bool controllerSettings = true;  // "CTRLSETTINGS"
  bool projectTree = true;         // "PROJECTTREE"
  bool io = true;                  // "IO"
  bool drivers = true;             // "DRIVER"
  bool allocationList = true;      // "ALLOCATIONLIST"
  bool properties = true;          // "PROPERTIES"
  bool source = true;              // "SOURCE"
  bool log = true;                 // "LOG"
  bool crossReference = true;      // "XREF"
  bool metrics = false;            // "METRIC"
  bool operator==(const PrintOptions&) const = default;
};

PrintOptions ReadPrintOptions(const app::ProjectFile& project);
// Writes every key; false when the project file could not be written.
bool WritePrintOptions(app::ProjectFile& project, const PrintOptions& options);

// A section printed on its own, from another window.
enum class SingleSection { ProjectTree, AllocList, CrossRef, IoConfig, Drivers, Module };
struct SectionChoice {
  SingleSection section = SingleSection::ProjectTree;
  std::string moduleFileName;  // for Module: the file name as given
  bool operator==(const SectionChoice&) const = default;
};

// "ProjectTree", "AllocList", "CrossRef", "IOConfig", "Drivers", or a module file name of
// the form "CZ0" + kind letter + two digits + "V" + digit + ".AWL" (letters without
// regard to case); nullopt for anything else.
std::optional<SectionChoice> ParseSectionName(std::string_view name);

}  // namespace zel::print
