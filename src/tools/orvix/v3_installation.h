#pragma once
// Where things are before a conversion: the new program's project directory (from its
// preferences) and the version-3 projects with their list.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/orvix/v3_records.h"

namespace zel::orvix {

namespace fs = std::filesystem;

// "PROJECT_DIR" of the preferences in `programDirectory`, when that directory exists.
std::optional<fs::path> NewProjectDirectory(const fs::path& programDirectory);

// The directory that holds the version-3 projects, for the directory the user chose:
// the path in "konfig.kzc" when the chosen directory has one and it names an existing
// directory (version-3 paths are DOS paths: "\" is read as "/", and a relative one counts
// from the chosen directory); otherwise the chosen directory when it holds
// "kzcproj.zel", else its parent.
fs::path ProjectsDirectory(const fs::path& chosen);

// "kzcproj.zel" of the projects directory; nullopt when there is none or it cannot be
// read. Comments are converted to Windows-1252.
std::optional<std::vector<ProjectListEntry>> LoadProjectList(const fs::path& projectsDirectory);

}  // namespace zel::orvix
