#include "access/telvane/command_queue.h"

#include <utility>

namespace zel::telvane {

bool CommandQueue::push(Command command) {
  if (full()) return false;
  m_entries[m_write] = std::move(command);
  m_write = (m_write + 1) % kQueueCapacity;
  ++m_count;
  return true;
}

std::optional<Command> CommandQueue::pop() {
  if (m_count == 0) return std::nullopt;
  Command command = std::move(m_entries[m_read]);
  m_entries[m_read] = Command{};
  m_read = (m_read + 1) % kQueueCapacity;
  --m_count;
  return command;
}

void CommandQueue::clear() {
  while (pop()) {
  }
  m_read = m_write = 0;
}

}  // namespace zel::telvane
