// The highlighter colours whatever a line holds while it is typed: any bytes must give
// spans in line order, not overlapping and inside the line, with a colour for every
// character other than blanks, operators and brackets; and a line converts to the stored
// form exactly when nothing in it is coloured unknown.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "stl/editor/display_colouring.h"
#include "stl/editor/display_words.h"
#include "stl/editor/store.h"
#include "stl/lang/stored_form.h"

namespace {

using namespace zel::stl;

void Check(bool condition) {
  if (!condition) std::abort();
}

bool IsUncoloured(char c) {
  return stored::IsBlank(c) || (IsDisplayDelimiter(c) && c != '"' && c != kListCommentMark);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  const auto spans = ColourDisplayLine(line);
  std::size_t end = 0;
  bool unknown = false;
  for (const DisplaySpan& span : spans) {
    Check(span.length > 0 && span.start >= end && span.length <= line.size() - span.start);
    for (std::size_t i = end; i < span.start; ++i) Check(IsUncoloured(line[i]));
    end = span.start + span.length;
    unknown = unknown || span.kind == DisplayTokenKind::Unknown;
  }
  for (std::size_t i = end; i < line.size(); ++i) Check(IsUncoloured(line[i]));
  // The conversion breaks a text at line ends; the highlighter sees one line at a time.
  if (line.find_first_of("\r\n") == std::string_view::npos)
    Check(unknown == !DisplayLineToStored(line).converted);
  return 0;
}
