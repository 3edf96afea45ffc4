#pragma once
// The driver configuration as the project documentation prints it: a heading, a table
// of the configured drivers and, per driver, its options with their stored values.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/project/project_file.h"
#include "library/driver_list.h"

namespace zel::library {

inline constexpr std::string_view kDriverDocHeading = "Driver Configuration";

// The lines (without line ends) for the project's drivers of `type`; the scripts are read
// from the run-time folder of `programDirectory`, `installed` names the installed ones.
std::vector<std::string> DriverDocumentationLines(const app::ProjectFile& project,
                                                  std::string_view type,
                                                  const DriverList& installed,
                                                  const std::filesystem::path& programDirectory);

}  // namespace zel::library
