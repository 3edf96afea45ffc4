#include "app/shell/message_service.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "platform/atoms.h"
#include "platform/messages.h"
#include "support/no_deadlock.h"

namespace zel::app {
namespace {

using platform::AtomCount;
using platform::AtomTable;

class RecordingSink : public MessageSink {
 public:
  void appended(std::string_view text) override { events.push_back("+" + std::string(text)); }
  void cleared() override { events.push_back("clear"); }
  void headCut(std::size_t count) override { events.push_back("cut " + std::to_string(count)); }
  void activate() override { events.push_back("activate"); }
  std::vector<std::string> events;
};

// Dispatches this thread's messages until `done` or a generous deadline.
void PumpUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!done() && std::chrono::steady_clock::now() < deadline) {
    if (const auto message = platform::GetMessageWithTimeout(20)) {
      platform::DispatchMessage(*message);
    }
  }
}

void RunOnWorker(const std::function<void()>& job) {
  std::thread worker(job);
  worker.join();
}

class MessageServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseMessageWindow();
    platform::PumpMessages();
    m_atomsBefore = AtomCount(AtomTable::Global);
  }
  void TearDown() override {
    if (auto* window = FindMessageWindow()) window->removeSink(m_sink);
    SetMessageWindowCreationHook({});
    CloseMessageWindow();
    EXPECT_EQ(AtomCount(AtomTable::Global), m_atomsBefore);
  }
  MessageWindowService& show() {
    MessageWindowService* window = ShowMessageWindow(false);
    window->addSink(m_sink);
    return *window;
  }

  RecordingSink m_sink;
  std::size_t m_atomsBefore = 0;
};

TEST_F(MessageServiceTest, WorkerTextArrivesCutTo254Characters) {
  show();
  std::string text;
  for (int i = 0; i < 300; ++i) text += static_cast<char>('a' + i % 26);
  int posted = 0;
  RunOnWorker([&] { posted = PostMessageText("%s", text.c_str()); });
  EXPECT_NE(posted, 0);
  PumpUntil([] { return !MessageWindowText().empty(); });
  EXPECT_EQ(MessageWindowText(), text.substr(0, 254));
  EXPECT_EQ(m_sink.events, std::vector<std::string>{"+" + text.substr(0, 254)});
  EXPECT_EQ(AtomCount(AtomTable::Global), m_atomsBefore);  // the receiver deleted it
}

TEST_F(MessageServiceTest, PostingWithoutAWindowPostsNothing) {
  int posted = -1;
  RunOnWorker([&] { posted = PostMessageText("INFO: %s\r\n", "lost"); });
  EXPECT_EQ(posted, 0);
  EXPECT_EQ(AtomCount(AtomTable::Global), m_atomsBefore);
  PrintMessage("also lost");
  ClearMessages();
  EXPECT_EQ(MessageWindowText(), "");
}

TEST_F(MessageServiceTest, PostedFormatsAreCutAfterFormatting) {
  show();
  const std::string longArgument(12000, 'x');
  RunOnWorker([&] {
    PostMessageText("ERROR: %s in %d\r\n", "Syntax", 42);
    PostMessageText("%s", longArgument.c_str());
    EXPECT_EQ(PostMessageText("%s", ""), 0);  // no atom for an empty text
  });
  const std::string expected = "ERROR: Syntax in 42\r\n" + std::string(254, 'x');
  PumpUntil([&] { return MessageWindowText().size() >= expected.size(); });
  EXPECT_EQ(MessageWindowText(), expected);
}

TEST_F(MessageServiceTest, TextsStillUnderwayWhenTheWindowClosesAreFreed) {
  show();
  RunOnWorker([] {
    for (int i = 0; i < 3; ++i) EXPECT_NE(PostMessageText("line %d\r\n", i), 0);
    EXPECT_NE(PostMessageText("same"), 0);
    EXPECT_NE(PostMessageText("same"), 0);  // one atom, counted twice
  });
  EXPECT_GT(AtomCount(AtomTable::Global), m_atomsBefore);
  CloseMessageWindow();
  EXPECT_EQ(AtomCount(AtomTable::Global), m_atomsBefore);
  EXPECT_EQ(platform::PumpMessages(), 0);
  RunOnWorker([] { EXPECT_EQ(PostMessageText("late"), 0); });
}

TEST_F(MessageServiceTest, HeadIsCutInOneStepAboveTheLimit) {
  show();
  const std::string line(1000, 'L');
  for (int i = 0; i < 25; ++i) PrintMessage("%s", line.c_str());
  EXPECT_EQ(MessageWindowText().size(), 25000u);  // 24000 before: not more than the limit
  EXPECT_EQ(m_sink.events.size(), 25u);           // appends only
  PrintMessage("%s", "tail");
  EXPECT_EQ(MessageWindowText().size(), 23000u + 4);
  EXPECT_EQ(m_sink.events.size(), 27u);
  EXPECT_EQ(m_sink.events[25], "cut 2000");
  EXPECT_EQ(m_sink.events[26], "+tail");
}

