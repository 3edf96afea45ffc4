#include "platform/messages.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace zel::platform {
namespace {

// Every case leaves the main thread's queue as it found it: empty, no quit, no hook.
class MessagesTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetWakeupHook(nullptr);
    while (PeekMessage()) {
    }
  }
};

// Receives on the calling thread until `count` messages for anyone have been dispatched
// or five seconds pass; the generous limit only guards against a hang.
int ReceiveAndDispatch(int count) {
  int received = 0;
  while (received < count) {
    std::optional<Message> message = GetMessageWithTimeout(5000);
    if (!message) {
      break;
    }
    DispatchMessage(*message);
    ++received;
  }
  return received;
}

TEST_F(MessagesTest, RegisteredNamesGiveOneNumberWithoutRegardToCase) {
  const MessageId a = RegisterMessage("TestMessageWindowMsg");
  EXPECT_GE(a, kFirstRegisteredMessage);
  EXPECT_LE(a, 0xFFFFu);
  EXPECT_EQ(RegisterMessage("testmessagewindowmsg"), a);
  EXPECT_EQ(RegisterMessage("TESTMESSAGEWINDOWMSG"), a);
  const MessageId b = RegisterMessage("TestOtherMsg");
  EXPECT_GE(b, kFirstRegisteredMessage);
  EXPECT_NE(b, a);
  EXPECT_EQ(RegisterMessage(""), 0u);
}

TEST_F(MessagesTest, RegisteringFromManyThreadsAgreesOnTheNumber) {
  std::vector<MessageId> seen(8);
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < seen.size(); ++i) {
    threads.emplace_back([&seen, i] { seen[i] = RegisterMessage("RaceRegisteredMsg"); });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  for (MessageId id : seen) {
    EXPECT_EQ(id, seen[0]);
  }
  EXPECT_NE(seen[0], 0u);
}

TEST_F(MessagesTest, ThreadIdsAreStableNonZeroAndDistinct) {
  const ThreadId mine = CurrentThreadId();
  EXPECT_NE(mine, 0u);
  EXPECT_EQ(CurrentThreadId(), mine);
  ThreadId other = 0;
  std::thread([&other] { other = CurrentThreadId(); }).join();
  EXPECT_NE(other, 0u);
  EXPECT_NE(other, mine);
}

TEST_F(MessagesTest, WorkerPostsArriveInOrderOnTheOwningThread) {
  constexpr int kCount = 2000;
  const MessageId id = RegisterMessage("TestOrderMsg");
  std::vector<WParam> values;
  std::vector<ThreadId> handledOn;
  MessageTarget target([&](const Message& message) {
    values.push_back(message.wParam);
    handledOn.push_back(CurrentThreadId());
    return LParam{0};
  });
  ASSERT_NE(target.id(), 0u);
  EXPECT_EQ(TargetThread(target.id()), CurrentThreadId());

  std::atomic<int> failed{0};
  std::thread worker([&] {
    for (int i = 0; i < kCount; ++i) {
      if (!PostMessageTo(target.id(), id, static_cast<WParam>(i), -i)) {
        ++failed;
      }
    }
  });
  EXPECT_EQ(ReceiveAndDispatch(kCount), kCount);
  worker.join();

  EXPECT_EQ(failed, 0);
  ASSERT_EQ(values.size(), static_cast<std::size_t>(kCount));
  for (int i = 0; i < kCount; ++i) {
    ASSERT_EQ(values[i], static_cast<WParam>(i));
    ASSERT_EQ(handledOn[i], CurrentThreadId());
  }
}

TEST_F(MessagesTest, DestroyedTargetDropsWaitingMessagesAndRefusesPosts) {
  int handled = 0;
  TargetId id = CreateTarget([&](const Message&) { return LParam{++handled}; });
  ASSERT_TRUE(PostMessageTo(id, 0x400, 1, 0));
  ASSERT_TRUE(PostMessageTo(id, 0x400, 2, 0));
  DestroyTarget(id);

  EXPECT_FALSE(TargetExists(id));
  EXPECT_EQ(TargetThread(id), 0u);
  EXPECT_FALSE(PeekMessage().has_value());
  bool postedFromWorker = true;
  std::thread([&] { postedFromWorker = PostMessageTo(id, 0x400, 3, 0); }).join();
  EXPECT_FALSE(postedFromWorker);
  EXPECT_FALSE(PostMessageTo(id, 0x400, 4, 0));
  EXPECT_FALSE(PostMessageTo(0, 0x400, 5, 0));
  EXPECT_EQ(DispatchMessage(Message{id, 0x400, 6, 0}), 0);
  EXPECT_EQ(handled, 0);
}

