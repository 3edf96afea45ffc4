#pragma once
// The colours of one display line for the editor's highlighter. A line is read word by
// word with the rules the conversion to the stored form uses, so what is coloured as a
// keyword, operand or symbol is what committing the line will make of it. Each line is
// coloured on its own: the highlighter calls this whenever a line changes.

#include <cstddef>
#include <string_view>
#include <vector>

namespace zel::stl {

class AllocationList;

enum class DisplayTokenKind {
  Keyword,
  Operand,
  Symbol,
  Constant,
  TimeValue,
  Label,
  Comment,
  ListComment,
  Unknown,
  // A symbol the allocation list does not hold: the compilation will refuse it.
  UnknownSymbol
};

struct DisplaySpan {
  std::size_t start = 0;
  std::size_t length = 0;
  DisplayTokenKind kind = DisplayTokenKind::Unknown;
  bool operator==(const DisplaySpan&) const = default;
};

// Spans in line order, not overlapping; blanks, operators and brackets get none. Bytes
// are Windows-1252; any bytes are accepted. With `symbols`, a symbol it does not hold is
// an UnknownSymbol; without, every symbol is just a Symbol.
std::vector<DisplaySpan> ColourDisplayLine(std::string_view line,
                                           const AllocationList* symbols = nullptr);

}  // namespace zel::stl
