// The library over a pseudo-terminal: the serial framing, the rate change of the login and
// the line discipline.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "support/temp_dir.h"
#include "telvane/link_harness.h"

namespace zel::telvane::test {
namespace {

TEST(SerialLine, LoginSendsTheRateChangeWithOrWithoutAnAnswer) {
  for (bool answered : {true, false}) {
    SCOPED_TRACE(answered ? "answered" : "silent");
    ControllerScript script;
    script.answerBaudChange = answered;
    FakeController controller(FakeController::Line::Serial, script);
    ASSERT_TRUE(controller.ready());
    LinkHarness link;
    ASSERT_EQ(link.connectSerial(controller, 57600), 0);
    EXPECT_EQ(UsedCommPlatform(), 1);
    auto host = link.useLoginHost(std::nullopt);
    ASSERT_EQ(link.login(1), 1);
    EXPECT_EQ(controller.count("MV=56000"), 1);
    EXPECT_EQ(controller.count("L?"), 1);
    EXPECT_EQ(host->states.at(host->states.size() - 3),
              answered ? "Checking Controller..." : "No KZC Controller found");
    EXPECT_EQ(MayUseBinaryFileCommands(), 1);  // flags 0x108: bit 3 set, bit 7 clear
    EXPECT_EQ(CanTransferFiles(), 0);
    EXPECT_EQ(FileTransferCancel(), -1);
  }
}

TEST(SerialLine, RepliesSplitOverManyReadsAndLateRepliesAreKeptApart) {
  ControllerScript script;
  FakeController controller(FakeController::Line::Serial, script);
  LinkHarness link;
  ASSERT_EQ(link.connectSerial(controller, 9600), 0);
  link.useLoginHost(std::nullopt);
  ASSERT_EQ(link.login(1), 1);
  ASSERT_TRUE(link.waitReplies(1));  // the login result
  link.replies.clear();
  script.splitSerial = true;
  script.late = {"SLOW"};
  script.lateMs = 300;
  controller.setScript(script);
  ASSERT_EQ(link.send("DEW0-", 1), 0);
  ASSERT_EQ(link.send("ERR", 2), 0);
  ASSERT_EQ(link.send("SLOW", 3, 100), 0);
  ASSERT_EQ(link.send("DF", 4), 0);
  ASSERT_TRUE(link.waitReplies(4));
  EXPECT_EQ(link.replies[0].text, "=1=2=3");
  EXPECT_EQ(link.replies[1].status, 1);
  EXPECT_EQ(link.replies[2].status, 2);
  EXPECT_EQ(link.replies[3].status, 0);
  EXPECT_EQ(link.replies[3].text, "=0,0,0,");
  EXPECT_EQ(link.replies[3].tag, 4);
}

TEST(SerialLine, ABinaryReadBlockIsFetchedOnce) {
  FakeController controller(FakeController::Line::Serial, {});
  LinkHarness link;
  ASSERT_EQ(link.connectSerial(controller, 9600), 0);
  link.useLoginHost(std::nullopt);
  ASSERT_EQ(link.login(5), 1);
  EXPECT_EQ(MayUseBinaryFileCommands(), 1);
  ASSERT_EQ(CIBinaryCommand(link.owner(), 9, "%R", 2, 1000, nullptr, 0), 0);
  ASSERT_TRUE(link.waitReplies(1));
  EXPECT_TRUE(link.replies[0].binary);
  EXPECT_EQ(link.replies[0].tag, 9);
  unsigned char data[256] = {};
  std::int32_t count = 0;
  std::int32_t word = 0;
  ASSERT_EQ(GetBinaryReceiveBuffer(0, data, &count, &word), 1);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(word, 1);
  EXPECT_EQ(std::string(data, data + 3), "abc");
  EXPECT_EQ(GetBinaryReceiveBuffer(0, data, &count, &word), 0);
}

TEST(SerialLine, TheTraceShowsEveryByteBothWays) {
  zel::test::TempDir dir;
  const std::string trace = (dir / "trace.txt").string();
  setenv("ZEL_TRACE", trace.c_str(), 1);
  {
    FakeController controller(FakeController::Line::Serial, {});
    LinkHarness link;
    ASSERT_EQ(link.connectSerial(controller, 9600), 0);
    ASSERT_EQ(link.send("DF", 1), 0);
    ASSERT_TRUE(link.waitReplies(1));
  }
  unsetenv("ZEL_TRACE");
  const std::string text = zel::test::ReadFile(trace);
  EXPECT_NE(text.find("SEND serial 2 bytes\n  44 46 "), std::string::npos) << text;
  EXPECT_NE(text.find("SEND serial 1 bytes\n  0D "), std::string::npos) << text;
  EXPECT_NE(text.find("RECV serial"), std::string::npos) << text;
  EXPECT_NE(text.find("  DF\n"), std::string::npos) << text;
}

}  // namespace
}  // namespace zel::telvane::test
