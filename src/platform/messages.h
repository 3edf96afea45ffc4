#pragma once
// Registered messages, message targets and per-thread queues: the way workers talk to the
// user-interface thread and to each other without ever calling into another thread.
//
// A target (the "window" of the original design) belongs to the thread that created it;
// messages posted to it are queued on that thread and delivered by that thread's
// dispatch. Posting to a destroyed target fails, so a late reply is never delivered to a
// window that has gone. Each thread may install a wake-up hook that is called (on the
// posting thread) whenever something is queued for it, so a foreign event loop such as
// Qt's can pump the queue at once.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace zel::platform {

using MessageId = std::uint32_t;
using TargetId = std::uint32_t;  // 0 is "no target"
using ThreadId = std::uint32_t;  // 0 is "no thread"
using WParam = std::uintptr_t;
using LParam = std::intptr_t;

inline constexpr MessageId kFirstRegisteredMessage = 0xC000;
inline constexpr MessageId kQuitMessage = 0x0012;
inline constexpr MessageId kTimerMessage = 0x0113;
// A thread's queue holds at most this many messages; posting to a full queue fails.
inline constexpr std::size_t kMaxQueuedMessages = 10000;

struct Message {
  TargetId target = 0;  // 0 for a thread message
  MessageId id = 0;
  WParam wParam = 0;
  LParam lParam = 0;
};

// The same name gives the same number within the process, from kFirstRegisteredMessage
// upwards; names match without regard to case. 0 for an empty name.
MessageId RegisterMessage(std::string_view name);

// A small dense id for the calling thread, stable for the thread's life; never 0.
ThreadId CurrentThreadId();

using MessageHandler = std::function<LParam(const Message&)>;

// Creates a target owned by the calling thread.
TargetId CreateTarget(MessageHandler handler);
// Pending messages for the target are dropped and no handler call starts after this.
// Any thread may destroy a target: one that is not running the target's handler itself
// waits until that handler, running on another thread, has returned, so what the
// handler uses may be freed as soon as this returns. Such a caller must therefore hold
// nothing the handler could wait for. A handler may destroy its own target; it is kept
// alive until it returns.
void DestroyTarget(TargetId target);
bool TargetExists(TargetId target);
ThreadId TargetThread(TargetId target);

// RAII owner of a target.
class MessageTarget {
 public:
  MessageTarget() = default;
  explicit MessageTarget(MessageHandler handler);
  MessageTarget(MessageTarget&& other) noexcept;
  MessageTarget& operator=(MessageTarget&& other) noexcept;
  MessageTarget(const MessageTarget&) = delete;
  MessageTarget& operator=(const MessageTarget&) = delete;
  ~MessageTarget();
  TargetId id() const { return m_id; }

 private:
  TargetId m_id = 0;
};

// False when the target does not exist (any more) or its queue is full.
bool PostMessageTo(TargetId target, MessageId id, WParam wParam, LParam lParam);
// False when no thread with that id has a queue.
bool PostThreadMessageTo(ThreadId thread, MessageId id, WParam wParam, LParam lParam);
void PostQuitMessage(int exitCode);

// The calling thread's queue. Peek never blocks; Get blocks until a message arrives and
// returns false for the quit message. GetWithTimeout returns nullopt on time-out.
std::optional<Message> PeekMessage(bool remove = true);
bool GetMessage(Message& out);
std::optional<Message> GetMessageWithTimeout(int timeoutMs);
// Calls the target's handler (on this thread); thread messages return 0 unhandled: the
// loop that takes them handles them itself.
LParam DispatchMessage(const Message& message);
// Dispatches the messages for targets queued now; returns how many. Thread messages
// and a quit stay queued, in their order, for the thread's PeekMessage or GetMessage:
// a thread that only pumps must be reached through a target, not a thread message.
int PumpMessages();

// The hook is called from the posting thread; it must only wake the owner up.
void SetWakeupHook(std::function<void()> hook);  // for the calling thread

}  // namespace zel::platform
