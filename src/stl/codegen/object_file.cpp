#include "stl/codegen/object_file.h"

namespace zel::stl {
namespace {

void PutWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<std::uint8_t>(value & 0xFF);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void AppendWord(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

std::uint8_t UnitByte(int units) {
  return static_cast<std::uint8_t>(units < 0 ? 0 : units > 0xFF ? 0xFF : units);
}

}  // namespace

std::vector<std::uint8_t> ObjectFileBytes(const std::vector<std::uint8_t>& code,
                                          const code::UsageRecords& usage) {
  std::vector<std::uint8_t> bytes(code::kHeaderSize, 0);
  const auto mapOffset = static_cast<std::uint16_t>(code.size() + code::kHeaderSize);
  PutWord(bytes, 0, kObjectJumpWord);
  PutWord(bytes, 2, kLanguageStatementList);
  PutWord(bytes, 4, kObjectHeaderWords);
  PutWord(bytes, 6, kObjectFormat);
  // Words 20 and 22 (the sentence count and its eighth) stay 0.
  PutWord(bytes, 24, mapOffset);
  PutWord(bytes, 26, static_cast<std::uint16_t>(code::kOperandAreaSize));
  bytes.insert(bytes.end(), code.begin(), code.end());
  bytes.insert(bytes.end(), usage.operands.begin(), usage.operands.end());
  for (std::uint16_t used : usage.cmp) AppendWord(bytes, used);
  for (std::uint16_t used : usage.cfm) AppendWord(bytes, used);
  AppendWord(bytes, static_cast<std::uint16_t>(usage.stations.size()));
  for (const code::StationUse& station : usage.stations) {
    bytes.push_back(static_cast<std::uint8_t>(station.station));
    bytes.push_back(station.type);
    bytes.push_back(UnitByte(station.inputUnits));
    bytes.push_back(UnitByte(station.outputUnits));
  }
  return bytes;
}

}  // namespace zel::stl
