#pragma once
// Restore: a new project made from a backup archive the user picked, under a name the
// user gave. The checks the dialogs make are here, so every front end makes the same.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "archive/archive_report.h"
#include "archive/project_from_archive.h"

namespace zel::archive {

// The error box text for an archive whose name does not end in ".zip" (in any case);
// nullopt when it will do.
std::optional<std::string> CheckArchiveFileName(const std::filesystem::path& zipPath);

// The name the restore proposes: the archive's file name without its extension.
std::string ProposedProjectName(const std::filesystem::path& zipPath);

// The message that refuses `name` for the restored project, nullopt when it will do: the
// new project name checks, then a project or a directory of that name.
std::optional<std::string_view> CheckRestoreName(const std::filesystem::path& projectsDirectory,
                                                 std::string_view name);

// Checks the archive's name and the project name (each refusal in an error box) and
// creates the project; "Failed to restore the project." when the archive could not be
// made into one. True when the new project is in place.
bool RestoreProject(const std::filesystem::path& projectsDirectory, std::string_view name,
                    const std::filesystem::path& zipPath, const ArchiveReport& report,
                    UnpackLimits limits = {});

}  // namespace zel::archive
