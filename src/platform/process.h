#pragma once
// Programs started with a command line: external tools, build commands, the desktop opener.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
  // Starts `program` (a path, or a bare name looked up on PATH) with `args` as its
  // arguments, without a shell: no text of them is interpreted.
  static Process start(const std::string& program, const std::vector<std::string>& args,
                       const std::filesystem::path& workingDir);
  bool valid() const { return m_pid > 0; }
  // Waits at most timeoutMs (negative: without limit); the exit code, or nullopt while
  // it still runs. A process ended by a signal reports 128 + the signal number.
  std::optional<int> wait(int timeoutMs = -1);
  // Ends a process that still runs at once and reaps it (a command that hangs must not
  // outlive the job that waited for it); its exit code then reads 128 + SIGKILL.
  void kill();
  // Why an invalid Process could not start: the errno of the failed lookup, fork, chdir or
  // exec (ENOENT when the program was not found); 0 for a started one.
  int startError() const { return m_startError; }

 private:
  int m_pid = -1;
  int m_startError = 0;
  std::optional<int> m_exitCode;
};

}  // namespace zel::platform
