#include "platform/named_mutex.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <unordered_map>

namespace zel::platform {

// Ownership belongs to a thread, not to a NamedMutex object: every object of one name in
// the process shares this state.
struct NamedMutex::State {
  std::mutex mutex;
  std::condition_variable released;
  std::thread::id owner;  // default: nobody
  unsigned depth = 0;     // how often the owner has locked it
};

namespace {

struct NameRegistry {
  std::mutex mutex;
  std::unordered_map<std::string, std::weak_ptr<NamedMutex::State>> states;
};

// Never destroyed: a named mutex held in a static object may outlive ordinary statics.
NameRegistry& Names() {
  static NameRegistry& names = *new NameRegistry;
  return names;
}

std::shared_ptr<NamedMutex::State> OpenState(const std::string& name) {
  NameRegistry& names = Names();
  std::lock_guard lock(names.mutex);
  std::weak_ptr<NamedMutex::State>& entry = names.states[name];
  std::shared_ptr<NamedMutex::State> state = entry.lock();
  if (!state) {
    state = std::make_shared<NamedMutex::State>();
    entry = state;
  }
  return state;
}

}  // namespace

NamedMutex::NamedMutex(std::string_view name) : m_name(name), m_state(OpenState(m_name)) {}

NamedMutex::~NamedMutex() {
  NameRegistry& names = Names();
  std::lock_guard lock(names.mutex);
  m_state.reset();
  if (auto it = names.states.find(m_name); it != names.states.end() && it->second.expired()) {
    names.states.erase(it);
  }
}

void NamedMutex::lock() {
  tryLockFor(-1);
}

// A negative time-out waits without limit.
bool NamedMutex::tryLockFor(int timeoutMs) {
  State& state = *m_state;
  const std::thread::id self = std::this_thread::get_id();
  std::unique_lock lock(state.mutex);
  auto free = [&] { return state.depth == 0 || state.owner == self; };
  if (timeoutMs < 0) {
    state.released.wait(lock, free);
  } else if (!state.released.wait_for(lock, std::chrono::milliseconds(timeoutMs), free)) {
    return false;
  }
  state.owner = self;
  ++state.depth;
  return true;
}

// Like the original, a thread that does not own the mutex cannot release it.
void NamedMutex::unlock() {
  State& state = *m_state;
  {
    std::lock_guard lock(state.mutex);
    if (state.depth == 0 || state.owner != std::this_thread::get_id()) {
      return;
    }
    if (--state.depth > 0) {
      return;
    }
    state.owner = std::thread::id();
  }
  state.released.notify_one();
}

}  // namespace zel::platform
