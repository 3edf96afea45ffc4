// zelc's controller commands end to end: the real access library beside zelc talking to the
// virtual controller over loopback UDP on ports the system picks.

#ifdef KZCSIM_BINARY

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

// One virtual controller on free loopback ports; it ends with the test (its stdin is our
// pipe, and it is stopped on destruction).
class VirtualController {
 public:
  explicit VirtualController(std::vector<std::string> options) {
    int out[2];
    int in[2];
    if (pipe(out) != 0 || pipe(in) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, in[1]);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::vector<std::string> argv{KZCSIM_BINARY,   "--ci-port",    "0", "--tftp-port", "0",
                                  "--print-ports", "--watch-stdin"};
    argv.insert(argv.end(), options.begin(), options.end());
    std::vector<char*> raw;
    for (auto& a : argv) raw.push_back(a.data());
    raw.push_back(nullptr);
    const int rc = posix_spawn(&m_pid, KZCSIM_BINARY, &actions, nullptr, raw.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    m_stdin = in[1];
    if (rc != 0) {
      m_pid = 0;
      close(out[0]);
      return;
    }
    readPorts(out[0]);
    close(out[0]);
  }
  ~VirtualController() {
    if (m_stdin >= 0) close(m_stdin);
    if (m_pid > 0) {
      kill(m_pid, SIGTERM);
      waitpid(m_pid, nullptr, 0);
    }
  }
  bool running() const { return m_ciPort > 0; }
  // Points the library of every zelc started afterwards at this controller.
  void select() const {
    setenv("ZEL_CI_PORT", std::to_string(m_ciPort).c_str(), 1);
    setenv("ZEL_TFTP_PORT", std::to_string(m_tftpPort).c_str(), 1);
  }

 private:
  // "ci-port N" and "tftp-port N", within a few seconds.
  void readPorts(int fd) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (text.find("tftp-port") == std::string::npos ||
           text.find('\n', text.find("tftp-port")) == std::string::npos) {
      if (std::chrono::steady_clock::now() > deadline) return;
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 100) <= 0) continue;
      char buffer[256];
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n <= 0) return;
      text.append(buffer, static_cast<std::size_t>(n));
    }
    m_ciPort = std::atoi(text.c_str() + text.find("ci-port") + 8);
    m_tftpPort = std::atoi(text.c_str() + text.find("tftp-port") + 10);
  }

  pid_t m_pid = 0;
  int m_stdin = -1;
  int m_ciPort = 0;
  int m_tftpPort = 0;
};

