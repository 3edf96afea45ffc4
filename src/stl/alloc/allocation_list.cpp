#include "stl/alloc/allocation_list.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/no_case.h"
#include "stl/lang/cp1252_case.h"

namespace zel::stl {
namespace {

// Record layout: three length-prefixed strings in fixed fields, blank filled.
//   0 operand length, 1..9 operand (stored notation)
//  10 symbol length, 11..19 symbol
//  20 comment length, 21..63 comment; on writing byte 57 is 0 and 58..63 are blanks,
//     so a written comment keeps at most 36 characters.
struct Field {
  std::size_t lengthOffset;
  std::size_t capacity;
};
constexpr Field kOperandField{0, kMaxOperandLength};
constexpr Field kSymbolField{10, kMaxSymbolLength};
constexpr Field kCommentField{20, kMaxReadCommentLength};
constexpr std::size_t kTerminatorOffset = 57;

void PutField(std::string& record, Field field, std::string_view text, std::size_t limit) {
  const std::size_t length = std::min(text.size(), limit);
  record[field.lengthOffset] = static_cast<char>(length);
  record.replace(field.lengthOffset + 1, length, text.substr(0, length));
}

// A length byte beyond its field comes only from a damaged or foreign file; reading stops
// at the field's end rather than running into the next field or past the record.
std::string GetField(std::string_view record, Field field) {
  const auto length = static_cast<unsigned char>(record[field.lengthOffset]);
  return std::string(
      record.substr(field.lengthOffset + 1, std::min<std::size_t>(length, field.capacity)));
}

}  // namespace

std::string EncodeAllocationRecord(const AllocationEntry& entry) {
  std::string record(kAllocationRecordSize, ' ');
  PutField(record, kOperandField, entry.operand.stored, kMaxOperandLength);
  PutField(record, kSymbolField, entry.symbol, kMaxSymbolLength);
  PutField(record, kCommentField, entry.comment, kMaxStoredCommentLength);
  record[kTerminatorOffset] = '\0';
  std::fill(record.begin() + kTerminatorOffset + 1, record.end(), ' ');
  return record;
}

std::optional<AllocationEntry> DecodeAllocationRecord(std::string_view record) {
  if (record.size() < kAllocationRecordSize) return std::nullopt;
  AllocationEntry entry;
  if (!StoredToDisplay(GetField(record, kOperandField), entry.operand)) return std::nullopt;
  entry.symbol = GetField(record, kSymbolField);
  entry.comment = GetField(record, kCommentField);
  return entry;
}

std::vector<AllocationEntry> DecodeAllocationFile(std::string_view bytes, bool& complete) {
  std::vector<AllocationEntry> entries;
  complete = true;
  const std::size_t count = bytes.size() / kAllocationRecordSize;
  for (std::size_t i = 0; i < count; ++i) {
    auto entry =
        DecodeAllocationRecord(bytes.substr(i * kAllocationRecordSize, kAllocationRecordSize));
    if (!entry) {
      complete = false;
      break;
    }
    entries.push_back(std::move(*entry));
  }
  return entries;
}

bool AllocationList::load(const std::filesystem::path& path) {
  clear();
  m_path = path;
  const auto bytes = platform::ReadWholeFile(platform::ResolvePathNoCase(path));
  if (!bytes) return false;
  bool complete = false;
  m_entries = DecodeAllocationFile(*bytes, complete);
  return complete;
}

bool AllocationList::save() const {
  if (m_path.empty()) return false;
  std::string bytes;
  bytes.reserve(m_entries.size() * kAllocationRecordSize);
  for (const auto& entry : m_entries) bytes += EncodeAllocationRecord(entry);
  return platform::WriteFileAtomically(platform::ResolvePathNoCase(m_path), bytes);
}

const AllocationEntry* AllocationList::findByOperand(std::string_view stored) const {
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (i == m_edited) continue;
    if (platform::EqualsNoCase(m_entries[i].operand.stored, stored)) return &m_entries[i];
  }
  return nullptr;
}

const AllocationEntry* AllocationList::findBySymbol(std::string_view symbol) const {
  if (symbol.empty()) return nullptr;
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (i == m_edited) continue;
    if (EqualsNoCaseCp1252(m_entries[i].symbol, symbol)) return &m_entries[i];
  }
  return nullptr;
}

void AllocationList::append(AllocationEntry entry) {
  m_entries.push_back(std::move(entry));
}

void AllocationList::remove(std::size_t index) {
  if (index >= m_entries.size()) return;
  m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(index));
  // The edited entry keeps its identity across the removal of another one.
  if (m_edited && *m_edited == index) {
    m_edited.reset();
  } else if (m_edited && *m_edited > index) {
    --*m_edited;
  }
}

void AllocationList::clear() {
  m_entries.clear();
  m_edited.reset();
}

}  // namespace zel::stl