TEST_F(MessageServiceTest, PrintMessageFormatsAtMost4000Characters) {
  show();
  const std::string big(5000, 'b');
  PrintMessage("%s%d", big.c_str(), 7);
  EXPECT_EQ(MessageWindowText(), std::string(4000, 'b'));
  ClearMessages();
  EXPECT_EQ(MessageWindowText(), "");
  EXPECT_EQ(m_sink.events.back(), "clear");
}

TEST_F(MessageServiceTest, CopyTakesTheSelectionOrEverything) {
  MessageWindowService& window = show();
  PrintMessage("INFO: %s\r\n", "Build complete");
  const std::string all = "INFO: Build complete\r\n";
  struct {
    std::size_t start, end;
    std::string copied;
  } const cases[] = {
      {0, 0, all},
      {5, 5, all},
      {0, 4, "INFO"},
      {20, 6, "Build complete"},
      {6, 999, all.substr(6)},
      {999, 999, all},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(window.copyMessages(c.start, c.end), c.copied) << c.start << "-" << c.end;
  }
}

TEST_F(MessageServiceTest, OtherThreadsPrintAndClearThroughTheWindowsQueue) {
  show();
  PrintMessage("old");
  const std::string text(600, 'w');
  RunOnWorker([&] {
    ClearMessages();
    PrintMessage("%s", text.c_str());  // longer than one post carries
  });
  EXPECT_EQ(MessageWindowText(), "old");  // nothing touched the text from the worker
  PumpUntil([&] { return MessageWindowText() == text; });
  EXPECT_EQ(MessageWindowText(), text);
  EXPECT_EQ(m_sink.events[1], "clear");
}

TEST_F(MessageServiceTest, OneWindowPerProcessCreatedOnFirstUse) {
  int created = 0;
  SetMessageWindowCreationHook([&](MessageWindowService& window) {
    ++created;
    window.addSink(m_sink);
  });
  EXPECT_EQ(FindMessageWindow(), nullptr);
  MessageWindowService* first = ShowMessageWindow(true);
  MessageWindowService* second = ShowMessageWindow(true);
  EXPECT_EQ(first, second);
  EXPECT_EQ(created, 1);
  EXPECT_EQ(m_sink.events, (std::vector<std::string>{"activate", "activate"}));
  EXPECT_EQ(first->thread(), platform::CurrentThreadId());
  EXPECT_TRUE(platform::TargetExists(first->target()));
}

TEST_F(MessageServiceTest, OnlyTheWindowsThreadClosesIt) {
  const platform::TargetId target = show().target();
  RunOnWorker([] { CloseMessageWindow(); });
  EXPECT_NE(FindMessageWindow(), nullptr);
  CloseMessageWindow();
  EXPECT_EQ(FindMessageWindow(), nullptr);
  EXPECT_FALSE(platform::TargetExists(target));
}

using test::ExpectFinishesWithoutDeadlock;

// Asks the window's registry from inside a sink call, that is with the text mutex held.
class RegistryAskingSink : public MessageSink {
 public:
  void appended(std::string_view) override {
    inside.set_value();
    // Time for the reader to take whatever it takes first; the outcome must not depend on
    // it, only the chance of catching a wrong order does.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    found = FindMessageWindow() != nullptr;
  }
  void cleared() override {}
  void headCut(std::size_t) override {}
  std::promise<void> inside;
  bool found = false;
};

// A reader on another thread takes the text while the window's thread tells a sink that
// asks the registry: both must take the two locks in one order.
void ReaderMeetsASinkAskingTheRegistry() {
  RegistryAskingSink sink;
  ShowMessageWindow(false)->addSink(sink);
  std::future<void> inside = sink.inside.get_future();
  std::string read;
  std::thread reader([&] {
    inside.wait();
    read = MessageWindowText();
  });
  PrintMessage("line");
  reader.join();
  EXPECT_TRUE(sink.found);
  EXPECT_EQ(read, "line");
  FindMessageWindow()->removeSink(sink);
  CloseMessageWindow();
}

// The window thread's wake-up hook posts text of its own while a worker's post wakes it.
void HookPostingText() {
  ShowMessageWindow(false);
  std::atomic<bool> echoed{false};
  platform::SetWakeupHook([&] {
    if (!echoed.exchange(true)) PostMessageText("echo ");
  });
  RunOnWorker([] { EXPECT_NE(PostMessageText("first "), 0); });
  PumpUntil([] { return MessageWindowText().size() >= 11; });
  EXPECT_EQ(MessageWindowText(), "first echo ");  // the hook posts behind what woke it
  platform::SetWakeupHook(nullptr);
  CloseMessageWindow();
}

TEST(MessageServiceLockTest, ReadersSinksAndHooksTakeTheLocksInOneOrder) {
  ExpectFinishesWithoutDeadlock(ReaderMeetsASinkAskingTheRegistry);
  ExpectFinishesWithoutDeadlock(HookPostingText);
}

}  // namespace
}  // namespace zel::app