TEST_F(MessagesTest, DestroyingOneTargetKeepsTheOthersMessages) {
  MessageTarget kept([](const Message& message) { return static_cast<LParam>(message.wParam); });
  TargetId gone = CreateTarget([](const Message&) { return LParam{0}; });
  ASSERT_TRUE(PostMessageTo(gone, 0x400, 1, 0));
  ASSERT_TRUE(PostMessageTo(kept.id(), 0x400, 2, 0));
  ASSERT_TRUE(PostThreadMessageTo(CurrentThreadId(), 0x401, 3, 0));
  DestroyTarget(gone);

  std::optional<Message> first = PeekMessage();
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(first->target, kept.id());
  EXPECT_EQ(DispatchMessage(*first), 2);
  std::optional<Message> second = PeekMessage();
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->target, 0u);
  EXPECT_EQ(second->id, 0x401u);
  EXPECT_EQ(DispatchMessage(*second), 0);  // thread messages have no handler
}

TEST_F(MessagesTest, MovedTargetKeepsItsIdAndTheEmptyOneOwnsNothing) {
  MessageTarget first([](const Message&) { return LParam{7}; });
  const TargetId id = first.id();
  MessageTarget second(std::move(first));
  EXPECT_EQ(first.id(), 0u);
  EXPECT_EQ(second.id(), id);
  EXPECT_TRUE(TargetExists(id));
  MessageTarget third;
  third = std::move(second);
  EXPECT_TRUE(TargetExists(id));
  third = MessageTarget();
  EXPECT_FALSE(TargetExists(id));
}

TEST_F(MessagesTest, WakeupHookRunsOnThePostingThreadAndMayPost) {
  const ThreadId mainThread = CurrentThreadId();
  std::atomic<int> calls{0};
  std::atomic<ThreadId> calledOn{0};
  std::atomic<bool> echoed{false};
  SetWakeupHook([&] {
    ++calls;
    calledOn = CurrentThreadId();
    if (!echoed.exchange(true)) {  // a hook that posts must not deadlock
      PostThreadMessageTo(mainThread, 0x402, 99, 0);
    }
  });
  ThreadId workerId = 0;
  std::thread([&] {
    workerId = CurrentThreadId();
    EXPECT_TRUE(PostThreadMessageTo(mainThread, 0x401, 1, 0));
  }).join();

  EXPECT_EQ(calls, 2);  // the worker's post and the hook's own post
  EXPECT_EQ(calledOn, workerId);
  std::optional<Message> first = PeekMessage();
  std::optional<Message> second = PeekMessage();
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->wParam, 1u);
  EXPECT_EQ(second->wParam, 99u);

  SetWakeupHook(nullptr);
  ASSERT_TRUE(PostThreadMessageTo(mainThread, 0x401, 2, 0));
  EXPECT_EQ(calls, 2);
}

TEST_F(MessagesTest, QuitEndsGetMessageAfterTheQueuedMessages) {
  ASSERT_TRUE(PostThreadMessageTo(CurrentThreadId(), 0x401, 1, 0));
  PostQuitMessage(7);
  Message message;
  ASSERT_TRUE(GetMessage(message));
  EXPECT_EQ(message.wParam, 1u);
  EXPECT_FALSE(GetMessage(message));
  EXPECT_EQ(message.id, kQuitMessage);
  EXPECT_EQ(message.wParam, 7u);
  EXPECT_FALSE(GetMessageWithTimeout(0).has_value());  // the quit is taken once
}

TEST_F(MessagesTest, QuitPostedAsThreadMessageEndsAWaitingLoop) {
  const ThreadId mainThread = CurrentThreadId();
  std::thread worker([mainThread] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    PostThreadMessageTo(mainThread, kQuitMessage, 3, 0);
  });
  Message message;
  EXPECT_FALSE(GetMessage(message));
  EXPECT_EQ(message.wParam, 3u);
  worker.join();
}

TEST_F(MessagesTest, GetWithTimeoutGivesUpAndPeekLeavesTheMessage) {
  EXPECT_FALSE(GetMessageWithTimeout(10).has_value());
  ASSERT_TRUE(PostThreadMessageTo(CurrentThreadId(), 0x401, 5, 0));
  std::optional<Message> peeked = PeekMessage(false);
  ASSERT_TRUE(peeked.has_value());
  std::optional<Message> got = GetMessageWithTimeout(10);
  ASSERT_TRUE(got.has_value());
  EXPECT_EQ(got->wParam, 5u);
  EXPECT_FALSE(PeekMessage().has_value());
}

