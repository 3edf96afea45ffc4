#pragma once
// Starting and reaping child processes, shared by Process and OpenDocument.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::platform::detail {

// The exit code reported for a child that someone else reaped (its status is lost).
inline constexpr int kUnknownExitCode = -1;

// Words of a command line: blanks separate, double quotes group (and are dropped), no
// other character is special.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);
// `name` itself when it holds a "/" (relative names against our working directory),
// else the first executable of that name on PATH.
std::optional<std::filesystem::path> FindExecutable(std::string_view name);

struct SpawnResult {
  int pid = -1;   // > 0 when the program runs
  int error = 0;  // errno of the failed fork, chdir or exec
};
// Runs argv[0] (already a path) in `workingDir` (empty: ours). The child inherits
// standard input, output and error and nothing else.
SpawnResult Spawn(const std::filesystem::path& program, const std::vector<std::string>& args,
                  const std::filesystem::path& workingDir);

// Waits at most timeoutMs (negative: without limit); the exit code, 128 + signal for a
// child ended by a signal, nullopt while it runs.
std::optional<int> WaitForExit(int pid, int timeoutMs);
// Reaps a child we no longer wait for once it ends, so it never stays a zombie.
void ReapInBackground(int pid);

}  // namespace zel::platform::detail
