#include "zelc/zelc_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <stdexcept>
#include <thread>

namespace zel::testing {

namespace fs = std::filesystem;

DemoWorkspace::DemoWorkspace() : m_dir(m_temp / "workspace") {
  fs::copy(ZEL_DEMO_DIR, m_dir, fs::copy_options::recursive);
}

ZelcResult DemoWorkspace::run(const std::vector<std::string>& args, const fs::path& input) const {
  const fs::path outFile = m_temp / "zelc.out";
  const fs::path errFile = m_temp / "zelc.err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::vector<std::string> argv{ZELC_BINARY, "--workdir", m_dir.string()};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> raw;
  for (auto& a : argv) raw.push_back(a.data());
  raw.push_back(nullptr);
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, ZELC_BINARY, &actions, nullptr, raw.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start zelc");
  // A zelc that hangs is killed, so a fault shows as a failed test, never a stuck suite.
  int status = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(100);
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ZelcResult result;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadFile(outFile);
  result.err = ReadFile(errFile);
  return result;
}

}  // namespace zel::testing
