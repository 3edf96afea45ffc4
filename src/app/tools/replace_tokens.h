#pragma once
// The replacement tokens of driver scripts and tool lines: a name between "<<<" and ">>>"
// stands for a directory, the controller type, the language or a communication value.
// Install mode knows only the first six tokens (what a library operation can know);
// full mode, used when a tool runs, knows them all.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zel::app {

inline constexpr std::string_view kTokenOpen = "<<<";
inline constexpr std::string_view kTokenClose = ">>>";
// A value that holds its own token would otherwise make the passes go on for ever.
inline constexpr int kMaxTokenPasses = 16;

enum class TokenMode { Install, Full };

// What the tokens stand for. An empty value means "not known": a text that uses such a
// token cannot be replaced (no project open for "<<<CURRENTPROJECT>>>", no type for
// "<<<TARGET>>>"), rather than silently becoming a different path.
struct TokenValues {
  std::filesystem::path programDirectory;  // "<<<ZELDIR>>>"
  std::string type;                        // "<<<TARGET>>>", and "<<<RUNTIMEDIR>>>" with it
  std::filesystem::path projectDirectory;  // "<<<ALLPROJECTS>>>"
  std::string projectName;  // "<<<CURRENTPROJECT>>>", "<<<#3>>>": none open when empty
  std::string comPort;      // "<<<COM_PORT>>>"
  long baudRate = 0;        // "<<<COM_BAUDRATE>>>"
};

// "RUNTIME." + type in the program directory, found without regard to case (the name to
// create when it does not exist yet).
std::filesystem::path RuntimeDirectory(const std::filesystem::path& programDirectory,
                                       std::string_view type);

// Replaces the tokens in passes until a pass replaces nothing. nullopt when "<<<" or
// ">>>" remain afterwards, when a token used has no value, or when the passes do not
// settle. A directory token directly followed by a backslash (a script written with the
// other platform's separator) is joined with "/".
std::optional<std::string> ReplaceTokens(std::string_view text, const TokenValues& values,
                                         TokenMode mode);

}  // namespace zel::app
