#pragma once
// The compiled module file: a 128-byte header, the machine code, then the usage records
// that the linker and the cross reference read.

#include <cstdint>
#include <vector>

#include "stl/codegen/translator.h"

namespace zel::stl {

inline constexpr std::uint16_t kObjectJumpWord = 0x7EEB;  // EB 7E: over the header
inline constexpr std::uint16_t kObjectHeaderWords = 36;
inline constexpr std::uint16_t kObjectFormat = 2;
inline constexpr std::uint16_t kLanguageStatementList = 0;

std::vector<std::uint8_t> ObjectFileBytes(const std::vector<std::uint8_t>& code,
                                          const code::UsageRecords& usage);

}  // namespace zel::stl
