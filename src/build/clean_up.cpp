#include "build/clean_up.h"

#include <string>

#include "app/modules/module.h"
#include "app/project/project_file.h"
#include "build/build_messages.h"
#include "build/project_build.h"
#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTitle = "\r\nZEL Project Cleanup\r\n\r\n";
constexpr std::string_view kDone = "\r\nRemoved intermediate files from project.\r\n\r\n\r\n\r\n";
// "Project.RUN.part" and "Project.ZIP.part" were cut off before they could be renamed.
constexpr std::string_view kProjectProducts[] = {"Project.RUN",    "Download.RUN",    "Update.RUN",
                                                 "Startup.BAT",    "Project.ZIP",     "XREF.txt",
                                                 kRunFileTempName, "Project.ZIP.part"};
constexpr std::string_view kModuleSuffixes[] = {".bak", ".int", ".log", ".xref"};

}  // namespace

DerivedFiles::DerivedFiles(const fs::path& directory) {
  for (const std::string_view product : kProjectProducts) insert(product);
  const app::ProjectFile project(platform::ResolvePathNoCase(directory / app::kProjectFileName));
  for (const std::string& entry :
       project.numberedValues(app::kSectionModules, app::kModuleKeyPrefix))
    addModule(directory, entry);
}

// Names in upper case, so any spelling on the disk finds its entry.
void DerivedFiles::insert(std::string_view name) {
  m_names.insert(platform::UpperAscii(name));
}

bool DerivedFiles::contains(std::string_view name) const {
  return m_names.contains(platform::UpperAscii(name));
}

// The names to delete for one module entry of "MODULES", when its source exists.
void DerivedFiles::addModule(const fs::path& directory, std::string_view entry) {
  const std::string file(entry.substr(0, entry.find(',')));
  const app::Language language = app::LanguageOfFileName(file);
  if (language != app::Language::Stl && language != app::Language::Ladder) return;
  // A name that could leave the project directory is not ours to delete.
  if (file.find_first_of("/\\") != std::string::npos) return;
  if (!platform::PathExistsNoCase(directory / file)) return;
  const std::string base = file.substr(0, file.find('.'));
  for (const std::string_view type : kCleanUpTypes) insert(base + "." + std::string(type) + ".OBJ");
  insert(file + ".bak");
  for (const std::string_view suffix : kModuleSuffixes) insert(base + std::string(suffix));
}

bool CleanUpProject(const fs::path& projectsDirectory, std::string_view name, BuildLog& log) {
  log.print(kTitle);
  const fs::path directory = platform::ResolvePathNoCase(projectsDirectory / std::string(name));
  const app::ProjectFile project(platform::ResolvePathNoCase(directory / app::kProjectFileName));
  if (name.empty() || !project.exists()) {
    log.print(kMsgNoProjectOpen);
    return false;
  }
  project.removeSection(app::kSectionDownload);
  const DerivedFiles names(directory);
  // One listing finds every spelling of every name.
  for (const platform::DirEntry& file : platform::ListDirectory(directory)) {
    if (!file.isDirectory && names.contains(file.name))
      platform::DeleteFileAt(directory / file.name);
  }
  log.print(kDone);
  return true;
}

}  // namespace zel::build
