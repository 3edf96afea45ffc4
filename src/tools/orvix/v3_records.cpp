#include "tools/orvix/v3_records.h"

#include <algorithm>

#include "platform/code_page.h"

namespace zel::orvix {

namespace {

constexpr std::size_t kProjectNameCapacity = 20;
constexpr std::size_t kCommentOffset = 21;
constexpr std::size_t kCommentCapacity = 61;
constexpr std::size_t kKonfigTextCapacity = 40;

constexpr std::size_t kModuleNameCapacity = 8;
constexpr std::size_t kModuleExtensionOffset = 9;
constexpr std::size_t kModuleExtensionCapacity = 3;
constexpr std::size_t kModuleSelectedOffset = 13;

constexpr std::size_t kIoModuleCapacity = 20;
constexpr std::size_t kIoNumberCapacity = 3;
constexpr std::size_t kIoSwitchOffset = 21;
constexpr std::size_t kIoIwOffset = 25;
constexpr std::size_t kIoOwOffset = 29;

constexpr std::size_t kRunModeCapacity = 40;
constexpr std::size_t kDriverNameCapacity = 9;

// The allocation list record (the same layout in both versions).
constexpr std::size_t kSymbolOffset = 11;
constexpr std::size_t kSymbolCapacity = 9;
constexpr std::size_t kAllocCommentLengthOffset = 20;
constexpr std::size_t kAllocCommentOffset = 21;
constexpr std::size_t kAllocCommentKept = 36;
constexpr std::size_t kCommentEndMark = 57;
constexpr std::size_t kLastByte = 63;

}  // namespace

std::string CountedString(std::string_view record, std::size_t offset, std::size_t capacity) {
  if (offset >= record.size()) return {};
  const std::size_t available = record.size() - offset - 1;
  std::size_t length = static_cast<unsigned char>(record[offset]);
  length = std::min({length, capacity, available});
  return std::string(record.substr(offset + 1, length));
}

std::vector<std::string_view> WholeRecords(std::string_view data, std::size_t size) {
  std::vector<std::string_view> records;
  if (size == 0) return records;
  for (std::size_t at = 0; data.size() - at >= size; at += size) {
    records.push_back(data.substr(at, size));
  }
  return records;
}

std::optional<std::string> ReadKonfigProjectsPath(std::string_view data) {
  const auto records = WholeRecords(data, kKonfigRecordSize);
  if (records.size() <= kKonfigPathRecord) return std::nullopt;
  std::string text = CountedString(records[kKonfigPathRecord], 0, kKonfigTextCapacity);
  if (text.empty()) return std::nullopt;
  text.pop_back();
  if (text.empty()) return std::nullopt;
  return text;
}

std::vector<ProjectListEntry> ReadProjectList(std::string_view data) {
  std::vector<ProjectListEntry> entries;
  for (std::string_view record : WholeRecords(data, kProjectListRecordSize)) {
    entries.push_back({CountedString(record, 0, kProjectNameCapacity),
                       CountedString(record, kCommentOffset, kCommentCapacity)});
  }
  return entries;
}

std::vector<ModuleRecord> ReadModuleList(std::string_view data) {
  std::vector<ModuleRecord> modules;
  for (std::string_view record : WholeRecords(data, kModuleRecordSize)) {
    modules.push_back({CountedString(record, 0, kModuleNameCapacity),
                       CountedString(record, kModuleExtensionOffset, kModuleExtensionCapacity),
                       record[kModuleSelectedOffset] == '*',
                       CountedString(record, kCommentOffset, kCommentCapacity)});
  }
  return modules;
}

std::vector<IoRecord> ReadIoConfiguration(std::string_view data) {
  std::vector<IoRecord> entries;
  for (std::string_view record : WholeRecords(data, kIoRecordSize)) {
    entries.push_back({CountedString(record, 0, kIoModuleCapacity),
                       CountedString(record, kIoSwitchOffset, kIoNumberCapacity),
                       CountedString(record, kIoIwOffset, kIoNumberCapacity),
                       CountedString(record, kIoOwOffset, kIoNumberCapacity)});
  }
  return entries;
}

std::vector<std::string> ReadRunModeTexts(std::string_view data) {
  std::vector<std::string> texts;
  for (std::string_view record : WholeRecords(data, kRunModeRecordSize)) {
    texts.push_back(CountedString(record, 0, kRunModeCapacity));
  }
  return texts;
}

std::vector<std::string> ReadDriverNames(std::string_view data) {
  std::vector<std::string> names;
  for (std::string_view record : WholeRecords(data, kDriverRecordSize)) {
    names.push_back(CountedString(record, 0, kDriverNameCapacity));
  }
  return names;
}

std::string ConvertAllocationList(std::string_view data) {
  std::string out;
  for (std::string_view in : WholeRecords(data, kAllocationRecordSize)) {
    std::string record(in);
    // The list keeps 36 comment characters: byte 57 ends them, so a longer comment
    // would carry that mark inside it.
    auto& commentLength = reinterpret_cast<unsigned char&>(record[kAllocCommentLengthOffset]);
    commentLength =
        static_cast<unsigned char>(std::min<std::size_t>(commentLength, kAllocCommentKept));
    const std::string symbol =
        platform::OemToCp1252(std::string_view(record).substr(kSymbolOffset, kSymbolCapacity));
    record.replace(kSymbolOffset, kSymbolCapacity, symbol);
    const std::string comment = platform::OemToCp1252(std::string_view(record).substr(
        kAllocCommentOffset, kCommentEndMark - kAllocCommentOffset));
    record.replace(kAllocCommentOffset, comment.size(), comment);
    record[kCommentEndMark] = '\0';
    record[kLastByte] = ' ';
    out += record;
  }
  return out;
}

}  // namespace zel::orvix
