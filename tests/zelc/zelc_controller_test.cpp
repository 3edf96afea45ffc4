// zelc's controller commands end to end: the real access library beside zelc talking to the
// virtual controller over loopback UDP on ports the system picks.

#ifdef KZCSIM_BINARY

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "support/virtual_controller.h"
#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

// The virtual controller with its binary; UnusedPort for a controller that is not there.
class VirtualController : public test::VirtualController {
 public:
  explicit VirtualController(std::vector<std::string> options)
      : test::VirtualController(KZCSIM_BINARY, std::move(options)) {}
};

int UnusedPort() {
  return test::UnusedUdpPort();
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

TEST(ZelcControllerTest, TheOpenProjectsCommunicationSettingsWin) {
  DemoWorkspace workspace;
  // The demo's last project "DEMO" asks for a serial port that cannot be opened.
  const auto project = workspace.project("DEMO") / "Project.FW4";
  ASSERT_TRUE(platform::WriteProfileString(project, "PREFERENCES", "CI_METHOD", "0"));
  ASSERT_TRUE(platform::WriteProfileString(project, "PREFERENCES", "COM_CI_PORT", "COM9"));
  ASSERT_TRUE(
      platform::WriteProfileString(workspace.dir() / "ZEL.INI", "SERIAL", "COM9", "/nonexistent"));
  const auto result = workspace.run({"login"});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "ZEL: Telvane library could not open communication port.\n");
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
