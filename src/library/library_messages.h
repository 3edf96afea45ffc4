#pragma once
// The texts the run-time library and the driver configuration show, exactly as the user
// sees them. Patterns keep their printf form; app::FillText puts a "%s" in place.

#include <string_view>

namespace zel::library {

// Installing, removing and extracting driver scripts.
inline constexpr std::string_view kMsgNotADriverScript =
    "Skipping '%s'.\n\nNot an ZEL driver script (*.dmk)";
inline constexpr std::string_view kMsgDriverExists =
    "'%s'\n\nThis driver already exists.\nOverwrite?";
inline constexpr std::string_view kMsgTypeNotSupported =
    "Skipping '%s'.\n\nController type %s not supported by this driver.";
inline constexpr std::string_view kMsgCopyFailed = "'%s'\n\nFailed to copy the file.";
inline constexpr std::string_view kMsgDeleteFailed = "'%s'\n\nFailed to delete the file.";
inline constexpr std::string_view kMsgConfirmDeinstall =
    "'%s'\n\nDo you really want to delete this driver?";
inline constexpr std::string_view kMsgExtensionChanged =
    "Skipping '%s'.\n\nYou must not change the extension.";
inline constexpr std::string_view kMsgInvalidNeedFile = "'%s'\n\nInvalid replacements in NEEDFILE.";
// What this program refuses of a needed file that would reach outside the library.
inline constexpr std::string_view kMsgNeedFileSourceNotBare =
    "'%s'\n\nA needed file must be named without a directory.";
inline constexpr std::string_view kMsgNeedFileOutsideTree =
    "'%s'\n\nThe destination lies outside the program directory.";
inline constexpr std::string_view kMsgToolsNotWritten = "'%s'\n\nFailed to write the tools list.";
inline constexpr std::string_view kDriverScriptFilter = "ZEL Driver Scripts (*.dmk)|*.dmk||";

// The driver configuration.
inline constexpr std::string_view kMsgUnknownDriver = "'%s'\n\nUnknown Driver.";
inline constexpr std::string_view kMsgNoDriversInstalled = "No drivers installed!";
inline constexpr std::string_view kMsgSameDriverNumber =
    "'%s'\n\nDriver with same number already exists.";
inline constexpr std::string_view kMsgNoOptions = "There are no options for driver '%s'.";
inline constexpr std::string_view kMsgNothingSelected = "Nothing selected!";
inline constexpr std::string_view kMsgMinTextLength = "Please enter at least %d characters.";
inline constexpr std::string_view kMsgDecimalRange =
    "Please enter a decimal number in the range of [%s].";
inline constexpr std::string_view kMsgHexRange =
    "Please enter a hexadecimal number in the range of [%s].";
inline constexpr std::string_view kUnknownDriverDescription = "< unknown >";
inline constexpr std::string_view kDriverOptionsTitle = "Driver Options";
inline constexpr std::string_view kDriverSettingsTitle = "Driver Settings";
inline constexpr std::string_view kEntriesStatus = "%u Entries";

}  // namespace zel::library
