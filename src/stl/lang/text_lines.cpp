#include "stl/lang/text_lines.h"

namespace zel::stl {

std::vector<TextLine> SplitLines(std::string_view text) {
  std::vector<TextLine> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back({text.substr(start), false});
      break;
    }
    const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    lines.push_back({text.substr(start, end - start), text[end] == '\r' && !crLf});
    start = end + (crLf ? 2 : 1);
  }
  return lines;
}

std::string JoinLines(const std::vector<std::string>& lines, std::string_view lineEnd) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += lineEnd;
  }
  return text;
}

}  // namespace zel::stl
