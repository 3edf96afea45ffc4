#include "build/project_backup.h"

#include <cstdio>

#include "app/project/project_file.h"
#include "app/project/project_messages.h"
#include "archive/archive_writer.h"
#include "build/clean_up.h"
#include "build/run_file_records.h"
#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTitle = "\r\nZEL Project Backup\r\n\r\n";
constexpr const char* kBackedUp = "\r\nProject %s backed up as file %s\r\n\r\n\r\n\r\n";
constexpr std::string_view kExclusionExtension = "._pa";

bool IsExclusionFile(std::string_view name) {
  return name.size() >= kExclusionExtension.size() &&
         platform::EqualsNoCase(name.substr(name.size() - kExclusionExtension.size()),
                                kExclusionExtension);
}

}  // namespace

std::string ProjectArchiveComment(std::string_view projectName, std::string_view version) {
  return std::string(projectName) + "," + ProductVersionText(version);
}

std::vector<fs::path> BackupFiles(const fs::path& projectDirectory) {
  const DerivedFiles derived(projectDirectory);
  std::vector<fs::path> files;
  for (const platform::DirEntry& entry : platform::ListDirectory(projectDirectory)) {
    if (entry.isDirectory || IsExclusionFile(entry.name) || derived.contains(entry.name)) continue;
    files.push_back(projectDirectory / entry.name);
  }
  return files;
}

bool BackupProject(const BackupRequest& request, const archive::ArchiveReport& report) {
  report.say(kTitle);
  const fs::path directory =
      platform::ResolvePathNoCase(request.projectsDirectory / request.projectName);
  if (request.projectName.empty() ||
      !platform::PathExistsNoCase(directory / app::kProjectFileName)) {
    report.box(app::kMsgProjectNotFound);
    return false;
  }
  const archive::ArchiveResult result = archive::WriteProjectArchive(
      request.zipPath, BackupFiles(directory), directory,
      ProjectArchiveComment(request.projectName, request.productVersion),
      archive::ArchiveMode::GoOnAfterFailedEntry, report);
  if (!result.written) return false;
  char text[2048];
  std::snprintf(text, sizeof text, kBackedUp, request.projectName.c_str(),
                request.zipPath.string().c_str());
  report.say(text);
  return true;
}

}  // namespace zel::build
