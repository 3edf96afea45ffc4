#pragma once
// How the online windows write the values they read: one display mode for every 16-bit
// value, timer values as seconds.

#include <cstdint>
#include <string>

namespace zel::access {

enum class WordDisplay { Signed, Unsigned, Hex };

// "%hd", "%hu" or "$%04hX" of the value's low 16 bits; `dollar` false gives the counter
// page's "%04hX".
std::string FormatWord(std::int64_t value, WordDisplay mode, bool dollar = true);
// Hundredths of a second as seconds with two decimals: 250 -> "2.50".
std::string FormatHundredths(std::int64_t hundredths);

}  // namespace zel::access
