#include "platform/messages.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/messages_internal.h"

namespace zel::platform {
namespace {

using Hook = detail::WakeUp;
using Handler = std::shared_ptr<const MessageHandler>;
using detail::PostOutcome;

struct Queued {
  Message message;
  std::uint64_t serial = 0;  // lets a pump stop at what was queued when it began
};

// Messages for targets and thread messages wait apart: a pump dispatches the former and
// must leave the latter to the thread's own loop, which reads both through one order.
struct ThreadQueue {
  std::deque<Queued> forTargets;
  std::deque<Queued> forThread;
  std::uint64_t nextSerial = 0;
  std::optional<int> quitCode;  // like the original, a quit is a flag behind the messages
  Hook wakeup;
  std::condition_variable arrived;

  std::size_t size() const { return forTargets.size() + forThread.size(); }
  bool ready() const { return size() > 0 || quitCode.has_value(); }
};

struct TargetRecord {
  ThreadId owner = 0;
  Handler handler;
};

// One lock guards the target table and every queue, so a post sees a target and its
// owner's queue in one consistent state. Handlers and hooks are called without it.
struct Registry {
  std::mutex mutex;
  std::unordered_map<ThreadId, std::shared_ptr<ThreadQueue>> queues;
  std::unordered_map<TargetId, TargetRecord> targets;
  TargetId lastTarget = 0;
  // The handlers running now, by target and the thread running them: a destroy from
  // another thread waits on `dispatchEnded` until those have returned.
  std::unordered_multimap<TargetId, ThreadId> running;
  std::condition_variable dispatchEnded;
};

// Never destroyed: detached workers and the timer thread may still post while the
// process runs its static destructors.
Registry& TheRegistry() {
  static Registry& registry = *new Registry;
  return registry;
}

// Registers the calling thread's queue on first use and withdraws it, with the targets
// the thread owns, when the thread ends: nobody could dispatch them any more.
class QueueOwner {
 public:
  QueueOwner();
  ~QueueOwner();
  QueueOwner(const QueueOwner&) = delete;
  QueueOwner& operator=(const QueueOwner&) = delete;
  ThreadQueue* queue() const { return m_queue.get(); }

 private:
  ThreadId m_thread;
  std::shared_ptr<ThreadQueue> m_queue;
};

// Trivially destructible, so it can still be read after the owner above is gone.
thread_local bool t_queueGone = false;

QueueOwner::QueueOwner() : m_thread(CurrentThreadId()), m_queue(std::make_shared<ThreadQueue>()) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  registry.queues[m_thread] = m_queue;
}

QueueOwner::~QueueOwner() {
  std::vector<Handler> dropped;  // released after the lock: their captures may post
  Registry& registry = TheRegistry();
  {
    std::lock_guard lock(registry.mutex);
    registry.queues.erase(m_thread);
    for (auto it = registry.targets.begin(); it != registry.targets.end();) {
      if (it->second.owner == m_thread) {
        dropped.push_back(std::move(it->second.handler));
        it = registry.targets.erase(it);
      } else {
        ++it;
      }
    }
  }
  t_queueGone = true;
}

// The calling thread's queue, created on first use; null while the thread is ending.
ThreadQueue* OwnQueue() {
  if (t_queueGone) {
    return nullptr;
  }
  thread_local QueueOwner owner;
  return owner.queue();
}

ThreadQueue* QueueOfLocked(Registry& registry, ThreadId thread) {
  auto it = registry.queues.find(thread);
  return it == registry.queues.end() ? nullptr : it->second.get();
}

ThreadQueue* TargetQueueLocked(Registry& registry, TargetId target) {
  auto it = registry.targets.find(target);
  return it == registry.targets.end() ? nullptr : QueueOfLocked(registry, it->second.owner);
}

// The caller holds the lock; the hook comes back to be called once it is released, so a
// hook may post in turn.
PostOutcome QueueLocked(ThreadQueue& queue, const Message& message, Hook& hook) {
  if (queue.size() >= kMaxQueuedMessages) {
    return PostOutcome::QueueFull;
  }
  (message.target != 0 ? queue.forTargets : queue.forThread)
      .push_back({message, queue.nextSerial++});
  queue.arrived.notify_all();
  hook = queue.wakeup;
  return PostOutcome::Posted;
}

void Wake(const Hook& hook) {
  if (hook && *hook) {
    (*hook)();
  }
}

bool SameKind(const Message& message, TargetId target, MessageId id, WParam wParam) {
  return message.target == target && message.id == id && message.wParam == wParam;
}

// The next message of the queue (the oldest of both kinds, then a pending quit); the
// caller holds the lock.
std::optional<Message> TakeLocked(ThreadQueue& queue, bool remove) {
  std::deque<Queued>* oldest = queue.forTargets.empty() ? &queue.forThread : &queue.forTargets;
  if (!queue.forTargets.empty() && !queue.forThread.empty() &&
      queue.forThread.front().serial < queue.forTargets.front().serial) {
    oldest = &queue.forThread;
  }
  if (!oldest->empty()) {
    Message message = oldest->front().message;
    if (remove) {
      oldest->pop_front();
    }
    return message;
  }
  if (queue.quitCode) {
    Message quit{0, kQuitMessage, static_cast<WParam>(static_cast<LParam>(*queue.quitCode)), 0};
    if (remove) {
      queue.quitCode.reset();
    }
    return quit;
  }
  return std::nullopt;
}

// Whether a thread other than `self` runs a handler of `target`; the caller holds the lock.
bool RunningElsewhereLocked(const Registry& registry, TargetId target, ThreadId self) {
  auto [first, last] = registry.running.equal_range(target);
  return std::any_of(first, last, [self](const auto& entry) { return entry.second != self; });
}

// Ends what DispatchMessage registered in `running`. The handler is released first, so
// its captures are gone (or left to the destroyer) before a waiting destroy returns.
class RunningDispatch {
 public:
  RunningDispatch(Registry& registry, TargetId target, Handler& handler)
      : m_registry(registry), m_target(target), m_handler(handler) {}
  RunningDispatch(const RunningDispatch&) = delete;
  RunningDispatch& operator=(const RunningDispatch&) = delete;
  ~RunningDispatch() {
    m_handler.reset();
    {
      std::lock_guard lock(m_registry.mutex);
      auto [first, last] = m_registry.running.equal_range(m_target);
      const ThreadId self = CurrentThreadId();
      auto it =
          std::find_if(first, last, [self](const auto& entry) { return entry.second == self; });
      if (it != last) {
        m_registry.running.erase(it);
      }
    }
    m_registry.dispatchEnded.notify_all();
  }

