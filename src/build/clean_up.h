#pragma once
// Clean Up: removes what earlier builds made (the run files, the start-up batch file, the
// archive, the cross reference, the "DOWNLOAD" section and each module's derived files),
// leaving the sources, the project file and the allocation list.

#include <filesystem>
#include <string_view>

#include "build/build_log.h"

namespace zel::build {

// The controller types whose object files a project may hold.
inline constexpr std::string_view kCleanUpTypes[] = {"VM1X", "VM2X", "RUD", "RUD2", "VM0X"};

// Cleans the project `name` in `projectsDirectory`; an empty name or a missing project
// file is reported as no project open. Derived files are found without regard to case
// (the compiler writes "CZ0P01V1.INT", older versions "cz0p01v1.int"). False when there
// was no project.
bool CleanUpProject(const std::filesystem::path& projectsDirectory, std::string_view name,
                    BuildLog& log);

}  // namespace zel::build
