// The library through its exports against the real virtual controller, kzcsim, over
// loopback UDP on free ports and over its pseudo-terminal.

#include <gtest/gtest.h>
#include <signal.h>

#include <optional>
#include <string>
#include <vector>

#include "support/scripted_answers.h"
#include "support/sim_process.h"
#include "telvane/link_harness.h"

namespace zel::telvane::test {
namespace {

using zel::test::SimProcess;

std::optional<int> CiPort(SimProcess& sim) {
  const auto ports = sim.ReadPorts();
  return ports ? std::optional<int>(ports->ci) : std::nullopt;
}

std::vector<std::string> UdpArgs(std::vector<std::string> extra) {
  std::vector<std::string> args = {"--ci-port", "0", "--tftp-port", "0", "--print-ports"};
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

std::string Text(std::int32_t (*getter)(char*)) {
  char text[100] = {};
  getter(text);
  return text;
}

std::string Version() {
  char text[100] = {};
  std::int32_t number = 0;
  RemoteKernelVersion(text, &number);
  return std::string(text) + "/" + std::to_string(number);
}

TEST(KzcsimLink, LoginWithTheRightPasswordThenCommands) {
  SimProcess sim(KZCSIM_BINARY, UdpArgs({"--password", "pw", "--build-date", "4000000000"}));
  const auto port = CiPort(sim);
  ASSERT_TRUE(port);
  LinkHarness link;
  ASSERT_EQ(link.connectUdp(*port), 0);
  link.useLoginHost("pw");
  ASSERT_EQ(link.login(1), 1);
  EXPECT_EQ(Version(), "V2.25/537");
  EXPECT_EQ(Text(RemoteKernelPlatform), "VM2X");
  EXPECT_EQ(Text(RemoteKernelProject), "DEMO");
  EXPECT_EQ(Text(RemoteKernelRunFile), "DEMO.RUN");
  EXPECT_EQ(RemoteProjectBuildDate(), 4000000000u);
  EXPECT_EQ(PasswordUsed(), 1);
  EXPECT_EQ(IsLockedByPassword(), 0);
  EXPECT_EQ(RemoteCIState(), 0);
  ASSERT_TRUE(link.waitReplies(1));
  EXPECT_EQ(link.replies[0].text, "KOLVA KZC V2.25, VM2X, DEMO");
  link.replies.clear();

  ASSERT_EQ(link.send("MEW0=5", 1), 0);
  ASSERT_EQ(link.send("DEW0-", 2), 0);
  ASSERT_EQ(link.send("QQ", 3), 0);
  ASSERT_EQ(CICommand(link.owner(), 4, "LEA:\\CHKFFS.EXE /q /f", 5000, nullptr), 0);
  ASSERT_TRUE(link.waitReplies(4));
  EXPECT_EQ(link.replies[0].status, 0);
  EXPECT_EQ(link.replies[1].text.substr(0, 4), "=5=0");
  EXPECT_EQ(link.replies[2].status, 1);
  EXPECT_EQ(link.replies[2].text, " ");
  EXPECT_EQ(link.replies[3].status, 0);
  EXPECT_EQ(link.replies[3].text, "=0");  // "Executing", then "ReturnCode: 0"
  sim.Signal(SIGTERM);
}

TEST(KzcsimLink, ThreeWrongPasswordsLeaveItLocked) {
  SimProcess sim(KZCSIM_BINARY, UdpArgs({"--password", "pw"}));
  const auto port = CiPort(sim);
  ASSERT_TRUE(port);
  LinkHarness link;
  zel::test::ScriptedAnswers answers;
  ASSERT_EQ(link.connectUdp(*port), 0);
  auto host = link.useLoginHost("nope");
  ASSERT_EQ(link.login(5), 1);
  EXPECT_EQ(host->passwordAsks, 3);
  EXPECT_EQ(answers.texts(),
            std::vector<std::string>{"Password missing.\nNo Operands can be modified."});
  EXPECT_EQ(IsLockedByPassword(), 1);
  EXPECT_EQ(RemoteCIState(), 3);
  link.replies.clear();
  ASSERT_EQ(link.send("MEW0=5", 1), 0);  // a locked controller refuses changes
  ASSERT_TRUE(link.waitReplies(1));
  EXPECT_EQ(link.replies[0].status, 1);
}

TEST(KzcsimLink, ForcingByVersionAndPlatform) {
  struct Case {
    const char* version;
    const char* platform;
    int canForce;
  } const cases[] = {{"2.24", "VM2X", 1}, {"2.24", "RUD2", 0}, {"2.25", "RUD2", 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " " + c.platform);
    SimProcess sim(KZCSIM_BINARY, UdpArgs({"--version", c.version, "--platform", c.platform}));
    const auto port = CiPort(sim);
    ASSERT_TRUE(port);
    LinkHarness link;
    ASSERT_EQ(link.connectUdp(*port), 0);
    link.useLoginHost(std::nullopt);
    ASSERT_EQ(link.login(1), 1);
    EXPECT_EQ(CanForceOperands(), c.canForce);
  }
}

TEST(KzcsimLink, ABanner215EndsInLoginFailed) {
  SimProcess sim(KZCSIM_BINARY, UdpArgs({"--version", "2.15"}));
  const auto port = CiPort(sim);
  ASSERT_TRUE(port);
  LinkHarness link;
  ASSERT_EQ(link.connectUdp(*port), 0);
  link.useLoginHost(std::nullopt);
  EXPECT_EQ(link.login(0), 0);
  EXPECT_EQ(Version(), "?/0");
  EXPECT_EQ(Text(LoginResult), "login failed\r\n");
}

TEST(KzcsimLink, ElevenTimeOutsAfterItFallsSilentGiveOneConnectionLost) {
  SimProcess sim(KZCSIM_BINARY, UdpArgs({"--stop-after", "3"}));  // the probe, "L?" and "LB"
  const auto port = CiPort(sim);
  ASSERT_TRUE(port);
  LinkHarness link;
  ASSERT_EQ(link.connectUdp(*port), 0);
  link.useLoginHost(std::nullopt);
  ASSERT_EQ(link.login(5), 1);  // no result message
  for (int i = 0; i < 11; ++i) ASSERT_EQ(link.send("DF", i, 60), 0);
  ASSERT_TRUE(link.waitReplies(11));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(link.replies[i].status, 2) << i;
  EXPECT_EQ(link.replies[10].status, 4);
  EXPECT_EQ(link.replies[10].tag, 10);
}

TEST(KzcsimLink, ALateReplyIsNotTakenForTheNextCommand) {
  SimProcess sim(KZCSIM_BINARY, UdpArgs({"--delay-cmd", "DF", "--delay", "400"}));
  const auto port = CiPort(sim);
  ASSERT_TRUE(port);
  LinkHarness link;
  ASSERT_EQ(link.connectUdp(*port), 0);
  link.useLoginHost(std::nullopt);
  ASSERT_EQ(link.login(5), 1);
  ASSERT_EQ(link.send("DF", 1, 100), 0);
  ASSERT_EQ(link.send("LB", 2), 0);
  ASSERT_TRUE(link.waitReplies(2));
  EXPECT_EQ(link.replies[0].status, 2);
  EXPECT_EQ(link.replies[1].status, 0);
  EXPECT_EQ(link.replies[1].text, "=0");
}

TEST(KzcsimLink, SerialLoginSwitchesTheRateWithOrWithoutAnAnswer) {
  for (bool silent : {false, true}) {
    SCOPED_TRACE(silent ? "silent rate change" : "answered rate change");
    std::vector<std::string> args = {"--serial", "--baud", "9600", "--pace"};
    if (silent) args.push_back("--silent-rate-change");
    SimProcess sim(KZCSIM_BINARY, args);
    const auto path = sim.ReadLine();
    ASSERT_TRUE(path);
    LinkHarness link;
    ASSERT_EQ(link.connectSerial(*path, 57600), 0);
    auto host = link.useLoginHost(std::nullopt);
    ASSERT_EQ(link.login(5), 1);
    EXPECT_EQ(Text(RemoteKernelPlatform), "VM2X");
    EXPECT_EQ(host->states.at(host->states.size() - 3),
              silent ? "No KZC Controller found" : "Checking Controller...");
    // Paced at the line rate, this reply arrives over many reads.
    ASSERT_EQ(link.send("DEW0-", 7), 0);
    ASSERT_EQ(link.send("QQ", 8), 0);
    ASSERT_TRUE(link.waitReplies(2));
    EXPECT_EQ(link.replies[0].status, 0);
    EXPECT_EQ(link.replies[0].text, "=0=0=0=0=0=0=0=0=0=0=0=0=0=0=0=0");
    EXPECT_EQ(link.replies[1].status, 1);
  }
}

}  // namespace
}  // namespace zel::telvane::test