// A loopback port nobody listens on (bound and released again).
int UnusedPort() {
  const int s = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  close(s);
  return ntohs(address.sin_port);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

// The demo's preferences connect to "TCPIP 127.0.0.1": the tests use them as they are.
TEST(ZelcControllerTest, LoginShowsTheControllersIdentity) {
  VirtualController controller(
      {"--platform", "VM1X", "--version", "2.24", "--build-date", "123456"});
  ASSERT_TRUE(controller.running());
  controller.select();
  DemoWorkspace workspace;
  const auto result = workspace.run({"login"});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(Lines(result.out),
            (std::vector<std::string>{"KOLVA KZC V2.24, VM1X, DEMO", "Target Controller\tVM1X",
                                      "Kernel Version\tV2.24", "Loaded Project\tDEMO",
                                      "Run File\tDEMO.RUN", "Project Build Date\t123456",
                                      "Locked\tno", "Forcing\tyes"}));
}

TEST(ZelcControllerTest, PasswordFromOptionOrEnvironmentUnlocks) {
  VirtualController controller({"--password", "secret"});
  ASSERT_TRUE(controller.running());
  controller.select();
  DemoWorkspace workspace;
  const auto right = workspace.run({"login", "--password", "secret"});
  EXPECT_EQ(right.status, 0) << right.err;
  EXPECT_NE(right.out.find("Locked\tno\n"), std::string::npos) << right.out;
  EXPECT_EQ(right.err, "");

  setenv("ZEL_PASSWORD", "secret", 1);
  const auto fromEnvironment = workspace.run({"login"});
  unsetenv("ZEL_PASSWORD");
  EXPECT_NE(fromEnvironment.out.find("Locked\tno\n"), std::string::npos) << fromEnvironment.out;
}

TEST(ZelcControllerTest, ThreeWrongPasswordsWarnOnceAndLeaveTheControllerLocked) {
  // A controller of its own: an earlier right password would have unlocked it.
  VirtualController controller({"--password", "secret"});
  ASSERT_TRUE(controller.running());
  controller.select();
  DemoWorkspace workspace;
  const auto wrong = workspace.run({"login", "--password", "wrong"});
  EXPECT_EQ(wrong.status, 0) << wrong.err;
  EXPECT_NE(wrong.out.find("Locked\tyes\n"), std::string::npos) << wrong.out;
  EXPECT_EQ(wrong.err, "Telvane Warning: Password missing.\nNo Operands can be modified.\n");
}

TEST(ZelcControllerTest, CiPrintsEachReplyAndFailsAtAnErrorReply) {
  VirtualController controller({});
  ASSERT_TRUE(controller.running());
  controller.select();
  DemoWorkspace workspace;
  const auto ok = workspace.run({"ci", "MR3=-7", "DR3-", "DF"});
  EXPECT_EQ(ok.status, 0) << ok.err;
  const auto lines = Lines(ok.out);
  ASSERT_EQ(lines.size(), 3u) << ok.out;
  EXPECT_EQ(lines[1].substr(0, 7), "=65529=");
  EXPECT_EQ(lines[2], "=0,0,0,");

  // The controller answers what it does not know with BEL: status 1, and no later command.
  const auto error = workspace.run({"ci", "DF", "NOSUCHCOMMAND", "DF"});
  EXPECT_EQ(error.status, 1);
  EXPECT_EQ(Lines(error.out), (std::vector<std::string>{"=0,0,0,", "<access error>"}));
}

TEST(ZelcControllerTest, TerminalSendsEachLineAndPrintsTheReplies) {
  VirtualController controller({});
  ASSERT_TRUE(controller.running());
  controller.select();
  DemoWorkspace workspace;
  test::TempDir input;
  input.writeFile("in.txt", "MR1=5\n\nDR1-\nXX\n");
  const auto result = workspace.run({"terminal"}, input / "in.txt");
  EXPECT_EQ(result.status, 0) << result.err;
  const auto lines = Lines(result.out);
  ASSERT_EQ(lines.size(), 3u) << result.out;
  EXPECT_EQ(lines[1].substr(0, 3), "=5=");
  EXPECT_EQ(lines[2], "<access error>");
}

TEST(ZelcControllerTest, ATimeOutFailsTheCommand) {
  VirtualController controller({"--drop-cmd", "DF"});
  ASSERT_TRUE(controller.running());
  controller.select();
  DemoWorkspace workspace;
  const auto result = workspace.run({"ci", "--timeout", "300", "DF"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "<timeout>\n");
}

TEST(ZelcControllerTest, TheTraceFileHoldsEveryByte) {
  VirtualController controller({});
  ASSERT_TRUE(controller.running());
  controller.select();
  DemoWorkspace workspace;
  test::TempDir dir;
  const auto result = workspace.run({"--trace", (dir / "trace.log").string(), "ci", "DF"});
  EXPECT_EQ(result.status, 0) << result.err;
  const std::string trace = dir.readFile("trace.log");
  EXPECT_NE(trace.find("SEND udp-ci 2 bytes"), std::string::npos) << trace;
  EXPECT_NE(trace.find("RECV"), std::string::npos);
}

TEST(ZelcControllerTest, NoControllerEndsInLoginFailed) {
  setenv("ZEL_CI_PORT", std::to_string(UnusedPort()).c_str(), 1);
  setenv("ZEL_TFTP_PORT", std::to_string(UnusedPort()).c_str(), 1);
  DemoWorkspace workspace;
  const auto result = workspace.run({"ci", "DF"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "ZEL: login failed\n");
}

}  // namespace
}  // namespace zel::testing

#endif  // KZCSIM_BINARY
