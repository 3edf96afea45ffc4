#pragma once
// The texts the project operations show, exactly as the user sees them. Patterns keep
// their printf form; FillText puts the one "%s" in place.

#include <string>
#include <string_view>

#include "app/text/text_format.h"

namespace zel::app {

inline constexpr std::string_view kMsgEnterProjectName = "Please enter a project name.";
inline constexpr std::string_view kMsgProjectNameSpaces =
    "The  project name must not contain spaces.";
inline constexpr std::string_view kMsgProjectNameTooLong =
    "The project name must not be longer than 8 characters.";
inline constexpr std::string_view kMsgProjectNameInvalid =
    "The project name must be a valid directory name:\nno '/', '\\', control characters, "
    "'.' or '..'.";
inline constexpr std::string_view kMsgProjectExists =
    "A project with the same name already exists.";
inline constexpr std::string_view kMsgDirectoryExists =
    "A directory with the same name already exists.";
inline constexpr std::string_view kMsgCreateProjectDirFailed =
    "Failed to create project directory.";
inline constexpr std::string_view kMsgCreateDocFileFailed =
    "New project failed.\nCould not create project documentation file.";
inline constexpr std::string_view kMsgProjectOpenElsewhere =
    "Open project failed.\nThe project is already open in another ZEL session..";
// Said in the message window, not asked: nobody holds the project any longer.
inline constexpr std::string_view kMsgStaleExclusionTakenOver =
    "Project '%s': the lock left by a program that has ended was taken over.";
inline constexpr std::string_view kMsgCreateExclusionFailed =
    "Open project failed.\nCould not create special exclusion file.";
inline constexpr std::string_view kMsgWriteExclusionFailed =
    "Open project failed.\nCould not write to special exclusion file.";
inline constexpr std::string_view kMsgProjectNotFound =
    "Project not found in the current project directory.";
inline constexpr std::string_view kMsgRenameProjectDirFailed =
    "Failed to rename the project directory.";
inline constexpr std::string_view kMsgConfirmDeleteProject =
    "'%s'\n\nDo you really want to delete this project?";
inline constexpr std::string_view kMsgDeleteFileFailed = "'%s'\n\nFailed to delete the file.";
inline constexpr std::string_view kMsgCopyFileFailed = "'%s'\n\nFailed to copy the file.";
inline constexpr std::string_view kMsgUnknownControllerType =
    "'%s'\n\nThis is not a known controller type.";

// Shows `text` with an OK button through the platform's message box service.
void TellUser(std::string_view text);

}  // namespace zel::app
