#pragma once
// Named mutexes shared by everything in the process that opens the same name. Like the
// original platform's, they are recursive for the owning thread.

#include <memory>
#include <string>
#include <string_view>

namespace zel::platform {

class NamedMutex {
 public:
  explicit NamedMutex(std::string_view name);  // opens, creating on first use
  ~NamedMutex();
  NamedMutex(const NamedMutex&) = delete;
  NamedMutex& operator=(const NamedMutex&) = delete;

  void lock();
  bool tryLockFor(int timeoutMs);
  void unlock();
  const std::string& name() const { return m_name; }

  struct State;

 private:
  std::string m_name;
  std::shared_ptr<State> m_state;
};

}  // namespace zel::platform
