#include "platform/process.h"

#include <signal.h>

#include <cerrno>
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
    : m_pid(std::exchange(other.m_pid, -1)),
      m_startError(std::exchange(other.m_startError, 0)),
      m_exitCode(std::exchange(other.m_exitCode, {})) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Abandon(m_pid, m_exitCode);
    m_pid = std::exchange(other.m_pid, -1);
    m_startError = std::exchange(other.m_startError, 0);
    m_exitCode = std::exchange(other.m_exitCode, {});
  }
  return *this;
}

Process::~Process() {
  Abandon(m_pid, m_exitCode);
}

Process Process::start(std::string_view commandLine, const std::filesystem::path& workingDir) {
  std::vector<std::string> args = detail::SplitCommandLine(commandLine);
  if (args.empty()) {
    Process process;
    process.m_startError = ENOENT;
    return process;
  }
  const std::string program = args.front();
  args.erase(args.begin());
  return start(program, args, workingDir);
}

Process Process::start(const std::string& program, const std::vector<std::string>& args,
                       const std::filesystem::path& workingDir) {
  Process process;
  const std::optional<std::filesystem::path> path = detail::FindExecutable(program);
  if (!path) {
    process.m_startError = ENOENT;
    return process;
  }
  std::vector<std::string> argv;
  argv.reserve(args.size() + 1);
  argv.push_back(program);
  argv.insert(argv.end(), args.begin(), args.end());
  const detail::SpawnResult spawned = detail::Spawn(*path, argv, workingDir);
  process.m_pid = spawned.pid;
  process.m_startError = spawned.pid > 0 ? 0 : (spawned.error != 0 ? spawned.error : ENOENT);
  return process;
}

std::optional<int> Process::wait(int timeoutMs) {
  if (m_exitCode || m_pid <= 0) return m_exitCode;
  m_exitCode = detail::WaitForExit(m_pid, timeoutMs);
  return m_exitCode;
}

void Process::kill() {
  if (m_exitCode || m_pid <= 0) return;
  ::kill(m_pid, SIGKILL);
  m_exitCode = detail::WaitForExit(m_pid, -1);
}

}  // namespace zel::platform
