// The library through its exports against the fake controller over loopback UDP: commands,
// queue, time-outs and what the line delivers that is not an answer.

#include <gtest/gtest.h>

#include <thread>

#include "platform/atoms.h"
#include "support/scripted_answers.h"
#include "telvane/link_harness.h"

namespace zel::telvane::test {
namespace {

using namespace std::chrono_literals;

class LibraryOverUdp : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(controller.ready());
    ASSERT_EQ(link.connectUdp(controller), 0);
    link.useLoginHost(std::nullopt);
    ASSERT_EQ(link.login(), 1);
    ASSERT_TRUE(link.waitReplies(1));  // the login result
    link.replies.clear();
  }
  FakeController controller{FakeController::Line::Udp, ControllerScript{}};
  LinkHarness link;
};

TEST(LibraryConnect, RefusesMalformedTextsAndCountsRepeatedConnects) {
  LinkHarness link;
  for (const char* text :
       {"COM0 9600", "COM10 9600", "COM1 600", "COM1", "TCPIP", "TCPIP 1.2.3", "XYZ 1", ""}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(Connect(link.owner(), text), 2);
  }
  EXPECT_EQ(Connect(0, "TCPIP 127.0.0.1"), 2);
  EXPECT_EQ(Connect(link.owner(), nullptr), 2);
  EXPECT_EQ(RemoteCIState(), 1);
  EXPECT_EQ(CICommand(link.owner(), 1, "DF", 100, nullptr), 2);

  FakeController controller(FakeController::Line::Udp, {});
  ASSERT_EQ(link.connectUdp(controller), 0);
  EXPECT_EQ(link.connect("TCPIP 127.0.0.1"), 0);  // same owner and text: counted
  EXPECT_EQ(Connect(link.owner() + 1000, "TCPIP 127.0.0.1"), 1);
  EXPECT_EQ(Connect(link.owner(), "TCPIP 127.0.0.2"), 1);
  EXPECT_EQ(UsedCommPlatform(), 2);
  EXPECT_EQ(CanTransferFiles(), 1);
  EXPECT_EQ(RemoteCIState(), 2);  // not logged in
  link.disconnect();
  EXPECT_EQ(UsedCommPlatform(), 2);  // one reference left
  link.disconnect();
  EXPECT_EQ(UsedCommPlatform(), 0);
  EXPECT_EQ(RemoteCIState(), 1);
}

TEST_F(LibraryOverUdp, RepliesErrorRepliesAndTheActivityLed) {
  const int ledBefore = GetActivityLEDState();
  EXPECT_EQ(GetActivityLEDState(), ledBefore);  // nothing completed in between
  ASSERT_EQ(link.send("DEW0-", 11), 0);
  ASSERT_EQ(link.send("ERR", 12), 0);
  ASSERT_EQ(link.send("DF", 13), 0);
  ASSERT_TRUE(link.waitReplies(3));
  EXPECT_EQ(link.replies[0].status, 0);
  EXPECT_EQ(link.replies[0].text, "=1=2=3");
  EXPECT_EQ(link.replies[0].tag, 11);
  EXPECT_EQ(link.replies[1].status, 1);
  EXPECT_EQ(link.replies[1].text, " ");
  EXPECT_EQ(link.replies[1].tag, 12);
  EXPECT_EQ(link.replies[2].text, "=0,0,0,");
  EXPECT_NE(GetActivityLEDState(), ledBefore);
  EXPECT_EQ(RemoteCIState(), 0);
}

TEST_F(LibraryOverUdp, FiftyWaitBehindTheBusyCommandAndTheFiftyFirstIsRefused) {
  ControllerScript script;
  script.silent = {"HOLD"};
  controller.setScript(script);
  ASSERT_EQ(link.send("HOLD", 0, 5000), 0);
  for (int i = 1; i <= 50; ++i) ASSERT_EQ(link.send("Q" + std::to_string(i), i), 0) << i;
  EXPECT_EQ(link.send("Q51", 51), 1);
  // Disconnecting flushes the queue: nothing is answered later, and no atom is left.
}

