// The link against stand-in libraries: the resolution chain, the messages of every
// failure, the wrappers' defaults, the process-wide use count and the reply message.

#include "access/controller_link.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "access/ci_reply.h"
#include "access/fake_telvane/fake_telvane_state.h"
#include "access/telvane_library.h"
#include "platform/atoms.h"
#include "platform/message_box.h"
#include "platform/messages.h"

namespace zel::access {
namespace {

using platform::ScriptedHost;

class ControllerLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_host = std::make_shared<ScriptedHost>();
    platform::SetMessageBoxHost(m_host);
  }
  void TearDown() override {
    SetLibraryPathOverride({});
    platform::SetMessageBoxHost(nullptr);
  }
  void Use(const char* path) { SetLibraryPathOverride(path); }

  // The stand-in's state while a link keeps it loaded.
  FakeTelvaneState& Fake(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    EXPECT_NE(handle, nullptr) << "the library is not loaded";
    auto state = reinterpret_cast<FakeTelvaneStateFn>(dlsym(handle, "FakeTelvaneStateOf"));
    FakeTelvaneState* result = state();
    dlclose(handle);
    return *result;
  }
  static bool Loaded(const char* path) {
    void* handle = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    if (handle != nullptr) dlclose(handle);
    return handle != nullptr;
  }

  std::shared_ptr<ScriptedHost> m_host;
};

constexpr const char* kComplete = FAKE_TELVANE_COMPLETE;
constexpr const char* kIncomplete = FAKE_TELVANE_INCOMPLETE;

TEST_F(ControllerLinkTest, MissingLibraryIsReportedAndEveryWrapperGivesItsDefault) {
  Use("/nonexistent/libtelvane.so");
  {
    ControllerLink link(7, "TCPIP 127.0.0.1");
    EXPECT_EQ(m_host->texts(),
              std::vector<std::string>{"Cannot load communication library\n  (libtelvane.so)."});
    EXPECT_EQ(m_host->shown().front().icon, platform::Icon::Error);
    EXPECT_FALSE(link.connectResult().has_value());
    EXPECT_FALSE(link.connected());
    EXPECT_EQ(LibraryUseCount(), 1);
    EXPECT_EQ(link.replyMessage(), -1);
    EXPECT_EQ(link.startLogin(1, 0, 0), -1);
    EXPECT_EQ(link.command(1, 0, "L?", 1500), kNotConnected);
    EXPECT_EQ(link.commandToThread(1, 0, "L?", 1500), kNotConnected);
    const std::uint8_t bytes[] = {'%', 'R'};
    EXPECT_EQ(link.binaryCommandToThread(1, 0, bytes, 1500, {}), kNotConnected);
    EXPECT_EQ(link.fileTransferStart(1, "a", "b", 0), kFileTransferUnavailable);
    EXPECT_TRUE(link.isLockedByPassword());
    EXPECT_FALSE(link.passwordUsed());
    EXPECT_FALSE(link.canForceOperands());
    EXPECT_EQ(link.remoteKernelVersion().text, "");
    EXPECT_EQ(link.remoteKernelVersion().number, 0);
    EXPECT_EQ(link.remoteKernelProject(), "");
    EXPECT_EQ(link.remoteProjectBuildDate(), 0u);
    EXPECT_EQ(link.remoteCiState(), kRemoteNotConnected);
    EXPECT_FALSE(link.binaryReceiveBuffer().has_value());
    link.logout();
    link.fileTransferCancel();
  }
  EXPECT_EQ(LibraryUseCount(), 0);
}

TEST_F(ControllerLinkTest, AnIncompleteLibraryStopsTheChainAndIsNotConnected) {
  Use(kIncomplete);
  {
    ControllerLink link(7, "TCPIP 127.0.0.1");
    EXPECT_EQ(m_host->texts(),
              std::vector<std::string>{"Incomplete communication library\n  (libtelvane.so)."});
    EXPECT_FALSE(link.connectResult().has_value());
    FakeTelvaneState& fake = Fake(kIncomplete);
    EXPECT_EQ(fake.connectCalls, 0);
    // CICommand comes before the gap and is resolved; the library itself refuses.
    EXPECT_EQ(link.command(1, 5, "DF", 1500), kNotConnected);
    EXPECT_EQ(fake.commandCalls, 1);
    // Everything from the gap on behaves as absent.
    EXPECT_EQ(link.commandToThread(1, 5, "DF", 1500), kNotConnected);
    EXPECT_EQ(fake.commandCalls, 1);
    EXPECT_TRUE(link.isLockedByPassword());
    EXPECT_EQ(link.remoteKernelVersion().text, "");
    EXPECT_EQ(link.remoteProjectBuildDate(), 0u);
  }
  EXPECT_FALSE(Loaded(kIncomplete));
  EXPECT_EQ(LibraryUseCount(), 0);
}

