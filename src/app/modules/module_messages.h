#pragma once
// The texts the program and module commands show. Patterns keep their printf form so
// they read exactly as the user sees them; FillText puts the one "%s" in place.

#include <string>
#include <string_view>

#include "app/text/text_format.h"

namespace zel::app {

inline constexpr std::string_view kMsgModuleExists =
    "This program already exists.\nOverwrite the existing program?";
// These two have always shown the name with a closing quote only, unlike the texts of
// the project operations; scripts that watch for them match them as they are.
inline constexpr std::string_view kMsgSourceFileReused =
    "%s'\n\nThe file already exists and will be used for the new program.";
inline constexpr std::string_view kMsgFailedToCopyFile = "%s'\n\nFailed to copy the file.";
inline constexpr std::string_view kMsgFailedToCreateEmptyFile = "Failed to create empty file.";
inline constexpr std::string_view kMsgFailedToRenameFile = "'%s'\n\nFailed to rename the file.";
inline constexpr std::string_view kMsgRenameTargetExists =
    "'%s'\n\nThe file already exists. The program was not renamed.";
inline constexpr std::string_view kMsgConfirmDelete =
    "'%s'\nDo you really want to delete the program?";
inline constexpr std::string_view kMsgImportedCannotOpen =
    "Sorry, imported (i.e. compiled) modules cannot be opened.";
inline constexpr std::string_view kMsgSelectProgram = "Please select a program.";
inline constexpr std::string_view kMsgImportForType =
    "Please import this module for the current controller type";
inline constexpr std::string_view kMsgFailedToMoveDocFile =
    "'%s'\n\nFailed to move the documentation file. The documentation file was not changed.";

// The framework's standard texts for entries out of range.
std::string IntegerRangeMessage(int low, int high);  // "Please enter an integer between 0 and 63."
std::string MaxCharsMessage(std::size_t count);      // "Please enter no more than 255 characters."

}  // namespace zel::app
