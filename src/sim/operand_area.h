#pragma once
// Offsets into the module's operand area that the controller itself reads or writes.

#include <cstddef>

namespace zel::emu {

inline constexpr std::size_t kOperandAreaSize = 27298;
inline constexpr std::size_t kProgramStateOffset = 23072;  // 2 bytes per program
inline constexpr int kProgramCount = 64;
inline constexpr std::size_t kTimerOffset = 23200;  // status byte of timer 0
inline constexpr std::size_t kTimerStride = 10;
inline constexpr int kTimerCount = 256;
inline constexpr std::size_t kFaultWordOffset = 25760;  // displayed as EW
inline constexpr std::size_t kFuOffset = 25762;         // FU 0, 2 bytes each

// The FU words the controller keeps outside the area; reached through entries 0x34 / 0x38.
inline constexpr int kFirstEntryFu = 32;
inline constexpr int kLastEntryFu = 38;
inline constexpr int kEntryFuCount = kLastEntryFu - kFirstEntryFu + 1;

inline constexpr int kModuleCount = 100;  // CMP / CFM numbers 0..99

}  // namespace zel::emu
