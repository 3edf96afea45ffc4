#pragma once
// The project's allocation list: absolute operands with symbolic names and comments, kept
// in "C.BEL" as fixed 64-byte records. Texts are Windows-1252 bytes.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "stl/lang/operand.h"

namespace zel::stl {

inline constexpr const char* kAllocationListFile = "C.BEL";
inline constexpr std::size_t kAllocationRecordSize = 64;
inline constexpr std::size_t kMaxOperandLength = 9;
inline constexpr std::size_t kMaxSymbolLength = 9;
inline constexpr std::size_t kMaxStoredCommentLength = 36;  // what a record keeps on writing
inline constexpr std::size_t kMaxReadCommentLength = 43;    // what a record can hold on reading

struct AllocationEntry {
  Operand operand;  // stored and display notation with the numbers and class
  std::string symbol;
  std::string comment;
};

class AllocationList {
 public:
  // Reads the records; stops at the first invalid operand or short read, keeping what was
  // read before. False on a missing file (empty list) or when loading stopped early.
  bool load(const std::filesystem::path& path);
  // Writes every entry to the path it was loaded from (or set with setPath), replacing
  // the file in one step. False leaves the file as it was.
  bool save() const;

  const std::filesystem::path& path() const { return m_path; }
  void setPath(std::filesystem::path path) { m_path = std::move(path); }

  // First entry, other than the one being edited, whose stored operand / symbol equals the
  // text without regard to case. An empty symbol finds nothing.
  const AllocationEntry* findByOperand(std::string_view stored) const;
  const AllocationEntry* findBySymbol(std::string_view symbol) const;

  std::size_t size() const { return m_entries.size(); }
  const AllocationEntry& at(std::size_t index) const { return m_entries.at(index); }
  AllocationEntry& at(std::size_t index) { return m_entries.at(index); }
  const std::vector<AllocationEntry>& entries() const { return m_entries; }
  void append(AllocationEntry entry);
  void remove(std::size_t index);
  void clear();

  // The entry the duplicate checks skip while it is being edited; none by default.
  void setEditedEntry(std::optional<std::size_t> index) { m_edited = index; }
  std::optional<std::size_t> editedEntry() const { return m_edited; }

 private:
  std::filesystem::path m_path;
  std::vector<AllocationEntry> m_entries;
  std::optional<std::size_t> m_edited;
};

// The bytes of one record and back; exposed for the fuzz target and tests.
std::string EncodeAllocationRecord(const AllocationEntry& entry);
// Nothing when the record's operand is not valid.
std::optional<AllocationEntry> DecodeAllocationRecord(std::string_view record);
// Every record of a whole file's bytes, stopping at the first invalid one; `complete`
// tells whether every record was read.
std::vector<AllocationEntry> DecodeAllocationFile(std::string_view bytes, bool& complete);

}  // namespace zel::stl
