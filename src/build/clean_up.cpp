#include "build/clean_up.h"

#include <set>
#include <string>

#include "app/project/project_file.h"
#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTitle = "\r\nZEL Project Cleanup\r\n\r\n";
constexpr std::string_view kNoProject = "ERROR: No project open\r\n";
constexpr std::string_view kDone = "\r\nRemoved intermediate files from project.\r\n\r\n\r\n\r\n";
// "Project.RUN.part" is a run file whose build was cut off before it could be renamed.
constexpr std::string_view kProjectProducts[] = {"Project.RUN",     "Download.RUN", "Update.RUN",
                                                 "Startup.BAT",     "Project.ZIP",  "XREF.txt",
                                                 "Project.RUN.part"};
constexpr std::string_view kModuleSuffixes[] = {".bak", ".int", ".log", ".xref"};

// Names in upper case, so any spelling on the disk finds its entry.
class NameSet {
 public:
  void insert(std::string_view name) { m_names.insert(platform::UpperAscii(name)); }
  bool contains(std::string_view name) const {
    return m_names.contains(platform::UpperAscii(name));
  }

 private:
  std::set<std::string> m_names;
};

// The names to delete for one module entry of "MODULES", when its source exists.
void AddModuleProducts(const fs::path& directory, std::string_view entry, NameSet& names) {
  const std::string file(entry.substr(0, entry.find(',')));
  if (file.size() < 4) return;
  const std::string_view extension = std::string_view(file).substr(file.size() - 4);
  if (!platform::EqualsNoCase(extension, ".awl") && !platform::EqualsNoCase(extension, ".kop"))
    return;
  // A name that could leave the project directory is not ours to delete.
  if (file.find_first_of("/\\") != std::string::npos) return;
  if (!platform::PathExistsNoCase(directory / file)) return;
  const std::string base = file.substr(0, file.find('.'));
  for (const std::string_view type : kCleanUpTypes)
    names.insert(base + "." + std::string(type) + ".OBJ");
  names.insert(file + ".bak");
  for (const std::string_view suffix : kModuleSuffixes) names.insert(base + std::string(suffix));
}

}  // namespace

bool CleanUpProject(const fs::path& projectsDirectory, std::string_view name, BuildLog& log) {
  log.print(kTitle);
  const fs::path directory = platform::ResolvePathNoCase(projectsDirectory / std::string(name));
  const app::ProjectFile project(platform::ResolvePathNoCase(directory / app::kProjectFileName));
  if (name.empty() || !project.exists()) {
    log.print(kNoProject);
    return false;
  }
  project.removeSection(app::kSectionDownload);
  NameSet names;
  for (const std::string_view product : kProjectProducts) names.insert(product);
  for (const std::string& entry :
       project.numberedValues(app::kSectionModules, app::kModuleKeyPrefix))
    AddModuleProducts(directory, entry, names);
  // One listing finds every spelling of every name.
  for (const platform::DirEntry& file : platform::ListDirectory(directory)) {
    if (!file.isDirectory && names.contains(file.name))
      platform::DeleteFileAt(directory / file.name);
  }
  log.print(kDone);
  return true;
}

}  // namespace zel::build