 private:
  Registry& m_registry;
  TargetId m_target;
  Handler& m_handler;
};

}  // namespace

ThreadId CurrentThreadId() {
  static std::atomic<ThreadId> lastId{0};
  thread_local ThreadId id = ++lastId;
  return id;
}

TargetId CreateTarget(MessageHandler handler) {
  if (OwnQueue() == nullptr) {
    return 0;
  }
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  TargetId id = ++registry.lastTarget;
  while (id == 0 || registry.targets.contains(id)) {  // after wrapping around
    id = ++registry.lastTarget;
  }
  registry.targets.emplace(
      id,
      TargetRecord{CurrentThreadId(), std::make_shared<const MessageHandler>(std::move(handler))});
  return id;
}

void DestroyTarget(TargetId target) {
  Handler dropped;  // released after the lock: its captures may post
  Registry& registry = TheRegistry();
  std::unique_lock lock(registry.mutex);
  auto it = registry.targets.find(target);
  if (it == registry.targets.end()) {
    return;
  }
  dropped = std::move(it->second.handler);
  if (ThreadQueue* queue = QueueOfLocked(registry, it->second.owner)) {
    std::erase_if(queue->forTargets,
                  [target](const Queued& queued) { return queued.message.target == target; });
  }
  registry.targets.erase(it);
  // No new dispatch can start now. One already running elsewhere may still use what the
  // caller frees next; the caller's own (a handler destroying its target) is on its stack.
  const ThreadId self = CurrentThreadId();
  registry.dispatchEnded.wait(lock,
                              [&] { return !RunningElsewhereLocked(registry, target, self); });
}

bool TargetExists(TargetId target) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  return registry.targets.contains(target);
}

ThreadId TargetThread(TargetId target) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  auto it = registry.targets.find(target);
  return it == registry.targets.end() ? 0 : it->second.owner;
}

MessageTarget::MessageTarget(MessageHandler handler) : m_id(CreateTarget(std::move(handler))) {}

MessageTarget::MessageTarget(MessageTarget&& other) noexcept : m_id(std::exchange(other.m_id, 0)) {}

MessageTarget& MessageTarget::operator=(MessageTarget&& other) noexcept {
  if (this != &other) {
    if (m_id != 0) {
      DestroyTarget(m_id);
    }
    m_id = std::exchange(other.m_id, 0);
  }
  return *this;
}

MessageTarget::~MessageTarget() {
  if (m_id != 0) {
    DestroyTarget(m_id);
  }
}

bool PostMessageTo(TargetId target, MessageId id, WParam wParam, LParam lParam) {
  Hook hook;
  Registry& registry = TheRegistry();
  {
    std::lock_guard lock(registry.mutex);
    ThreadQueue* queue = TargetQueueLocked(registry, target);
    if (queue == nullptr ||
        QueueLocked(*queue, {target, id, wParam, lParam}, hook) != PostOutcome::Posted) {
      return false;
    }
  }
  Wake(hook);
  return true;
}

