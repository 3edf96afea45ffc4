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

using Hook = std::shared_ptr<const std::function<void()>>;
using Handler = std::shared_ptr<const MessageHandler>;
using detail::PostOutcome;

struct Queued {
  Message message;
  std::uint64_t serial = 0;  // lets a pump stop at what was queued when it began
};

struct ThreadQueue {
  std::deque<Queued> messages;
  std::uint64_t nextSerial = 0;
  std::optional<int> quitCode;  // like the original, a quit is a flag behind the messages
  Hook wakeup;
  std::condition_variable arrived;
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
  if (queue.messages.size() >= kMaxQueuedMessages) {
    return PostOutcome::QueueFull;
  }
  queue.messages.push_back({message, queue.nextSerial++});
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

// The next message of the queue (queued ones first, then a pending quit); the caller
// holds the lock.
std::optional<Message> TakeLocked(ThreadQueue& queue, bool remove) {
  if (!queue.messages.empty()) {
    Message message = queue.messages.front().message;
    if (remove) {
      queue.messages.pop_front();
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
  std::lock_guard lock(registry.mutex);
  auto it = registry.targets.find(target);
  if (it == registry.targets.end()) {
    return;
  }
  dropped = std::move(it->second.handler);
  if (ThreadQueue* queue = QueueOfLocked(registry, it->second.owner)) {
    std::erase_if(queue->messages,
                  [target](const Queued& queued) { return queued.message.target == target; });
  }
  registry.targets.erase(it);
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
  auto ready = [queue] { return !queue->messages.empty() || queue->quitCode.has_value(); };
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
  Handler handler;
  {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    auto it = registry.targets.find(message.target);
    if (it == registry.targets.end()) {
      return 0;
    }
    handler = it->second.handler;  // keeps it alive should it destroy its own target
  }
  return handler && *handler ? (*handler)(message) : 0;
}

int PumpMessages() {
  ThreadQueue* queue = OwnQueue();
  if (queue == nullptr) {
    return 0;
  }
  Registry& registry = TheRegistry();
  std::unique_lock lock(registry.mutex);
  // What handlers post meanwhile waits for the next pump, and a quit for the caller.
  const std::uint64_t end = queue->nextSerial;
  int handled = 0;
  while (!queue->messages.empty() && queue->messages.front().serial < end &&
         queue->messages.front().message.id != kQuitMessage) {
    Message message = queue->messages.front().message;
    queue->messages.pop_front();
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

PostOutcome PostUnlessPending(TargetId target, MessageId id, WParam wParam, LParam lParam) {
  Hook hook;
  Registry& registry = TheRegistry();
  {
    std::lock_guard lock(registry.mutex);
    ThreadQueue* queue = TargetQueueLocked(registry, target);
    if (queue == nullptr) {
      return PostOutcome::NoTarget;
    }
    if (std::any_of(queue->messages.begin(), queue->messages.end(), [&](const Queued& queued) {
          return SameKind(queued.message, target, id, wParam);
        })) {
      return PostOutcome::AlreadyPending;
    }
    if (PostOutcome outcome = QueueLocked(*queue, {target, id, wParam, lParam}, hook);
        outcome != PostOutcome::Posted) {
      return outcome;
    }
  }
  Wake(hook);
  return PostOutcome::Posted;
}

std::size_t RemovePending(TargetId target, MessageId id, WParam wParam) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  ThreadQueue* queue = TargetQueueLocked(registry, target);
  if (queue == nullptr) {
    return 0;
  }
  return std::erase_if(queue->messages, [&](const Queued& queued) {
    return SameKind(queued.message, target, id, wParam);
  });
}

}  // namespace detail
}  // namespace zel::platform
