#pragma once
// Little-endian numbers in the byte layouts the controller reads (run file, update file,
// compiled modules). Readers take a span and an offset the caller has checked.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zel::build {

inline std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

inline std::uint32_t DoubleWord(std::span<const std::uint8_t> bytes, std::size_t at) {
  return static_cast<std::uint32_t>(Word(bytes, at)) |
         (static_cast<std::uint32_t>(Word(bytes, at + 2)) << 16);
}

inline void AppendWord(std::vector<std::uint8_t>& bytes, std::uint16_t value) {
  bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void AppendDoubleWord(std::vector<std::uint8_t>& bytes, std::uint32_t value) {
  AppendWord(bytes, static_cast<std::uint16_t>(value & 0xFFFF));
  AppendWord(bytes, static_cast<std::uint16_t>(value >> 16));
}

// The checksum of a record: the bytes' sum modulo 65536.
inline std::uint16_t ByteSum(std::span<const std::uint8_t> bytes, std::uint16_t start = 0) {
  std::uint32_t sum = start;
  for (std::uint8_t byte : bytes) sum += byte;
  return static_cast<std::uint16_t>(sum);
}

}  // namespace zel::build