TEST_F(ControllerLinkTest, ConnectsOnceLoadedAndDisconnectsEachLinkTheLastUnloading) {
  Use(kComplete);
  {
    auto first = std::make_unique<ControllerLink>(7, "COM2 19200");
    ASSERT_TRUE(first->connected());
    FakeTelvaneState& fake = Fake(kComplete);
    fake = FakeTelvaneState{};  // a previous test may have used the same instance
    {
      ControllerLink second(7, "COM2 19200");
      EXPECT_TRUE(second.connected());
      EXPECT_EQ(fake.connectCalls, 1);
      EXPECT_EQ(fake.lastOwner, 7u);
      EXPECT_STREQ(fake.lastConnection, "COM2 19200");
      EXPECT_EQ(LibraryUseCount(), 2);
    }
    EXPECT_EQ(fake.disconnectCalls, 1);
    EXPECT_TRUE(Loaded(kComplete));
    first.reset();
    EXPECT_FALSE(Loaded(kComplete));
  }
  EXPECT_TRUE(m_host->texts().empty());
  EXPECT_EQ(LibraryUseCount(), 0);
}

TEST_F(ControllerLinkTest, EveryConnectFailureHasItsMessageAndNoDisconnect) {
  Use(kComplete);
  ControllerLink holder(7, "TCPIP 127.0.0.1");  // keeps the stand-in loaded between cases
  FakeTelvaneState& fake = Fake(kComplete);
  const struct {
    std::int32_t result;
    const char* message;
  } cases[] = {
      {1, "Telvane library is busy."},
      {2, "Invalid parameter passed to Telvane library."},
      {3, "Telvane library could not open communication port."},
      {7, "Telvane library: unexpected error 7."},
      {-1, "Telvane library: unexpected error 4294967295."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.result);
    m_host->clear();
    fake.connectResult = c.result;
    const int disconnects = fake.disconnectCalls;
    {
      ControllerLink link(7, "COM0 9600");
      EXPECT_EQ(link.connectResult(), c.result);
      EXPECT_FALSE(link.connected());
      EXPECT_EQ(m_host->texts(), std::vector<std::string>{c.message});
    }
    EXPECT_EQ(fake.disconnectCalls, disconnects);
  }
  fake.connectResult = 0;
}

TEST_F(ControllerLinkTest, CommandsPassTheirEchoTimeOutAndTagAndTheReplyArrives) {
  Use(kComplete);
  const std::size_t atomsBefore = platform::AtomCount(platform::AtomTable::Local);
  {
    ControllerLink link(7, "TCPIP 127.0.0.1");
    FakeTelvaneState& fake = Fake(kComplete);
    std::vector<CiReply> replies;
    const std::int32_t replyMessage = link.replyMessage();
    ASSERT_GT(replyMessage, 0);
    platform::MessageTarget target([&](const platform::Message& message) -> platform::LParam {
      if (auto reply = TakeCiReply(message, replyMessage)) replies.push_back(*reply);
      return 0;
    });

    EXPECT_EQ(link.command(target.id(), 11, "DEW0-", 1500), kSentOrQueued);
    EXPECT_STREQ(fake.lastEcho, "DEW0-");
    EXPECT_EQ(fake.lastTimeout, 1500);
    EXPECT_EQ(link.command(target.id(), 12,
                           "LX"
                           "secret",
                           1500, "LX*"),
              kSentOrQueued);
    EXPECT_STREQ(fake.lastEcho, "LX*");
    EXPECT_EQ(link.fileCommand(target.id(), 13, "FP"), kSentOrQueued);
    EXPECT_EQ(fake.lastTimeout, 9000);
    EXPECT_EQ(fake.lastTarget, target.id());
    EXPECT_EQ(link.commandToThread(platform::CurrentThreadId(), 14, "DF", 1500), kSentOrQueued);
    EXPECT_EQ(fake.lastThread, platform::CurrentThreadId());
    EXPECT_STREQ(fake.lastEcho, "DF");

    platform::PumpMessages();
    ASSERT_EQ(replies.size(), 3u);
    EXPECT_EQ(replies[0].text, "=DEW0-");
    EXPECT_EQ(replies[0].tag, 11);
    EXPECT_EQ(replies[0].status, ReplyStatus::Reply);
    EXPECT_EQ(replies[2].tag, 13);
    const auto threadMessage = platform::PeekMessage();
    ASSERT_TRUE(threadMessage.has_value());
    const auto threadReply = TakeCiReply(*threadMessage, replyMessage);
    ASSERT_TRUE(threadReply.has_value());
    EXPECT_EQ(threadReply->text, "=DF");
    EXPECT_EQ(threadReply->tag, 14);
  }
  EXPECT_EQ(platform::AtomCount(platform::AtomTable::Local), atomsBefore);
}

