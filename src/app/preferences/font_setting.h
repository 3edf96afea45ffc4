#pragma once
// Fonts as kept in "STL_FONT" and "PRINT_FONT": "%s,%d,%d,%d" = face name, size in
// points, weight, italic. The program itself works with a character height in pixels
// (negative: the height of the characters without leading), which depends on the
// screen's resolution.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zel::app {

// The longest face name the desktop's font records hold.
inline constexpr std::size_t kFaceNameMax = 31;
inline constexpr int kDefaultScreenDpi = 96;

struct FontSetting {
  std::string face;
  int height = 0;  // pixels; 0 means no font is chosen
  int weight = 400;
  bool italic = false;
  bool operator==(const FontSetting&) const = default;
};

// -round(points * dpi / 72) and back; a dpi that is not positive counts as the default.
int PointsToHeight(int points, int dpi);
int HeightToPoints(int height, int dpi);

// Only a face of letters and blanks reads; anything else, and a size of 0, is nullopt so
// the caller's default font serves.
std::optional<FontSetting> ParseFont(std::string_view text, int dpi);
// nullopt for a font of height 0: the key is then removed, not written.
std::optional<std::string> FormatFont(const FontSetting& font, int dpi);

}  // namespace zel::app
