#pragma once
// Backup: a whole project directory packed into a ZIP file of the user's choice. The
// project is not cleaned for it (that would delete the base of the next update and the
// "DOWNLOAD" section); the files Clean Up would delete are left out of the archive
// instead. Imported modules' object files, which hold their only code, go in.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "archive/archive_report.h"

namespace zel::build {

struct BackupRequest {
  std::filesystem::path projectsDirectory;
  std::string projectName;
  std::filesystem::path zipPath;
  std::string productVersion;  // for the archive's comment; empty gives "UNKNOWN"
};

// The files of `projectDirectory` a backup packs, sorted by name: every file but the
// exclusion file ("._pa") and the derived files; sub-folders are not entered.
// An archive's comment: the project name, ",", the program's version.
std::string ProjectArchiveComment(std::string_view projectName, std::string_view version);

std::vector<std::filesystem::path> BackupFiles(const std::filesystem::path& projectDirectory);

// Packs the project; true when the archive was written whole. Messages go to the message
// window, failures to error boxes; an older archive of the same name stays unless the new
// one is complete.
bool BackupProject(const BackupRequest& request, const archive::ArchiveReport& report);

}  // namespace zel::build
