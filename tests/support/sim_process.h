#pragma once
// A program the tests talk to, the virtual controller kzcsim above all: started with pipes
// on stdin and stdout. Every wait is bounded; the program is killed if a test leaves it
// running.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace zel::test {

// The ports kzcsim bound, as it prints them with --print-ports (0: a port it could not bind).
struct SimPorts {
  int ci = 0;
  int tftp = 0;
};

class SimProcess {
 public:
  // `env` entries ("NAME=value") are set on top of this process's environment.
  SimProcess(const std::string& binary, const std::vector<std::string>& args,
             const std::vector<std::string>& env = {});
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool started() const { return m_pid > 0; }
  std::optional<std::string> ReadLine(int timeoutMs = 5000);
  // The "ci-port N" and "tftp-port N" lines, other lines skipped; nullopt when both have not
  // come within the time.
  std::optional<SimPorts> ReadPorts(int timeoutMs = 10000);
  void CloseStdin();
  void Signal(int signal);
  // The exit status (128 + signal when killed), nullopt when it still runs after the wait.
  std::optional<int> Wait(int timeoutMs = 5000);

 private:
  pid_t m_pid = -1;
  int m_stdin = -1;
  int m_stdout = -1;
  std::string m_buffer;
  std::optional<int> m_status;
};

}  // namespace zel::test
