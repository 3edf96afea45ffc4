#pragma once
// Programs started with a command line: external tools, build commands, the desktop opener.

#include <filesystem>
#include <optional>
#include <string_view>

namespace zel::platform {

// A started process; waiting is optional, the child is never left a zombie.
class Process {
 public:
  Process() = default;
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  // The command line is split like a shell would split words (double quotes group,
  // no expansion). Returns an invalid Process when it cannot be started.
  static Process start(std::string_view commandLine, const std::filesystem::path& workingDir);
  bool valid() const { return m_pid > 0; }
  // Waits at most timeoutMs (negative: without limit); the exit code, or nullopt while
  // it still runs. A process ended by a signal reports 128 + the signal number.
  std::optional<int> wait(int timeoutMs = -1);

 private:
  int m_pid = -1;
  std::optional<int> m_exitCode;
};

}  // namespace zel::platform
