#include "support/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

extern char** environ;

namespace zel::test {

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

std::string NameOf(const std::string& entry) {
  return entry.substr(0, entry.find('='));
}

// This process's environment with `extra` set on top.
std::vector<std::string> Environment(const std::vector<std::string>& extra) {
  std::vector<std::string> entries;
  for (char** e = environ; *e; ++e) {
    const std::string entry(*e);
    bool replaced = false;
    for (const std::string& set : extra) replaced = replaced || NameOf(set) == NameOf(entry);
    if (!replaced) entries.push_back(entry);
  }
  entries.insert(entries.end(), extra.begin(), extra.end());
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> raw;
  for (std::string& text : texts) raw.push_back(text.data());
  raw.push_back(nullptr);
  return raw;
}

}  // namespace

// Spawned rather than forked: the suites that start it run Qt's threads, and nothing may
// allocate between fork and exec there.
SimProcess::SimProcess(const std::string& binary, const std::vector<std::string>& args,
                       const std::vector<std::string>& env) {
  int in[2];
  int out[2];
  if (::pipe2(in, O_CLOEXEC) != 0) return;
  if (::pipe2(out, O_CLOEXEC) != 0) {
    ::close(in[0]);
    ::close(in[1]);
    return;
  }
  std::vector<std::string> argv{binary};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<std::string> envp = Environment(env);
  std::vector<char*> rawArgv = Pointers(argv);
  std::vector<char*> rawEnvp = Pointers(envp);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  pid_t pid = -1;
  const int rc =
      ::posix_spawn(&pid, binary.c_str(), &actions, nullptr, rawArgv.data(), rawEnvp.data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(in[0]);
  ::close(out[1]);
  m_stdin = in[1];
  m_stdout = out[0];
  if (rc == 0) m_pid = pid;
}

SimProcess::~SimProcess() {
  if (m_pid > 0 && !m_status) {
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
  }
  if (m_stdin >= 0) ::close(m_stdin);
  if (m_stdout >= 0) ::close(m_stdout);
}

std::optional<SimPorts> SimProcess::ReadPorts(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::optional<int> ci;
  std::optional<int> tftp;
  while (!ci || !tftp) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return std::nullopt;
    const auto line = ReadLine(static_cast<int>(left));
    if (!line) return std::nullopt;
    if (line->starts_with("ci-port ")) ci = std::atoi(line->c_str() + 8);
    if (line->starts_with("tftp-port ")) tftp = std::atoi(line->c_str() + 10);
  }
  return SimPorts{*ci, *tftp};
}

std::optional<std::string> SimProcess::ReadLine(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const auto newline = m_buffer.find('\n');
    if (newline != std::string::npos) {
      std::string line = m_buffer.substr(0, newline);
      m_buffer.erase(0, newline + 1);
      return line;
    }
    pollfd fd{m_stdout, POLLIN, 0};
    if (::poll(&fd, 1, RemainingMs(deadline)) <= 0) return std::nullopt;
    char chunk[256];
    const ssize_t size = ::read(m_stdout, chunk, sizeof chunk);
    if (size <= 0) return std::nullopt;
    m_buffer.append(chunk, static_cast<std::size_t>(size));
  }
}

void SimProcess::CloseStdin() {
  if (m_stdin >= 0) ::close(m_stdin);
  m_stdin = -1;
}

void SimProcess::Signal(int signal) {
  if (m_pid > 0 && !m_status) ::kill(m_pid, signal);
}

std::optional<int> SimProcess::Wait(int timeoutMs) {
  if (m_status || m_pid <= 0) return m_status;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    int status = 0;
    if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
      m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return m_status;
    }
    if (RemainingMs(deadline) == 0) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace zel::test
