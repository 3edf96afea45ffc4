#include "build/scan_table.h"

#include <cstdio>
#include <optional>

#include "app/text/text_format.h"
#include "build/byte_order.h"
#include "library/io_configuration.h"
#include "library/io_entry.h"
#include "library/runtime_folder.h"
#include "platform/files.h"

namespace zel::build {

namespace {

constexpr std::string_view kAddressMarker = ";$EA";
constexpr std::string_view kInputMarker = ";$CE";
constexpr std::string_view kOutputMarker = ";$CA";

constexpr std::string_view kInvalidEntry =
    "ERROR: Invalid entry in IO scan table of this project\r\n";
constexpr std::string_view kInvalidSwitch = "ERROR: Invalid IO module switch position\r\n";
constexpr std::string_view kInvalidScript = "ERROR: Invalid IO scan script\r\n";

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// "$" + hex digits or decimal digits, fitting 32 bits.
std::optional<std::uint32_t> ReadAddress(std::string_view word) {
  int base = 10;
  if (!word.empty() && word.front() == '$') {
    base = 16;
    word.remove_prefix(1);
  }
  if (word.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : word) {
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return std::nullopt;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (value > 0xFFFFFFFF) return std::nullopt;
  }
  return static_cast<std::uint32_t>(value);
}

// The address list of a ";$EA" line: the words from the first "$" on; the first
// kScanSwitchPositions of them are read, the rest belong to positions the build cannot
// place a module at. nullopt when one of those read is not a number.
std::optional<std::vector<std::uint32_t>> ReadAddressList(std::string_view line) {
  line.remove_prefix(kAddressMarker.size());
  const std::size_t dollar = line.find('$');
  line.remove_prefix(dollar == std::string_view::npos ? line.size() : dollar);
  std::vector<std::uint32_t> addresses;
  while (addresses.size() < static_cast<std::size_t>(kScanSwitchPositions)) {
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (line.empty()) break;
    std::size_t length = 0;
    while (length < line.size() && !IsBlank(line[length])) ++length;
    const std::optional<std::uint32_t> address = ReadAddress(line.substr(0, length));
    if (!address) return std::nullopt;
    addresses.push_back(*address);
    line.remove_prefix(length);
  }
  return addresses;
}

// The text's lines without their ends (and without control characters at their ends).
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    while (!line.empty() &&
           (static_cast<unsigned char>(line.back()) < 0x20 || line.back() == 0x7F)) {
      line.remove_suffix(1);
    }
    lines.push_back(line);
  }
  return lines;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

void ReadSection(const std::vector<std::string_view>& lines, std::size_t first,
                 std::string_view endMarker, const library::IoEntry& entry,
                 const ScanPlaceholders& values, ScanTable& table, BuildLog& log) {
  for (std::size_t i = first; i < lines.size() && !StartsWith(lines[i], endMarker); ++i) {
    const ScanLine line = lines[i].size() > kScanLineMax ? ScanLine{ScanLineStatus::Invalid, {}}
                                                         : ParseScanLine(lines[i], values);
    const unsigned number = static_cast<unsigned>(i + 1);
    switch (line.status) {
      case ScanLineStatus::Blank:
        break;
      case ScanLineStatus::Invalid:
        log.error(kInvalidScript);
        break;
      case ScanLineStatus::OutOfRange:
        log.error(app::FormatText("ERROR: Value out of range in IO scan script %s, line %u\r\n",
                                  entry.module.c_str(), number));
        break;
      case ScanLineStatus::Command:
        if (table.commands.size() < kMaxScanCommands) {
          table.commands.push_back(line.command);
        } else if (!table.full) {
          table.full = true;
          log.error(app::FormatText(
              "ERROR: Too many IO scan commands (at most %u) at %s, line %u\r\n",
              static_cast<unsigned>(kMaxScanCommands), entry.module.c_str(), number));
        }
        break;
    }
  }
}

void AddModule(ScanDirection direction, const ScanTableInputs& inputs, std::string_view text,
               ScanTable& table, BuildLog& log) {
  const std::optional<library::IoEntry> entry = library::ParseIoEntry(text);
  if (!entry) {
    log.error(kInvalidEntry);
    return;
  }
  if (entry->switchPosition < 0 || entry->switchPosition >= kScanSwitchPositions) {
    log.error(kInvalidSwitch);
    return;
  }
  // A name is a file of the library folder, never a path out of it.
  std::optional<std::string> script;
  if (entry->module.find_first_of("/\\") == std::string::npos) {
    script = platform::ReadWholeFile(
        library::RuntimeFilePath(inputs.programDirectory, inputs.type, entry->module));
  }
  if (!script) {
    log.error(app::FormatText("ERROR: Cannot read IO scan description (.IOD) for %s\r\n",
                              entry->module.c_str()));
    return;
  }
  AppendModuleScan(direction, *entry, *script, table, log);
}

}  // namespace

void AppendModuleScan(ScanDirection direction, const library::IoEntry& entry,
                      std::string_view script, ScanTable& table, BuildLog& log) {
  log.print(app::FormatText("%s Module:  %s , %d , %d , %d\r\n",
                            direction == ScanDirection::Input ? "Input" : "Output",
                            entry.module.c_str(), entry.switchPosition, entry.iw, entry.ow));

  const std::string_view start = direction == ScanDirection::Input ? kInputMarker : kOutputMarker;
  const std::string_view end = direction == ScanDirection::Input ? kOutputMarker : kInputMarker;
  const std::vector<std::string_view> lines = Lines(script);
  std::optional<std::optional<std::vector<std::uint32_t>>> addresses;
  std::size_t section = 0;
  for (; section < lines.size(); ++section) {
    const std::string_view line = lines[section].substr(0, kScanLineMax);
    if (StartsWith(line, start)) break;
    if (!addresses && StartsWith(line, kAddressMarker)) addresses = ReadAddressList(line);
  }
  if (!addresses || !*addresses) {
    log.error(kInvalidScript);
    return;
  }
  const std::vector<std::uint32_t>& list = **addresses;
  // The walk refuses these positions before it reads a script; a caller may not have.
  if (entry.switchPosition < 0 || entry.switchPosition >= kScanSwitchPositions) {
    log.error(kInvalidSwitch);
    return;
  }
  const auto position = static_cast<std::size_t>(entry.switchPosition);
  // Address 0 marks a position the card does not decode.
  if (position >= list.size() || list[position] == 0) {
    log.error(kInvalidSwitch);
    return;
  }
  const ScanPlaceholders values{list[position], entry.iw, entry.ow};
  ReadSection(lines, section + 1, end, entry, values, table, log);
}

std::vector<std::string> ReadIoEntries(const app::ProjectFile& project, std::string_view type) {
  return project.numberedValues(library::IoSectionName(type), library::kIoEntryKeyPrefix);
}

std::vector<ScanCommand> BuildScanTable(ScanDirection direction, const ScanTableInputs& inputs,
                                        BuildLog& log) {
  ScanTable table;
  for (const std::string& entry : inputs.entries) AddModule(direction, inputs, entry, table, log);
  return std::move(table.commands);
}

std::vector<std::uint8_t> ScanTablePayload(std::span<const ScanCommand> table) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(table.size() * kScanCommandSize);
  for (const ScanCommand& command : table) {
    AppendWord(bytes, command.code);
    AppendDoubleWord(bytes, command.arg1);
    AppendWord(bytes, command.arg2);
  }
  return bytes;
}

std::uint16_t ScanRecordType(ScanDirection direction) {
  return direction == ScanDirection::Input ? kInputScanRecord : kOutputScanRecord;
}

}  // namespace zel::build
