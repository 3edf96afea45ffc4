#pragma once
// Where the emulated controller puts things in the processor's first megabyte. Each part
// has its own segment, so a wrong segment or offset lands in memory the module may not
// write, and the write is reported.

#include <cstdint>

namespace zel::emu {

inline constexpr std::uint16_t kModuleSegment = 0x1000;   // CS: header at 0, code at 128
inline constexpr std::uint16_t kOperandSegment = 0x2000;  // operand area at offset 0
inline constexpr std::uint16_t kRuntimeSegment = 0x3000;  // entry stubs and return address
inline constexpr std::uint16_t kHaltOffset = 0x0010;      // the controller's return address
inline constexpr std::uint16_t kFirstStubOffset = 0x0100;
inline constexpr std::uint16_t kStubStride = 0x10;
inline constexpr std::uint16_t kTableSegment = 0x4000;  // the two station pointer tables
inline constexpr std::uint16_t kInputTableOffset = 0x0000;
inline constexpr std::uint16_t kOutputTableOffset = 0x0200;
inline constexpr std::uint16_t kStationSegment = 0x5000;
inline constexpr std::uint16_t kInputStationsOffset = 0x0000;
inline constexpr std::uint16_t kOutputStationsOffset = 0x4000;
// Stations lie 128 bytes apart, so a unit beyond a station's 64 bytes hits a gap.
inline constexpr std::uint16_t kStationStride = 0x80;
inline constexpr std::uint16_t kStackSegment = 0x7000;
inline constexpr std::uint16_t kStackTop = 0xFFF0;

// What entries leave in registers they may change, and what the caller holds in the
// registers the module must keep.
inline constexpr std::uint16_t kGarbage = 0xDEAD;
inline constexpr std::uint16_t kCallerBp = 0xB0B0;
inline constexpr std::uint16_t kCallerSi = 0x5151;
inline constexpr std::uint16_t kCallerDi = 0xD1D1;
inline constexpr std::uint16_t kCallerDs = 0x0D5E;
inline constexpr std::uint16_t kCallerEs = 0x0E5E;

}  // namespace zel::emu