TEST_F(MessagesTest, FullQueueRejectsUntilSomethingIsTaken) {
  std::size_t accepted = 0;
  bool overflowRejected = false;
  bool acceptedAfterTaking = false;
  std::size_t drained = 0;
  // A thread of its own, so the queue goes away with it.
  std::thread([&] {
    const ThreadId self = CurrentThreadId();
    while (accepted < kMaxQueuedMessages && PostThreadMessageTo(self, 0x401, accepted, 0)) {
      ++accepted;
    }
    overflowRejected = !PostThreadMessageTo(self, 0x401, 0, 0);
    PeekMessage();
    acceptedAfterTaking = PostThreadMessageTo(self, 0x401, 0, 0);
    while (PeekMessage()) {
      ++drained;
    }
  }).join();
  EXPECT_EQ(accepted, kMaxQueuedMessages);
  EXPECT_TRUE(overflowRejected);
  EXPECT_TRUE(acceptedAfterTaking);
  EXPECT_EQ(drained, kMaxQueuedMessages);
}

TEST_F(MessagesTest, ThreadMessagesNeedALiveQueue) {
  ThreadId neverAsked = 0;
  std::thread([&] { neverAsked = CurrentThreadId(); }).join();
  EXPECT_FALSE(PostThreadMessageTo(neverAsked, 0x401, 0, 0));
  EXPECT_FALSE(PostThreadMessageTo(0, 0x401, 0, 0));

  ThreadId ended = 0;
  TargetId orphan = 0;
  std::thread([&] {
    ended = CurrentThreadId();
    orphan = CreateTarget([](const Message&) { return LParam{0}; });
    EXPECT_TRUE(PostThreadMessageTo(ended, 0x401, 0, 0));
  }).join();
  EXPECT_FALSE(PostThreadMessageTo(ended, 0x401, 0, 0));
  EXPECT_FALSE(TargetExists(orphan));  // nobody is left to dispatch to it
  EXPECT_FALSE(PostMessageTo(orphan, 0x400, 0, 0));
}

TEST_F(MessagesTest, HandlerMayDestroyItsTargetAndCreateAnother) {
  std::vector<std::string> events;
  MessageTarget replacement;
  TargetId self = 0;
  self = CreateTarget([&](const Message& message) {
    events.push_back("self " + std::to_string(message.wParam));
    DestroyTarget(self);  // its captures must survive the rest of this call
    replacement = MessageTarget([&](const Message& next) {
      events.push_back("replacement " + std::to_string(next.wParam));
      return LParam{0};
    });
    PostMessageTo(replacement.id(), 0x400, 3, 0);
    events.push_back("after destroy");
    return LParam{1};
  });
  ASSERT_TRUE(PostMessageTo(self, 0x400, 1, 0));
  ASSERT_TRUE(PostMessageTo(self, 0x400, 2, 0));  // dropped by the destroy

  EXPECT_EQ(PumpMessages(), 1);
  EXPECT_EQ(PumpMessages(), 1);
  EXPECT_EQ(PumpMessages(), 0);
  EXPECT_EQ(events, (std::vector<std::string>{"self 1", "after destroy", "replacement 3"}));
}

TEST_F(MessagesTest, PumpHandlesOnlyWhatWasQueuedWhenItBegan) {
  int handled = 0;
  MessageTarget target;
  target = MessageTarget([&](const Message& message) {
    ++handled;
    PostMessageTo(target.id(), 0x400, message.wParam + 1, 0);  // a handler posting to itself
    return LParam{0};
  });
  ASSERT_TRUE(PostMessageTo(target.id(), 0x400, 0, 0));
  ASSERT_TRUE(PostMessageTo(target.id(), 0x400, 10, 0));
  EXPECT_EQ(PumpMessages(), 2);
  EXPECT_EQ(PumpMessages(), 2);
  EXPECT_EQ(handled, 4);
}

