#include "app/preferences/font_setting.h"

#include <cstdlib>

#include "app/text/field_scanner.h"

namespace zel::app {

namespace {

constexpr int kPointsPerInch = 72;

// a * b / c rounded half away from zero, as the desktop's MulDiv does.
long long MulDivRounded(long long a, long long b, long long c) {
  const long long product = a * b;
  const long long magnitude = (std::llabs(product) + c / 2) / c;
  return product < 0 ? -magnitude : magnitude;
}

int SaneDpi(int dpi) {
  return dpi > 0 ? dpi : kDefaultScreenDpi;
}

bool IsFaceChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == ' ';
}

}  // namespace

int PointsToHeight(int points, int dpi) {
  return static_cast<int>(-MulDivRounded(points, SaneDpi(dpi), kPointsPerInch));
}

int HeightToPoints(int height, int dpi) {
  return static_cast<int>(-MulDivRounded(height, kPointsPerInch, SaneDpi(dpi)));
}

std::optional<FontSetting> ParseFont(std::string_view text, int dpi) {
  FieldScanner scanner(text);
  auto face = scanner.run(IsFaceChar, kFaceNameMax);
  if (!face || !scanner.literal(',')) return std::nullopt;
  const auto points = scanner.number();
  if (!points || !scanner.literal(',')) return std::nullopt;
  const auto weight = scanner.number();
  if (!weight || !scanner.literal(',')) return std::nullopt;
  const auto italic = scanner.number();
  // A size beyond any real font would only overflow the pixel arithmetic.
  constexpr long long kMaxPoints = 10000;
  if (!italic || *points == 0 || std::llabs(*points) > kMaxPoints || !FitsInt(*weight)) {
    return std::nullopt;
  }
  FontSetting font;
  font.face = std::move(*face);
  font.height = PointsToHeight(static_cast<int>(*points), dpi);
  font.weight = static_cast<int>(*weight);
  font.italic = *italic != 0;
  return font;
}

std::optional<std::string> FormatFont(const FontSetting& font, int dpi) {
  if (font.height == 0) return std::nullopt;
  return font.face + "," + std::to_string(HeightToPoints(font.height, dpi)) + "," +
         std::to_string(font.weight) + "," + (font.italic ? "1" : "0");
}

}  // namespace zel::app
