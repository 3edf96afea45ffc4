#include "app/text/text_format.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace zel::app {

std::string FormatText(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list sizing;
  va_copy(sizing, args);
  const int length = std::vsnprintf(nullptr, 0, format, sizing);
  va_end(sizing);
  std::string result;
  if (length > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    result.assign(buffer.data(), static_cast<std::size_t>(length));
  }
  va_end(args);
  return result;
}

std::string FormatTextBounded(std::size_t maxLength, const char* format, std::va_list args) {
  std::vector<char> buffer(maxLength + 1);
  const int length = std::vsnprintf(buffer.data(), buffer.size(), format, args);
  if (length <= 0) return {};
  return std::string(buffer.data(), std::min<std::size_t>(length, maxLength));
}

std::string FillText(std::string_view pattern, std::string_view text) {
  std::string result(pattern);
  if (const auto at = result.find("%s"); at != std::string::npos) result.replace(at, 2, text);
  return result;
}

std::string StorableComment(std::string_view comment) {
  std::string result(comment);
  for (char& c : result) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return result;
}

}  // namespace zel::app
