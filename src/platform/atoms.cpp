#include "platform/atoms.h"

#include <mutex>
#include <unordered_map>
#include <vector>

namespace zel::platform {
namespace {

// String atoms live in the upper quarter of the 16-bit range, below it the original
// platform kept integer atoms.
constexpr Atom kFirstAtom = 0xC000;
constexpr Atom kLastAtom = 0xFFFF;
constexpr std::size_t kTableCapacity = std::size_t{kLastAtom} - kFirstAtom + 1;

struct Slot {
  std::string text;
  std::size_t references = 0;  // 0: free
};

class Table {
 public:
  Atom add(std::string_view text);
  std::string name(Atom atom, std::size_t bufferSize) const;
  bool remove(Atom atom);
  std::size_t count() const;

 private:
  const Slot* slotLocked(Atom atom) const;
  Atom allocateLocked();

  mutable std::mutex m_mutex;
  std::vector<Slot> m_slots;             // index = atom - kFirstAtom
  std::vector<std::size_t> m_freeSlots;  // indices of freed slots, reused first
  std::unordered_map<std::string, Atom> m_byText;
};

Atom Table::add(std::string_view text) {
  if (text.empty() || text.size() > kAtomMaxLength) {
    return 0;
  }
  std::lock_guard lock(m_mutex);
  if (auto it = m_byText.find(std::string(text)); it != m_byText.end()) {
    ++m_slots[it->second - kFirstAtom].references;
    return it->second;
  }
  const Atom atom = allocateLocked();
  if (atom == 0) {
    return 0;
  }
  Slot& slot = m_slots[atom - kFirstAtom];
  slot.text.assign(text);
  slot.references = 1;
  m_byText.emplace(slot.text, atom);
  return atom;
}

// The caller holds the lock; 0 when every handle is taken.
Atom Table::allocateLocked() {
  if (!m_freeSlots.empty()) {
    const std::size_t index = m_freeSlots.back();
    m_freeSlots.pop_back();
    return static_cast<Atom>(kFirstAtom + index);
  }
  if (m_slots.size() == kTableCapacity) {
    return 0;
  }
  m_slots.emplace_back();
  return static_cast<Atom>(kFirstAtom + m_slots.size() - 1);
}

const Slot* Table::slotLocked(Atom atom) const {
  if (atom < kFirstAtom || std::size_t{atom} - kFirstAtom >= m_slots.size()) {
    return nullptr;
  }
  const Slot& slot = m_slots[atom - kFirstAtom];
  return slot.references == 0 ? nullptr : &slot;
}

std::string Table::name(Atom atom, std::size_t bufferSize) const {
  std::lock_guard lock(m_mutex);
  const Slot* slot = slotLocked(atom);
  if (slot == nullptr || bufferSize == 0) {
    return {};
  }
  return slot->text.substr(0, bufferSize - 1);
}

bool Table::remove(Atom atom) {
  std::lock_guard lock(m_mutex);
  if (slotLocked(atom) == nullptr) {
    return false;
  }
  Slot& slot = m_slots[atom - kFirstAtom];
  if (--slot.references == 0) {
    m_byText.erase(slot.text);
    slot.text.clear();
    m_freeSlots.push_back(atom - kFirstAtom);
  }
  return true;
}

std::size_t Table::count() const {
  std::lock_guard lock(m_mutex);
  return m_byText.size();
}

// Never destroyed: a worker may still hand over a text while the process exits.
Table& TableOf(AtomTable table) {
  static Table& global = *new Table;
  static Table& local = *new Table;
  return table == AtomTable::Global ? global : local;
}

}  // namespace

Atom AddAtom(AtomTable table, std::string_view text) {
  return TableOf(table).add(text);
}

std::string AtomName(AtomTable table, Atom atom, std::size_t bufferSize) {
  return TableOf(table).name(atom, bufferSize);
}

bool DeleteAtom(AtomTable table, Atom atom) {
  return TableOf(table).remove(atom);
}

std::size_t AtomCount(AtomTable table) {
  return TableOf(table).count();
}

}  // namespace zel::platform
