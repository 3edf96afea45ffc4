// "C.BEL" comes from disk and may have been written by another tool or damaged: any bytes
// must decode without reading outside a record, and what decodes must write back to a
// file that reads the same entries (comments cut to what a record keeps).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "stl/alloc/allocation_list.h"
#include "stl/alloc/allocation_order.h"

namespace {

using namespace zel::stl;

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckEntry(const AllocationEntry& entry) {
  Operand again;
  Check(StoredToDisplay(entry.operand.stored, again) && again == entry.operand);
  Check(!entry.operand.stored.empty() && entry.operand.stored.size() <= kMaxOperandLength);
  Check(entry.symbol.size() <= kMaxSymbolLength);
  Check(entry.comment.size() <= kMaxReadCommentLength);
}

void CheckRecordLayout(std::string_view record) {
  Check(record.size() == kAllocationRecordSize);
  Check(static_cast<unsigned char>(record[0]) <= kMaxOperandLength);
  Check(static_cast<unsigned char>(record[10]) <= kMaxSymbolLength);
  Check(static_cast<unsigned char>(record[20]) <= kMaxStoredCommentLength);
  Check(record[57] == '\0' && record.substr(58) == "      ");
}

std::string Encode(const std::vector<AllocationEntry>& entries) {
  std::string bytes;
  for (const auto& entry : entries) bytes += EncodeAllocationRecord(entry);
  return bytes;
}

void CheckOrderIsAPermutation(const std::vector<AllocationEntry>& entries) {
  AllocationList list;
  for (const auto& entry : entries) list.append(entry);
  for (const auto column :
       {AllocationColumn::Operand, AllocationColumn::Symbol, AllocationColumn::Comment}) {
    auto order = AllocationOrder(list, column, entries.size() % 2 == 1);
    std::sort(order.begin(), order.end());
    for (std::size_t i = 0; i < order.size(); ++i) Check(order[i] == i);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view image(reinterpret_cast<const char*>(data), size);
  bool complete = false;
  const auto entries = DecodeAllocationFile(image, complete);
  const std::size_t records = size / kAllocationRecordSize;
  Check(entries.size() <= records && complete == (entries.size() == records));
  for (const auto& entry : entries) CheckEntry(entry);

  const std::string written = Encode(entries);
  Check(written.size() == entries.size() * kAllocationRecordSize);
  for (std::size_t at = 0; at < written.size(); at += kAllocationRecordSize)
    CheckRecordLayout(std::string_view(written).substr(at, kAllocationRecordSize));

  bool rereadComplete = false;
  const auto reread = DecodeAllocationFile(written, rereadComplete);
  Check(rereadComplete && reread.size() == entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    Check(reread[i].operand == entries[i].operand && reread[i].symbol == entries[i].symbol);
    Check(reread[i].comment == entries[i].comment.substr(0, kMaxStoredCommentLength));
  }
  Check(Encode(reread) == written);
  CheckOrderIsAPermutation(entries);
  return 0;
}
