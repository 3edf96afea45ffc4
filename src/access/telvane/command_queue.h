#pragma once
// The commands waiting while one is on the wire: a ring of kQueueCapacity entries, oldest
// first. A full ring refuses; nothing is ever overwritten.

#include <array>
#include <cstddef>
#include <optional>

#include "access/telvane/command.h"
#include "access/telvane/limits.h"

namespace zel::telvane {

class CommandQueue {
 public:
  bool push(Command command);  // false when full
  std::optional<Command> pop();
  void clear();
  std::size_t size() const { return m_count; }
  bool full() const { return m_count == kQueueCapacity; }

 private:
  std::array<Command, kQueueCapacity> m_entries;
  std::size_t m_read = 0;
  std::size_t m_write = 0;
  std::size_t m_count = 0;
};

}  // namespace zel::telvane
