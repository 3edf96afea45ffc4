#pragma once
// printf-style formatting into a std::string, checked by the compiler like printf.

#include <cstdarg>
#include <cstddef>
#include <string>

namespace zel::app {

// The whole result, however long.
[[gnu::format(printf, 1, 2)]] std::string FormatText(const char* format, ...);
// At most maxLength characters of the result, as a bounded buffer of maxLength + 1 bytes
// holds them.
std::string FormatTextBounded(std::size_t maxLength, const char* format, std::va_list args);

}  // namespace zel::app
