#pragma once
// Making texts: printf-style formatting into a std::string (checked by the compiler like
// printf), filling a message pattern, and the form a free text is stored in.

#include <cstdarg>
#include <cstddef>
#include <string>
#include <string_view>

namespace zel::app {

// The whole result, however long.
[[gnu::format(printf, 1, 2)]] std::string FormatText(const char* format, ...);
// At most maxLength characters of the result, as a bounded buffer of maxLength + 1 bytes
// holds them.
std::string FormatTextBounded(std::size_t maxLength, const char* format, std::va_list args);

// `pattern` with its first "%s" replaced by `text`. Message patterns keep their printf
// form so they read exactly as the user sees them; the text is never taken as a format.
std::string FillText(std::string_view pattern, std::string_view text);

// A comment as one line of a profile file can hold it: line breaks and other control
// characters would split the line, so they become blanks.
std::string StorableComment(std::string_view comment);

}  // namespace zel::app
