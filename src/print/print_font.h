#pragma once
// "PRINT_FONT": "%[a-zA-Z0-9 ],%d,%d,%d" = face name, size in points, weight, italic. Unlike
// the editor's font the size stays in points: the printer's resolution is known only once
// a device is chosen.

#include <string>
#include <string_view>

namespace zel::print {

inline constexpr std::string_view kPrintFontKey = "PRINT_FONT";
inline constexpr std::string_view kDefaultPrintFont = "Courier New,9,400,0";

struct PrintFont {
  std::string face = "Courier New";
  int points = 9;
  int weight = 400;
  bool italic = false;
  bool operator==(const PrintFont&) const = default;
};

// A value that does not read whole (a face with other characters, a missing number, a
// size or weight that is not positive) gives the default font.
PrintFont ParsePrintFont(std::string_view text);

// The font's height in device units: size x vertical resolution / 72.
int PrintFontHeight(const PrintFont& font, int dpiY);

}  // namespace zel::print
