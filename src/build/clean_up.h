#pragma once
// Clean Up: removes what earlier builds made (the run files, the start-up batch file, the
// archive, the cross reference, the "DOWNLOAD" section and each module's derived files),
// leaving the sources, the project file and the allocation list.

#include <filesystem>
#include <set>
#include <string>
#include <string_view>

#include "build/build_log.h"

namespace zel::build {

// The controller types whose object files a project may hold.
inline constexpr std::string_view kCleanUpTypes[] = {"VM1X", "VM2X", "RUD", "RUD2", "VM0X"};

// The names (in any case) of the files Clean Up deletes in a project directory: what a
// build makes again, and so what a backup leaves out.
class DerivedFiles {
 public:
  // Reads the module list of the project file in `directory`.
  explicit DerivedFiles(const std::filesystem::path& directory);
  bool contains(std::string_view name) const;

 private:
  void insert(std::string_view name);
  void addModule(const std::filesystem::path& directory, std::string_view entry);
  std::set<std::string> m_names;  // upper case
};

// Cleans the project `name` in `projectsDirectory`; an empty name or a missing project
// file is reported as no project open. Derived files are found without regard to case
// (the compiler writes "CZ0P01V1.INT", older versions "cz0p01v1.int"). False when there
// was no project.
bool CleanUpProject(const std::filesystem::path& projectsDirectory, std::string_view name,
                    BuildLog& log);

}  // namespace zel::build
