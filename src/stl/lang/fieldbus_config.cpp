#include "stl/lang/fieldbus_config.h"

#include <algorithm>

namespace zel::stl {
namespace {

constexpr std::size_t kTypeByte = 0;
constexpr std::size_t kInputCountByte = 3;
constexpr std::size_t kOutputCountByte = 6;
// The two top bits of the type byte: 00 and 10 are stations the controller addresses by
// units; bit 0x20 marks stations whose units are double words.
constexpr std::uint8_t kTopBits = 0xC0;
constexpr std::uint8_t kDoubleUnits = 0x20;
constexpr std::int32_t kHighestByteBit = 7;

bool IsInput(OperandClass c) {
  return c == OperandClass::Input || c == OperandClass::InputWord;
}

bool IsBitOperand(OperandClass c) {
  return c == OperandClass::Input || c == OperandClass::Output;
}

}  // namespace

FieldbusConfig FieldbusConfig::FromBytes(std::optional<std::string_view> bytes) {
  FieldbusConfig config;
  if (!bytes) return config;
  if (bytes->size() != kFieldbusConfigSize) {
    config.m_state = State::Unreadable;
    return config;
  }
  std::transform(bytes->begin(), bytes->end(), config.m_bytes.begin(),
                 [](char c) { return static_cast<std::uint8_t>(c); });
  config.m_state = State::Ready;
  return config;
}

std::uint8_t FieldbusConfig::stationType(int station) const {
  if (m_state != State::Ready || station < 0 || station >= static_cast<int>(kFieldbusStations))
    return 0;
  return m_bytes[static_cast<std::size_t>(station) * kFieldbusRecordSize + kTypeByte];
}

bool FieldbusConfig::accepts(const Operand& operand) const {
  if (m_state != State::Ready || !IsFieldbus(operand)) return false;
  const std::int32_t station = operand.first;
  const std::int32_t word = operand.second;
  if (station < 0 || station >= static_cast<std::int32_t>(kFieldbusStations) || word < 0)
    return false;
  const std::uint8_t* record = &m_bytes[static_cast<std::size_t>(station) * kFieldbusRecordSize];
  const std::uint8_t type = record[kTypeByte];
  if (type == 0) return false;
  const std::uint8_t top = type & kTopBits;
  if (top != 0x00 && top != 0x80) return false;
  const bool input = IsInput(operand.classIndex);
  int units = record[input ? kInputCountByte : kOutputCountByte];
  // Below half the count, not the count halved and cut: three units take words 0 and 1.
  if (type & kDoubleUnits) return 2 * word < units;
  if (IsBitOperand(operand.classIndex) && operand.third > kHighestByteBit) return false;
  return word < units;
}

FieldbusVerdict FieldbusCheck::check(const Operand& operand) {
  if (!m_config) {
    const std::optional<std::string> bytes = m_reader ? m_reader() : std::nullopt;
    m_config = FieldbusConfig::FromBytes(bytes);
  }
  switch (m_config->state()) {
    case FieldbusConfig::State::Missing:
      return FieldbusVerdict::NotConfigured;
    case FieldbusConfig::State::Unreadable:
      if (m_unreadableReported) return FieldbusVerdict::Accepted;
      m_unreadableReported = true;
      return FieldbusVerdict::Unreadable;
    case FieldbusConfig::State::Ready:
      break;
  }
  return m_config->accepts(operand) ? FieldbusVerdict::Accepted : FieldbusVerdict::NotConfigured;
}

}  // namespace zel::stl
