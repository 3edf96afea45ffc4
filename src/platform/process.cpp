#include "platform/process.h"

#include <utility>

#include "platform/spawn.h"

namespace zel::platform {

namespace {

// A child still running when its Process goes is left running (a tool the user started
// may outlive the wait) but handed to a reaper, so it never lingers as a zombie.
void Abandon(int pid, const std::optional<int>& exitCode) {
  if (pid <= 0 || exitCode) return;
  if (detail::WaitForExit(pid, 0)) return;
  detail::ReapInBackground(pid);
}

}  // namespace

Process::Process(Process&& other) noexcept
    : m_pid(std::exchange(other.m_pid, -1)), m_exitCode(std::exchange(other.m_exitCode, {})) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Abandon(m_pid, m_exitCode);
    m_pid = std::exchange(other.m_pid, -1);
    m_exitCode = std::exchange(other.m_exitCode, {});
  }
  return *this;
}

Process::~Process() {
  Abandon(m_pid, m_exitCode);
}

Process Process::start(std::string_view commandLine, const std::filesystem::path& workingDir) {
  Process process;
  const std::vector<std::string> args = detail::SplitCommandLine(commandLine);
  if (args.empty()) return process;
  const std::optional<std::filesystem::path> program = detail::FindExecutable(args.front());
  if (!program) return process;
  process.m_pid = detail::Spawn(*program, args, workingDir).pid;
  return process;
}

std::optional<int> Process::wait(int timeoutMs) {
  if (m_exitCode || m_pid <= 0) return m_exitCode;
  m_exitCode = detail::WaitForExit(m_pid, timeoutMs);
  return m_exitCode;
}

}  // namespace zel::platform
