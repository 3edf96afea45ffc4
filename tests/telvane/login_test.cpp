// The login through StartLogin against the fake controller, windowless.

#include <gtest/gtest.h>

#include "support/scripted_answers.h"
#include "telvane/link_harness.h"

namespace zel::telvane::test {
namespace {

std::string Version() {
  char text[100] = {};
  std::int32_t number = -1;
  RemoteKernelVersion(text, &number);
  return std::string(text) + "/" + std::to_string(number);
}

std::string Text(std::int32_t (*getter)(char*)) {
  char text[100] = {};
  getter(text);
  return text;
}

TEST(Login, RightPasswordUnlocksAndFillsTheRemoteInformation) {
  ControllerScript script;
  script.password = "secret";
  FakeController controller(FakeController::Line::Udp, script);
  LinkHarness link;
  ASSERT_EQ(link.connectUdp(controller), 0);
  auto host = link.useLoginHost("secret");
  ASSERT_EQ(link.login(1), 1);
  EXPECT_EQ(Version(), "V2.25/537");
  EXPECT_EQ(Text(RemoteKernelPlatform), "RUD2");
  EXPECT_EQ(Text(RemoteKernelProject), "PLANT");
  EXPECT_EQ(Text(RemoteKernelRunFile), "PLANT.RUN");
  EXPECT_EQ(Text(LoginResult), "KOLVA KZC V2.25, RUD2, PLANT");
  EXPECT_EQ(RemoteProjectBuildDate(), 1234567u);
  EXPECT_EQ(PasswordUsed(), 1);
  EXPECT_EQ(IsLockedByPassword(), 0);
  EXPECT_EQ(RemoteCIState(), 0);
  EXPECT_EQ(IsActive(), 0);
  EXPECT_EQ(host->passwordAsks, 1);
  EXPECT_EQ(controller.count("LXsecret"), 1);
  EXPECT_EQ(host->states.back(), "Success");
  ASSERT_TRUE(link.waitReplies(1));
  EXPECT_EQ(link.replies[0].text, "KOLVA KZC V2.25, RUD2, PLANT");
  EXPECT_EQ(link.replies[0].tag, 0);
}

TEST(Login, ThreeWrongPasswordsWarnOnceAndLeaveTheControllerLocked) {
  ControllerScript script;
  script.password = "secret";
  FakeController controller(FakeController::Line::Udp, script);
  LinkHarness link;
  zel::test::ScriptedAnswers answers;
  ASSERT_EQ(link.connectUdp(controller), 0);
  auto host = link.useLoginHost("wrong");
  ASSERT_EQ(link.login(1), 1);
  EXPECT_EQ(host->passwordAsks, 3);
  EXPECT_EQ(controller.count("LXwrong"), 3);
  EXPECT_EQ(controller.count("LB"), 1);
  EXPECT_EQ(answers.texts(),
            std::vector<std::string>{"Password missing.\nNo Operands can be modified."});
  EXPECT_EQ(answers.shown().at(0).caption, "Telvane Warning");
  EXPECT_EQ(IsLockedByPassword(), 1);
  EXPECT_EQ(RemoteCIState(), 3);
  EXPECT_EQ(host->states.back(), "Success");
}

TEST(Login, APasswordWithACommaIsNeverSent) {
  ControllerScript script;
  script.password = "a,b";
  FakeController controller(FakeController::Line::Udp, script);
  LinkHarness link;
  zel::test::ScriptedAnswers answers;
  ASSERT_EQ(link.connectUdp(controller), 0);
  link.useLoginHost("a,b");
  ASSERT_EQ(link.login(1), 1);
  EXPECT_EQ(controller.count("LXa,b"), 0);
  EXPECT_EQ(IsLockedByPassword(), 1);
  EXPECT_EQ(answers.texts().size(), 1u);
}

TEST(Login, ForcingByFlagFrom225AndByPlatformBefore) {
  struct Case {
    const char* minor;
    const char* platform;
    unsigned flags;
    int canForce;
  } const cases[] = {
      {"24", "VM1X", 0x008, 1}, {"24", "VM1X", 0x108, 1}, {"24", "RUD2", 0x108, 0},
      {"25", "VM1X", 0x008, 0}, {"25", "RUD2", 0x108, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.minor) + " " + c.platform);
    ControllerScript script;
    script.minorVersion = c.minor;
    script.platform = c.platform;
    script.flags = c.flags;
    FakeController controller(FakeController::Line::Udp, script);
    LinkHarness link;
    ASSERT_EQ(link.connectUdp(controller), 0);
    link.useLoginHost(std::nullopt);
    ASSERT_EQ(link.login(1), 1);
    EXPECT_EQ(CanForceOperands(), c.canForce);
  }
}

TEST(Login, ABannerOfVersion215IsNotServed) {
  ControllerScript script;
  script.minorVersion = "15";
  FakeController controller(FakeController::Line::Udp, script);
  LinkHarness link;
  ASSERT_EQ(link.connectUdp(controller), 0);
  auto host = link.useLoginHost(std::nullopt);
  EXPECT_EQ(link.login(0), 0);
  EXPECT_EQ(Version(), "?/0");
  EXPECT_EQ(controller.count("L?"), 0);
  EXPECT_EQ(controller.count("\x14"), 30);  // six probes in each of five searches
  EXPECT_EQ(Text(LoginResult), "login failed\r\n");
  EXPECT_EQ(RemoteCIState(), 2);
}

TEST(Login, NoControllerEndsAfterFiveSearches) {
  FakeController silent(FakeController::Line::Udp, {});
  ControllerScript script;
  script.silent = {"\x14"};
  silent.setScript(script);
  LinkHarness link;
  ASSERT_EQ(link.connectUdp(silent), 0);
  auto host = link.useLoginHost(std::nullopt);
  EXPECT_EQ(link.login(0), 0);
  EXPECT_EQ(silent.count("\x14"), 30);
  EXPECT_EQ(Text(LoginResult), "login failed\r\n");
  ASSERT_TRUE(link.waitReplies(1));
  EXPECT_EQ(link.replies[0].text, "login failed\r\n");
  const std::vector<std::string> expected = {
      "Searching KZC Controller... (1)", "Searching KZC Controller... (2)",
      "Searching KZC Controller... (3)", "Searching KZC Controller... (4)"};
  std::vector<std::string> searches;
  for (const auto& state : host->states) {
    if (state.starts_with("Searching KZC Controller... (")) searches.push_back(state);
  }
  EXPECT_EQ(searches, expected);
  EXPECT_EQ(host->states.back(), "No KZC Controller found");
}

TEST(Login, WithoutAConnectionFailsAtOnce) {
  LinkHarness link;
  link.useLoginHost(std::nullopt);
  EXPECT_EQ(link.login(4), -1);
  EXPECT_EQ(Text(LoginResult), "login failed\r\n");
  EXPECT_FALSE(link.waitReplies(1, std::chrono::milliseconds(50)));  // flag 4: no message
}

}  // namespace
}  // namespace zel::telvane::test
