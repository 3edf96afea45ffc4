#pragma once
// The texts the converter shows. The first group are the texts of the wizard and its
// checks; the second are this edition's own reports, for what the old converter passed
// over in silence (failed copies, names that would lead outside the new project).

#include <string>
#include <string_view>

namespace zel::orvix {

inline constexpr std::string_view kCaption = "Orvix";
inline constexpr std::string_view kWizardTitle = "ZEL-KZC V3.x to V4 Converter";
inline constexpr std::string_view kPageFolderTitle =
    "ZEL 3 to 4 Converter - Select ZEL 3.x Project Directory";
inline constexpr std::string_view kPageProjectsTitle =
    "ZEL 3 to 4 Converter - Select one or more ZEL Projects";
inline constexpr std::string_view kSelectControllerTitle = "Select Controller";
inline constexpr std::string_view kAvailableTypesLabel = "Available Controller Types";

inline constexpr std::string_view kMsgNoVersion4 =
    "Cannot find the ZEL-KZC Version 4 Software.\nPlease run from the right Directory.";
inline constexpr std::string_view kMsgSameDirectories =
    "ZEL 3.x and ZEL 4 Directories cannot be same.";
inline constexpr std::string_view kMsgProjectExists = "Project exists yet.";
inline constexpr std::string_view kMsgCannotCreateDirectory =
    "Cannot create the Project Directory.";

inline constexpr std::string_view kCreatedPrefix = "Orvix: ";
inline constexpr std::string_view kUnknownUser = "UNKNOWN";
inline constexpr std::size_t kMaxSelectedProjects = 100;

// This edition's own texts; "%s" stands for a file or a name.
inline constexpr std::string_view kMsgCannotRead = "'%s'\n\nCannot read the file.";
inline constexpr std::string_view kMsgCannotWrite = "'%s'\n\nCannot write the file.";
inline constexpr std::string_view kMsgCannotCopy = "'%s'\n\nFailed to copy the file.";
inline constexpr std::string_view kMsgCannotPlace =
    "'%s'\n\nCannot move the converted project into place.";
inline constexpr std::string_view kMsgUnsafeName =
    "'%s'\n\nThis name holds a separator, \"..\" or a control character and is refused.";
inline constexpr std::string_view kMsgMissingModuleFile =
    "'%s'\n\nThe module's file is missing; the module is left out.";
inline constexpr std::string_view kMsgNameTaken =
    "'%s'\n\nNot copied: the converted project has a file of that name.";
inline constexpr std::string_view kMsgNoProjectList =
    "'%s'\n\nNo version-3 project list (kzcproj.zel) in this directory.";
inline constexpr std::string_view kMsgNotListed = "'%s'\n\nNo such project in the version-3 list.";
inline constexpr std::string_view kMsgTooManyProjects =
    "'%s'\n\nNot converted: at most 100 projects are converted at a time.";
inline constexpr std::string_view kMsgNoV3Project = "'%s'\n\nThe project's directory is missing.";
inline constexpr std::string_view kMsgCancelled = "Not converted: cancelled.";
inline constexpr std::string_view kMsgUnknownType = "'%s'\n\nUnknown controller type.";

// `pattern` with its "%s" replaced by `text`.
std::string Format(std::string_view pattern, std::string_view text);

}  // namespace zel::orvix
