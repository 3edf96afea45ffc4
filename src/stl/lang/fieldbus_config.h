#pragma once
// The fieldbus configuration "CR.CFG" a project may hold: 100 records of 7 bytes, one per
// station number 0..99. Byte 0 is the station type (0: not configured), byte 3 the number
// of input units, byte 6 the number of output units. The file is written by the fieldbus
// configuration tool; the checker only reads it, once per check.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "stl/lang/operand.h"

namespace zel::stl {

inline constexpr const char* kFieldbusConfigFile = "CR.CFG";
inline constexpr std::size_t kFieldbusStations = 100;
inline constexpr std::size_t kFieldbusRecordSize = 7;
inline constexpr std::size_t kFieldbusConfigSize = kFieldbusStations * kFieldbusRecordSize;

class FieldbusConfig {
 public:
  enum class State { Missing, Unreadable, Ready };

  // Nothing stands for a missing file; any length but 700 bytes is unreadable.
  static FieldbusConfig FromBytes(std::optional<std::string_view> bytes);

  State state() const { return m_state; }
  // Whether the fieldbus operand (I/O s.w.b, IW/OW s.w) addresses a configured station
  // and unit; false when the configuration is not Ready.
  bool accepts(const Operand& operand) const;
  // The type byte of a station 0..99 (0: not configured, or no Ready configuration).
  std::uint8_t stationType(int station) const;

 private:
  State m_state = State::Missing;
  std::array<std::uint8_t, kFieldbusConfigSize> m_bytes{};
};

// What the checker makes of one fieldbus operand.
enum class FieldbusVerdict {
  Accepted,
  NotConfigured,
  Unreadable,  // the configuration cannot be read; given once, later operands pass unchecked
};

// Reads the configuration when the first fieldbus operand of a check asks for it.
class FieldbusCheck {
 public:
  using Reader = std::function<std::optional<std::string>()>;
  explicit FieldbusCheck(Reader reader) : m_reader(std::move(reader)) {}

  FieldbusVerdict check(const Operand& operand);

 private:
  Reader m_reader;
  std::optional<FieldbusConfig> m_config;
  bool m_unreadableReported = false;
};

}  // namespace zel::stl
