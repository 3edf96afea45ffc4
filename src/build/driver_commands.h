#pragma once
// Drivers prepare their data before it is linked by running the commands of their scripts
// ("EXECBEFORELINK_%d"): each line is one program with its arguments, started without a
// shell (double quotes group words, nothing else is special) and waited for.

#include <chrono>
#include <filesystem>
#include <functional>
#include <vector>

#include "build/build_log.h"
#include "build/driver_entry.h"

namespace zel::build {

// A command still running after this long is taken for hung: the build must end.
inline constexpr std::chrono::milliseconds kDriverCommandTimeLimit{120'000};

struct DriverCommandOptions {
  std::filesystem::path workingDirectory;  // empty: the program's own
  std::chrono::milliseconds timeLimit = kDriverCommandTimeLimit;
  std::function<void()> errorTone;  // sounded on a failed command; none when empty
};

// Runs every command of every driver, in table order. A command that cannot start, ends
// with a code other than 0, or outlives the time limit (it is then stopped) is an error;
// an exit code the driver's error file describes adds the description. A line whose
// replacement failed is reported and not run. The next command runs in any case.
void RunDriverCommands(const std::vector<DriverEntry>& drivers, const DriverCommandOptions& options,
                       BuildLog& log);

}  // namespace zel::build
