#pragma once
// A driver taken into a build: what its script's "DRIVER" and "LINK_LOAD" sections say,
// every value replaced (driver_replacements.h). The build keeps at most kMaxDrivers of
// them, orders them (driver_order.h), runs their commands (driver_commands.h), and writes
// their start-up lines, files to load and files to link in that order.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "build/build_log.h"
#include "build/driver_replacements.h"
#include "build/runtime_mode.h"

namespace zel::build {

inline constexpr std::size_t kMaxDrivers = 10;
// The run file has two driver data records per driver.
inline constexpr std::size_t kMaxFilesToLink = 2;
inline constexpr std::size_t kMaxUsedDrivers = 10;
inline constexpr std::size_t kUsesTextMax = 511;

struct DriverCommand {
  std::string line;
  bool replaced = true;  // false: a token was left in it, so it must not run
};

struct FileToLoad {
  std::string remote;  // name on the controller, its first character the drive letter
  std::string local;   // path of the file here
};

struct DriverEntry {
  std::string name;  // as the project names it
  int number = library::kNoDriverNumber;
  std::string uses;                    // "USESDRIVER" as written
  std::vector<int> usedNumbers;        // resolved from `uses`
  std::vector<std::string> usedNames;  // the same drivers by name, for ordering
  std::vector<std::string> startupLines;
  std::vector<DriverCommand> commands;
  std::string commandErrorFile;  // where the commands describe their exit codes
  std::vector<std::string> filesToLink;
  std::vector<FileToLoad> filesToLoad;
  std::vector<std::string> saveSources;  // for the project's source archive
};

// Reads the script of `name` from the run-time library. Prints "include driver: " first;
// nullopt (an error counted) when the script is not there. Driver number 0 also sets the
// fieldbus part of `mode` from its settings (fieldbus_settings.h). Every finding is
// printed to `log`; a third file to link is taken and counted as an error.
std::optional<DriverEntry> IncludeDriver(std::string_view name, const DriverContext& context,
                                         RuntimeMode& mode, BuildLog& log);

// A "FILETOLOAD_%d" value: remote name, blanks or tabs, local path (the rest, trimmed).
// nullopt when either part is missing.
std::optional<FileToLoad> SplitFileToLoad(std::string_view line);

// The start-up lines as "Startup.BAT" takes them, each ended by CR LF.
std::string StartupText(const DriverEntry& driver);

}  // namespace zel::build
