#include "archive/project_restore.h"

#include "app/project/project_file.h"
#include "app/project/project_messages.h"
#include "app/project/project_naming.h"
#include "archive/archive_messages.h"
#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::archive {

namespace fs = std::filesystem;

std::optional<std::string> CheckArchiveFileName(const fs::path& zipPath) {
  if (platform::EqualsNoCase(zipPath.extension().string(), ".zip")) return std::nullopt;
  return "'" + zipPath.string() + "'" + std::string(kMsgInvalidArchiveName);
}

std::string ProposedProjectName(const fs::path& zipPath) {
  return zipPath.stem().string();
}

std::optional<std::string_view> CheckRestoreName(const fs::path& projectsDirectory,
                                                 std::string_view name) {
  if (const auto refused = app::CheckNewProjectName(name)) return refused;
  const fs::path directory = projectsDirectory / std::string(name);
  if (platform::PathExistsNoCase(directory / app::kProjectFileName)) return app::kMsgProjectExists;
  if (platform::PathExistsNoCase(directory)) return app::kMsgDirectoryExists;
  return std::nullopt;
}

bool RestoreProject(const fs::path& projectsDirectory, std::string_view name,
                    const fs::path& zipPath, const ArchiveReport& report, UnpackLimits limits) {
  if (const auto refused = CheckArchiveFileName(zipPath)) {
    report.box(*refused);
    return false;
  }
  if (const auto refused = CheckRestoreName(projectsDirectory, name)) {
    report.box(*refused);
    return false;
  }
  if (CreateProjectFromArchive(projectsDirectory, name, zipPath, report, limits)) return true;
  report.box(kMsgRestoreFailed);
  return false;
}

}  // namespace zel::archive
