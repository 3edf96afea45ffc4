#include "zelc/zelc_runner.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace zel::testing {

namespace fs = std::filesystem;

namespace {
std::atomic<int> g_counter{0};
}  // namespace

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

DemoWorkspace::DemoWorkspace() {
  m_dir = fs::temp_directory_path() /
          ("zelc-test-" + std::to_string(getpid()) + "-" + std::to_string(g_counter++));
  fs::remove_all(m_dir);
  fs::copy(ZEL_DEMO_DIR, m_dir, fs::copy_options::recursive);
}

DemoWorkspace::~DemoWorkspace() {
  std::error_code ec;
  fs::remove_all(m_dir, ec);
}

ZelcResult DemoWorkspace::run(const std::vector<std::string>& args) const {
  const fs::path outFile = m_dir.string() + ".out";
  const fs::path errFile = m_dir.string() + ".err";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
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
  int status = 0;
  waitpid(pid, &status, 0);
  ZelcResult result;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  result.out = ReadFile(outFile);
  result.err = ReadFile(errFile);
  fs::remove(outFile);
  fs::remove(errFile);
  return result;
}

}  // namespace zel::testing
