#pragma once
// The parts of a compiled module file that a controller needs before it can run the
// module: the 128-byte header followed by the machine code. The usage records after the
// code are the compiler's business and are not looked at here.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zel::emu {

inline constexpr std::size_t kHeaderSize = 128;
inline constexpr std::size_t kMaxCodeSize = 65000;
// Header word offsets the controller checks or fills.
inline constexpr std::size_t kHeaderJump = 0;  // the bytes EB 7E
inline constexpr std::size_t kHeaderFormat = 6;
inline constexpr std::uint16_t kFormatValue = 2;
inline constexpr std::size_t kHeaderCodeEnd = 24;  // code size + 128
inline constexpr std::size_t kHeaderOperandArea = 0x08;
inline constexpr std::size_t kHeaderResume = 0x1C;
inline constexpr std::size_t kHeaderSavedResume = 0x1E;
inline constexpr std::size_t kHeaderCondition = 0x20;
inline constexpr std::size_t kHeaderActiveStep = 0x22;
inline constexpr std::size_t kHeaderInputStations = 0x68;
inline constexpr std::size_t kHeaderOutputStations = 0x6C;

// Little-endian word of `bytes` at `offset`; the caller has checked the size.
std::uint16_t ImageWord(std::span<const std::uint8_t> bytes, std::size_t offset);

// Why `file` cannot be run, or nothing when its header and code are usable.
std::optional<std::string> CheckModuleImage(std::span<const std::uint8_t> file);

}  // namespace zel::emu