TEST_F(MessagesTest, PumpDispatchesTargetMessagesAndKeepsThreadMessagesInOrder) {
  std::vector<WParam> dispatched;
  MessageTarget target([&](const Message& message) {
    dispatched.push_back(message.wParam);
    return LParam{0};
  });
  const ThreadId self = CurrentThreadId();
  ASSERT_TRUE(PostThreadMessageTo(self, 0x401, 1, 0));
  ASSERT_TRUE(PostMessageTo(target.id(), 0x400, 2, 0));
  ASSERT_TRUE(PostThreadMessageTo(self, kQuitMessage, 3, 0));  // a queued quit is kept too
  ASSERT_TRUE(PostMessageTo(target.id(), 0x400, 4, 0));
  ASSERT_TRUE(PostThreadMessageTo(self, 0x402, 5, 0));

  EXPECT_EQ(PumpMessages(), 2);
  EXPECT_EQ(dispatched, (std::vector<WParam>{2, 4}));
  std::vector<std::pair<MessageId, WParam>> kept;
  while (std::optional<Message> message = PeekMessage()) {
    EXPECT_EQ(message->target, 0u);
    kept.emplace_back(message->id, message->wParam);
  }
  EXPECT_EQ(kept,
            (std::vector<std::pair<MessageId, WParam>>{{0x401, 1}, {kQuitMessage, 3}, {0x402, 5}}));
}

TEST_F(MessagesTest, PeekAndGetTakeBothKindsInPostingOrder) {
  MessageTarget target([](const Message&) { return LParam{0}; });
  const ThreadId self = CurrentThreadId();
  struct Post {
    bool toThread;
    WParam value;
  };
  const Post posts[] = {{true, 1}, {false, 2}, {false, 3}, {true, 4}, {false, 5}, {true, 6}};
  for (const Post& post : posts) {
    ASSERT_TRUE(post.toThread ? PostThreadMessageTo(self, 0x401, post.value, 0)
                              : PostMessageTo(target.id(), 0x400, post.value, 0));
  }
  for (const Post& post : posts) {
    std::optional<Message> message = post.value % 2 == 0 ? GetMessageWithTimeout(0) : PeekMessage();
    ASSERT_TRUE(message.has_value()) << post.value;
    EXPECT_EQ(message->wParam, post.value);
    EXPECT_EQ(message->target, post.toThread ? 0u : target.id()) << post.value;
  }
  EXPECT_FALSE(PeekMessage().has_value());
}

TEST_F(MessagesTest, ForeignDestroyWaitsForTheRunningHandler) {
  // The handler holds on for a while once the destroy is under way and notes whether the
  // destroy returned meanwhile; the worker frees what the handler uses once it returns.
  constexpr auto kWindow = std::chrono::milliseconds(100);
  auto state = std::make_unique<int>(0);
  std::atomic<bool> entered{false};
  std::atomic<bool> destroying{false};
  std::atomic<bool> destroyReturned{false};
  bool returnedDuringHandler = false;
  int calls = 0;
  const TargetId target = CreateTarget([&](const Message&) {
    ++calls;
    entered = true;
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!destroying && std::chrono::steady_clock::now() < limit) {
      std::this_thread::yield();
    }
    const auto end = std::chrono::steady_clock::now() + kWindow;
    while (std::chrono::steady_clock::now() < end) {
      returnedDuringHandler = returnedDuringHandler || destroyReturned;
      std::this_thread::yield();
    }
    ++*state;  // freed by the worker as soon as its destroy returns
    return LParam{0};
  });
  ASSERT_TRUE(PostMessageTo(target, 0x400, 1, 0));
  ASSERT_TRUE(PostMessageTo(target, 0x400, 2, 0));  // dropped by the destroy

  std::thread worker([&] {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!entered && std::chrono::steady_clock::now() < limit) {
      std::this_thread::yield();
    }
    destroying = true;
    DestroyTarget(target);
    destroyReturned = true;
    state.reset();
  });
  EXPECT_EQ(PumpMessages(), 1);
  worker.join();

  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(returnedDuringHandler);
  EXPECT_FALSE(TargetExists(target));
  EXPECT_FALSE(PostMessageTo(target, 0x400, 3, 0));
}

TEST_F(MessagesTest, ForeignDestroyOfAnIdleTargetReturnsAtOnce) {
  int calls = 0;
  const TargetId target = CreateTarget([&](const Message&) { return LParam{++calls}; });
  ASSERT_TRUE(PostMessageTo(target, 0x400, 1, 0));
  std::thread([target] { DestroyTarget(target); }).join();
  EXPECT_FALSE(TargetExists(target));
  EXPECT_EQ(PumpMessages(), 0);
  EXPECT_EQ(calls, 0);
}

TEST_F(MessagesTest, PumpLeavesTheQuitForTheLoop) {
  int handled = 0;
  MessageTarget target([&](const Message&) { return LParam{++handled}; });
  ASSERT_TRUE(PostMessageTo(target.id(), 0x400, 0, 0));
  PostQuitMessage(0);
  EXPECT_EQ(PumpMessages(), 1);
  Message message;
  EXPECT_FALSE(GetMessage(message));
}

}  // namespace
}  // namespace zel::platform
