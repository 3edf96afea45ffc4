#include "platform/spawn.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <system_error>
#include <thread>

namespace zel::platform::detail {

namespace {

// Upper bound for the descriptor sweep when the kernel lacks close_range.
int DescriptorLimit() {
  struct rlimit limit {};
  if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return 65536;
  return static_cast<int>(std::min<rlim_t>(limit.rlim_cur, 65536));
}

// Everything here runs between fork and exec, so only async-signal-safe calls: the
// child must not inherit our sockets (a bound UDP port would stay busy while it runs).
[[noreturn]] void RunChild(const char* program, char* const* argv, const char* workingDir,
                           int errorPipe, int descriptorLimit) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  int error = 0;
  if (workingDir != nullptr && ::chdir(workingDir) != 0) {
    error = errno;
  } else {
#ifdef CLOSE_RANGE_CLOEXEC
    if (::close_range(3, ~0U, CLOSE_RANGE_CLOEXEC) != 0)
#endif
      for (int fd = 3; fd < descriptorLimit; ++fd) ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    ::execv(program, argv);
    error = errno;
  }
  while (::write(errorPipe, &error, sizeof error) < 0 && errno == EINTR) {
  }
  ::_exit(127);
}

int ReadChildError(int fd) {
  int error = 0;
  ssize_t n = 0;
  do {
    n = ::read(fd, &error, sizeof error);
  } while (n < 0 && errno == EINTR);
  return n == static_cast<ssize_t>(sizeof error) ? error : 0;
}

int DecodeStatus(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return kUnknownExitCode;
}

bool IsExecutableFile(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec) && ::access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view commandLine) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  bool quoted = false;
  for (const char c : commandLine) {
    if (c == '"') {
      quoted = !quoted;
      inWord = true;  // "" is an empty word of its own
    } else if (!quoted && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

std::optional<std::filesystem::path> FindExecutable(std::string_view name) {
  if (name.empty()) return std::nullopt;
  if (name.find('/') != std::string_view::npos) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(std::filesystem::path(name), ec);
    if (ec || !IsExecutableFile(path)) return std::nullopt;
    return path;
  }
  const char* env = std::getenv("PATH");
  const std::string_view search = env != nullptr ? env : "/usr/local/bin:/usr/bin:/bin";
  for (std::size_t pos = 0; pos <= search.size();) {
    std::size_t end = search.find(':', pos);
    if (end == std::string_view::npos) end = search.size();
    const std::string_view dir = search.substr(pos, end - pos);
    std::filesystem::path candidate =
        std::filesystem::path(dir.empty() ? "." : std::string(dir)) / std::string(name);
    if (IsExecutableFile(candidate)) return candidate;
    pos = end + 1;
  }
  return std::nullopt;
}

SpawnResult Spawn(const std::filesystem::path& program, const std::vector<std::string>& args,
                  const std::filesystem::path& workingDir) {
  // Everything the child needs is built before fork: it may not allocate.
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const char* dir = workingDir.empty() ? nullptr : workingDir.c_str();
  const int limit = DescriptorLimit();
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC) != 0) return {-1, errno};
  const pid_t pid = ::fork();
  if (pid == 0) RunChild(program.c_str(), argv.data(), dir, pipeFds[1], limit);
  const int forkError = errno;
  ::close(pipeFds[1]);
  if (pid < 0) {
    ::close(pipeFds[0]);
    return {-1, forkError};
  }
  // The pipe closes on a successful exec; otherwise it carries the child's errno.
  const int error = ReadChildError(pipeFds[0]);
  ::close(pipeFds[0]);
  if (error != 0) {
    WaitForExit(pid, -1);
    return {-1, error};
  }
  return {pid, 0};
}

std::optional<int> WaitForExit(int pid, int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  int pauseMs = 1;
  for (;;) {
    int status = 0;
    const pid_t result = ::waitpid(pid, &status, timeoutMs < 0 ? 0 : WNOHANG);
    if (result == pid) return DecodeStatus(status);
    if (result < 0 && errno == EINTR) continue;
    if (result < 0) return kUnknownExitCode;  // reaped elsewhere: the status is gone
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(std::min<long>(pauseMs, left.count())));
    pauseMs = std::min(pauseMs * 2, 20);
  }
}

void ReapInBackground(int pid) {
  // One small thread per abandoned child blocks in waitpid until the child ends. A
  // double fork would avoid the thread, but the child must stay ours so that wait() can
  // report its exit code; and a shared reaper loop over waitpid(-1) would steal the
  // status of children that other code (the GUI toolkit) waits for.
  try {
    std::thread([pid] { WaitForExit(pid, -1); }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: the child stays a zombie until the program ends.
  }
}

}  // namespace zel::platform::detail
