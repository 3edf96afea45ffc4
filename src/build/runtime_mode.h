#pragma once
// The run-time mode block of the run file: 32 bytes that tell the controller's kernel how
// to start and supervise the project. The build fills it from the controller settings and
// the fieldbus driver's settings; the run file lister reads it back.

#include <array>
#include <cstdint>
#include <span>

namespace zel::build {

inline constexpr std::size_t kRuntimeModeSize = 32;

// Byte 0.
inline constexpr std::uint8_t kModeAutoStart = 0x01;
inline constexpr std::uint8_t kModeRunStopInput = 0x02;
inline constexpr std::uint8_t kModeResetPrograms = 0x04;
inline constexpr std::uint8_t kModeZeroOutputs = 0x08;
inline constexpr std::uint8_t kModeErrorOutput = 0x10;
inline constexpr std::uint8_t kModeKolvaFieldbus = 0x20;
inline constexpr std::uint8_t kModeProfibus = 0x40;
inline constexpr std::uint8_t kModeFieldbusSoftErrors = 0x80;
// Byte 1.
inline constexpr std::uint8_t kModeNominalConfiguration = 0x01;

struct RuntimeMode {
  std::uint8_t flags = kModeResetPrograms | kModeZeroOutputs;
  std::uint8_t fieldbusFlags = 0;
  std::uint16_t runStopWord = 0;
  std::uint16_t runStopMask = 0;
  std::int16_t errorProgram = -1;  // -1: none
  std::uint16_t errorOutputWord = 0;
  std::uint16_t errorOutputMask = 0;
  std::uint16_t fieldbusSwitch = 0;  // "CP61SWPOS"
  std::uint16_t fieldbusInterrupt = 0;
  std::uint16_t fieldbusBaud = 0;

  std::array<std::uint8_t, kRuntimeModeSize> bytes() const;
  // A block shorter than 32 bytes reads as zeros where it ends.
  static RuntimeMode FromBytes(std::span<const std::uint8_t> bytes);
  bool operator==(const RuntimeMode&) const = default;
};

}  // namespace zel::build
