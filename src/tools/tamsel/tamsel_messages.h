#pragma once
// The texts the converter shows, in English or German after "LANGUAGE" in section
// "PREFERENCES" of the preferences file. Texts are Windows-1252 bytes, like every text
// the message box host is given.

#include <filesystem>
#include <string>
#include <string_view>

#include "tools/tamsel/screen_converter.h"

namespace zel::tamsel {

enum class Language { English, German };

enum class MessageId {
  FileNotFound,  // "%s": the file
  ParameterError,
  FileTooLarge,  // "%s": the file
  CannotRead,    // "%s": the file
  CannotCreate,  // "%s": the file
  DefinitionError,
};

inline constexpr std::string_view kCaption = "Tamsel";
inline constexpr std::string_view kPreferencesFile = "zel.ini";
// Printed on the console besides the message of a text placed below the display.
inline constexpr std::string_view kInvalidPositionNote = "invalid position ";

// "D" selects German, anything else (and a missing file or key) English.
Language ReadLanguage(const std::filesystem::path& workDir);

std::string_view MessageText(Language language, MessageId id);
// The message with the file name in place of its "%s".
std::string FileMessage(Language language, MessageId id, std::string_view fileName);
// What is wrong with a line, without the line number.
std::string FaultText(Language language, const ScreenFault& fault);
// "Error in screen definition file", then "Line N: " and what is wrong.
std::string DefinitionErrorText(Language language, const ConversionFailure& failure);

}  // namespace zel::tamsel
