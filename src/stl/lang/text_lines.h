#pragma once
// Lines of a text as the editor and program files break them: at CR LF, at a lone LF and
// at a lone CR. A break at the very end starts no further line.

#include <string>
#include <string_view>
#include <vector>

namespace zel::stl {

inline constexpr std::string_view kFileLineEnd = "\r\n";

struct TextLine {
  std::string_view text;
  bool endsInLoneCr = false;  // ended by a CR that no LF follows
};

std::vector<TextLine> SplitLines(std::string_view text);

// Every line followed by `lineEnd`.
std::string JoinLines(const std::vector<std::string>& lines, std::string_view lineEnd);

}  // namespace zel::stl