bool PostThreadMessageTo(ThreadId thread, MessageId id, WParam wParam, LParam lParam) {
  if (thread == CurrentThreadId()) {
    OwnQueue();  // a thread posting to itself means to read its queue
  }
  Hook hook;
  Registry& registry = TheRegistry();
  {
    std::lock_guard lock(registry.mutex);
    ThreadQueue* queue = QueueOfLocked(registry, thread);
    if (queue == nullptr ||
        QueueLocked(*queue, {0, id, wParam, lParam}, hook) != PostOutcome::Posted) {
      return false;
    }
  }
  Wake(hook);
  return true;
}

void PostQuitMessage(int exitCode) {
  ThreadQueue* queue = OwnQueue();
  if (queue == nullptr) {
    return;
  }
  Hook hook;
  {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    queue->quitCode = exitCode;
    queue->arrived.notify_all();
    hook = queue->wakeup;
  }
  Wake(hook);
}

std::optional<Message> PeekMessage(bool remove) {
  ThreadQueue* queue = OwnQueue();
  if (queue == nullptr) {
    return std::nullopt;
  }
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  return TakeLocked(*queue, remove);
}

std::optional<Message> GetMessageWithTimeout(int timeoutMs) {
  ThreadQueue* queue = OwnQueue();
  if (queue == nullptr) {
    return std::nullopt;
  }
  Registry& registry = TheRegistry();
  std::unique_lock lock(registry.mutex);
  auto ready = [queue] { return queue->ready(); };
  if (timeoutMs < 0) {
    queue->arrived.wait(lock, ready);
  } else if (!queue->arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
    return std::nullopt;
  }
  return TakeLocked(*queue, true);
}

bool GetMessage(Message& out) {
  std::optional<Message> message = GetMessageWithTimeout(-1);
  if (!message) {  // the thread is ending: nothing will ever arrive
    out = Message{0, kQuitMessage, 0, 0};
    return false;
  }
  out = *message;
  return out.id != kQuitMessage;
}

LParam DispatchMessage(const Message& message) {
  Registry& registry = TheRegistry();
  Handler handler;  // keeps it alive should it destroy its own target
  {
    std::lock_guard lock(registry.mutex);
    auto it = registry.targets.find(message.target);
    if (it == registry.targets.end() || !it->second.handler || !*it->second.handler) {
      return 0;
    }
    handler = it->second.handler;
    registry.running.emplace(message.target, CurrentThreadId());
  }
  RunningDispatch running(registry, message.target, handler);
  return (*handler)(message);
}

int PumpMessages() {
  ThreadQueue* queue = OwnQueue();
  if (queue == nullptr) {
    return 0;
  }
  Registry& registry = TheRegistry();
  std::unique_lock lock(registry.mutex);
  // What handlers post meanwhile waits for the next pump. Thread messages and a quit are
  // the loop's own: they stay queued for its PeekMessage or GetMessage.
  const std::uint64_t end = queue->nextSerial;
  int handled = 0;
  while (!queue->forTargets.empty() && queue->forTargets.front().serial < end) {
    Message message = queue->forTargets.front().message;
    queue->forTargets.pop_front();
    lock.unlock();
    DispatchMessage(message);
    ++handled;
    lock.lock();
  }
  return handled;
}

void SetWakeupHook(std::function<void()> hook) {
  ThreadQueue* queue = OwnQueue();
  if (queue == nullptr) {
    return;
  }
  Hook shared = hook ? std::make_shared<const std::function<void()>>(std::move(hook)) : nullptr;
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  queue->wakeup = std::move(shared);
}

namespace detail {

PostOutcome PostUnlessPending(TargetId target, MessageId id, WParam wParam, LParam lParam,
                              WakeUp& wakeUp) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  ThreadQueue* queue = TargetQueueLocked(registry, target);
  if (queue == nullptr) {
    return PostOutcome::NoTarget;
  }
  if (std::any_of(queue->forTargets.begin(), queue->forTargets.end(), [&](const Queued& queued) {
        return SameKind(queued.message, target, id, wParam);
      })) {
    return PostOutcome::AlreadyPending;
  }
  return QueueLocked(*queue, {target, id, wParam, lParam}, wakeUp);
}

void CallWakeUp(const WakeUp& wakeUp) {
  Wake(wakeUp);
}

std::size_t RemovePending(TargetId target, MessageId id, WParam wParam) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  ThreadQueue* queue = TargetQueueLocked(registry, target);
  if (queue == nullptr) {
    return 0;
  }
  return std::erase_if(queue->forTargets, [&](const Queued& queued) {
    return SameKind(queued.message, target, id, wParam);
  });
}

}  // namespace detail
}  // namespace zel::platform