TEST_F(LibraryOverUdp, ElevenTimeOutsGiveOneConnectionLost) {
  ControllerScript script;
  for (int i = 0; i < 12; ++i) script.silent.insert("T" + std::to_string(i));
  controller.setScript(script);
  for (int i = 0; i < 12; ++i) ASSERT_EQ(link.send("T" + std::to_string(i), i, 60), 0);
  ASSERT_TRUE(link.waitReplies(12));
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(link.replies[i].tag, i);
    EXPECT_EQ(link.replies[i].status, i == 10 ? 4 : 2);
    EXPECT_EQ(link.replies[i].text, " ");
  }
}

TEST_F(LibraryOverUdp, ALateReplyNeverCompletesTheNextCommand) {
  ControllerScript script;
  script.late = {"SLOW"};
  script.lateMs = 400;
  controller.setScript(script);
  ASSERT_EQ(link.send("SLOW", 1, 100), 0);
  ASSERT_EQ(link.send("DF", 2), 0);
  ASSERT_TRUE(link.waitReplies(2));
  EXPECT_EQ(link.replies[0].status, 2);
  EXPECT_EQ(link.replies[1].status, 0);
  EXPECT_EQ(link.replies[1].text, "=0,0,0,");
  EXPECT_EQ(link.replies[1].tag, 2);
}

TEST_F(LibraryOverUdp, GarbageDatagramsAreErrorsInFlightAndDroppedOtherwise) {
  controller.sendRaw("unsolicited");
  controller.sendRaw(std::string("\0\0", 2));
  // They must reach the library while nothing is in flight; the line gives no sign of that.
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ControllerScript script;
  script.garbage = {"BAD"};
  controller.setScript(script);
  ASSERT_EQ(link.send("BAD", 1), 0);
  ASSERT_EQ(link.send("DF", 2), 0);
  ASSERT_TRUE(link.waitReplies(2));
  EXPECT_EQ(link.replies[0].status, 1);
  EXPECT_EQ(link.replies[1].status, 0);
  EXPECT_EQ(link.replies[1].text, "=0,0,0,");
}

TEST_F(LibraryOverUdp, RefusesWhatCannotBeSent) {
  EXPECT_EQ(CIBinaryCommand(link.owner(), 1, "%", 1, 100, nullptr, 0), 3);
  EXPECT_EQ(CIBinaryCommand(link.owner(), 1, "%X", 2, 100, nullptr, 0), 3);
  EXPECT_EQ(link.send(std::string(353, 'A'), 1), 3);
  EXPECT_EQ(CICommand(link.owner(), 1, "DF", 100, std::string(353, 'A').c_str()), 3);
  EXPECT_EQ(link.send("DF\rR", 1), 3);  // a CR would run "R" as a command of its own
  EXPECT_EQ(link.send(std::string(352, 'A'), 1), 0);
  ASSERT_TRUE(link.waitReplies(1));
  unsigned char buffer[256];
  std::int32_t count = 0;
  std::int32_t word = 0;
  EXPECT_EQ(GetBinaryReceiveBuffer(0, buffer, &count, &word), 0);
  EXPECT_EQ(MayUseBinaryFileCommands(), 0);  // never over the network
  EXPECT_EQ(FileTransferStart(1, "a", "", 0), 2);
  EXPECT_EQ(FileTransferStart(1, "", "b", 0), 1);
  EXPECT_EQ(FileTransferCancel(), 0);
}

TEST_F(LibraryOverUdp, EveryReplyAtomIsFreedByItsReceiver) {
  const std::size_t atomsBefore = platform::AtomCount(platform::AtomTable::Local);
  for (int i = 0; i < 20; ++i) ASSERT_EQ(link.send("DEW" + std::to_string(i) + "-", i), 0);
  ASSERT_TRUE(link.waitReplies(20));
  EXPECT_EQ(platform::AtomCount(platform::AtomTable::Local), atomsBefore);
}

}  // namespace
}  // namespace zel::telvane::test