TEST_F(ControllerLinkTest, GettersReadTheLibraryWithinTheirBuffers) {
  Use(kComplete);
  ControllerLink link(7, "TCPIP 127.0.0.1");
  FakeTelvaneState& fake = Fake(kComplete);
  EXPECT_EQ(link.remoteKernelVersion().text, "V2.25");
  EXPECT_EQ(link.remoteKernelVersion().number, 537);
  EXPECT_EQ(link.remoteKernelPlatform(), "VM1X");
  EXPECT_EQ(link.remoteKernelRunFile(), "C:\\PROJECT.RUN");
  EXPECT_EQ(link.remoteProjectBuildDate(), 3000000000u);
  EXPECT_EQ(link.loginResult(), "KOLVA KZC V2.25, RUD, DEMO");
  EXPECT_FALSE(link.isLockedByPassword());
  EXPECT_EQ(link.usedCommPlatform(), kTransportTcpip);
  EXPECT_EQ(link.remoteCiState(), kRemoteReady);

  EXPECT_FALSE(link.binaryReceiveBuffer().has_value());
  // A count beyond the buffer is kept to the buffer; the word is its 16 bits.
  fake.binaryCount = 300;
  const auto received = link.binaryReceiveBuffer();
  ASSERT_TRUE(received.has_value());
  EXPECT_EQ(received->data.size(), kBinaryBufferSize);
  EXPECT_EQ(received->data[3], 4);
  EXPECT_EQ(received->word, 0x2345);
  EXPECT_FALSE(link.binaryReceiveBuffer().has_value());
}

TEST(TelvaneLibraryTest, LookedForBesideTheProgramFirstThenByName) {
  const auto candidates = LibraryCandidates();
  ASSERT_EQ(candidates.size(), 2u);
  EXPECT_EQ(candidates[0].filename(), "libtelvane.so");
  EXPECT_TRUE(candidates[0].is_absolute());
  EXPECT_EQ(candidates[1], "libtelvane.so");
}

TEST(CiReplyTest, StatusAtomAndBinaryReadAreTakenApart) {
  const auto id = static_cast<std::int32_t>(platform::RegisterMessage("ZEL4CIWindowMsg"));
  const auto atom = platform::AddAtom(platform::AtomTable::Local, " ");
  ASSERT_NE(atom, 0);
  const platform::Message error{0, static_cast<platform::MessageId>(id),
                                (platform::WParam{1} << 16) | atom, 42};
  const auto reply = TakeCiReply(error, id);
  ASSERT_TRUE(reply.has_value());
  EXPECT_EQ(reply->status, ReplyStatus::ErrorReply);
  EXPECT_EQ(reply->text, " ");
  EXPECT_EQ(reply->tag, 42);
  EXPECT_FALSE(reply->textLost);
  // Taken once: the atom is gone.
  EXPECT_TRUE(TakeCiReply(error, id)->textLost);

  const platform::Message binary{0, static_cast<platform::MessageId>(id), 1, 3};
  EXPECT_TRUE(TakeCiReply(binary, id)->binaryRead);
  const platform::Message other{0, static_cast<platform::MessageId>(id + 1), 1, 3};
  EXPECT_FALSE(TakeCiReply(other, id).has_value());
  EXPECT_FALSE(TakeCiReply(binary, -1).has_value());
}

}  // namespace
}  // namespace zel::access
