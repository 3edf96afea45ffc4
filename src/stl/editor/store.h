#pragma once
// Display lines as the editor shows them back to the stored form of a program file.
// Keywords become their codes, operands their stored notation, symbols `:`name`;`; a
// display line may yield several stored lines, one per statement part. A line that cannot
// be converted completely is kept as typed behind `?`, so nothing typed is lost.

#include <string>
#include <string_view>
#include <vector>

namespace zel::stl {

struct StoreResult {
  std::vector<std::string> lines;  // the stored lines
  bool converted = true;           // false when a line became a `?` line
  std::string rejected;            // of the first such line: from the word no rule reads on
};

// One display line (without its line break).
StoreResult DisplayLineToStored(std::string_view line);

// Several display lines, broken at CR LF, LF or CR; each converts on its own.
StoreResult DisplayTextToStored(std::string_view text);

}  // namespace zel::stl
