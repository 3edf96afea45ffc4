#pragma once
// The controller's run-time entries that compiled code calls through far pointers in its
// module header.

#include <array>
#include <cstdint>
#include <string_view>

namespace zel::emu {

inline constexpr std::uint8_t kEntryCallCmp = 0x24;
inline constexpr std::uint8_t kEntryTimer = 0x28;
inline constexpr std::uint8_t kEntryCallCfm = 0x2C;
inline constexpr std::uint8_t kEntryReadFu = 0x34;
inline constexpr std::uint8_t kEntryWriteFu = 0x38;
inline constexpr std::uint8_t kEntryReadFi = 0x3C;
inline constexpr std::uint8_t kEntryProgramState = 0x40;
inline constexpr std::uint8_t kEntryReportFaultWord = 0x44;

// Timer service function codes.
inline constexpr std::uint16_t kTimerStart = 1;
inline constexpr std::uint16_t kTimerReset = 2;
inline constexpr std::uint16_t kTimerStartOnDelay = 3;
inline constexpr std::uint16_t kTimerStartOffDelay = 4;

struct RuntimeEntry {
  std::uint8_t offset = 0;   // of the far pointer in the module header
  std::uint8_t removes = 0;  // argument bytes the entry's far return removes
  std::string_view name;
};

inline constexpr std::array<RuntimeEntry, 8> kRuntimeEntries{{
    {kEntryCallCmp, 2, "call CMP"},
    {kEntryTimer, 4, "timer service"},
    {kEntryCallCfm, 2, "call CFM"},
    {kEntryReadFu, 2, "read FU"},
    {kEntryWriteFu, 4, "write FU"},
    {kEntryReadFi, 0, "read FI"},
    {kEntryProgramState, 0, "program state"},
    {kEntryReportFaultWord, 2, "report EW"},
}};

}  // namespace zel::emu
