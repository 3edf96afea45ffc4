#pragma once
// The texts the archive work prints and shows, exactly as the user sees them. Patterns
// keep their printf form.

#include <string_view>

namespace zel::archive {

inline constexpr std::string_view kMsgCouldNotCreate = "ERROR: Could not create Project.ZIP.\r\n";
inline constexpr std::string_view kMsgCouldNotWrite = "ERROR: Could not write Project.ZIP.\r\n";
inline constexpr std::string_view kMsgNoProjectInArchive =
    "ERROR: Uploaded project.ZIP file does not contain an ZEL project.";
inline constexpr std::string_view kMsgCreateDirectoryFailed = "Failed to create project directory.";
inline constexpr const char* kMsgCreateFileFailed = "ERROR: Failed to create project file %s.";
inline constexpr const char* kMsgCreatingFailed = "ERROR: Creating a project failed. (%d)\r\n";
inline constexpr std::string_view kMsgRestoreFailed = "Failed to restore the project.";
inline constexpr std::string_view kMsgInvalidArchiveName =
    "\nInvalid file name.\nThe file must have the extension \".zip\".";

// What a hostile or broken archive gets instead of being unpacked.
inline constexpr const char* kMsgEntryLeaves =
    "ERROR: The archive entry %s would be written outside the project directory.\r\n";
inline constexpr const char* kMsgEntryNotPlain =
    "ERROR: The archive entry %s is a link or a device, not a file.\r\n";
inline constexpr const char* kMsgTooLarge =
    "ERROR: The archive unpacks to more than %llu bytes, more than a project may hold.\r\n";
inline constexpr const char* kMsgTooManyEntries =
    "ERROR: The archive holds more than %llu entries, more than a project may hold.\r\n";
inline constexpr const char* kMsgEntryOutsideRoot =
    "Skipped %s: it lies outside the folder that holds the project file.\r\n";
inline constexpr std::string_view kMsgProjectExistsAlready =
    "A directory with the same name already exists.";
inline constexpr std::string_view kMsgCancelled = "ERROR: Cancelled.\r\n";

}  // namespace zel::archive
