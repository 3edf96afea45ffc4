#include "app/preferences/window_placement.h"

#include <array>
#include <cstdio>

#include "app/text/field_scanner.h"

namespace zel::app {

namespace {

constexpr std::size_t kPlacementFields = 10;

bool AllFitInt(const long long* first, const long long* last) {
  for (const long long* value = first; value != last; ++value) {
    if (!FitsInt(*value)) return false;
  }
  return true;
}

}  // namespace

std::optional<WindowPlacement> ParsePlacement(std::string_view text) {
  std::array<long long, kPlacementFields> v{};
  if (!ScanExactly(text, ',', v)) return std::nullopt;
  if (!FitsUnsigned(v[0]) || !FitsUnsigned(v[1]) || !AllFitInt(&v[2], v.data() + v.size())) {
    return std::nullopt;
  }
  WindowPlacement p;
  p.flags = static_cast<unsigned>(v[0]);
  p.showCommand = static_cast<unsigned>(v[1]);
  p.minPosition = {static_cast<int>(v[2]), static_cast<int>(v[3])};
  p.maxPosition = {static_cast<int>(v[4]), static_cast<int>(v[5])};
  p.normal = {static_cast<int>(v[6]), static_cast<int>(v[7]), static_cast<int>(v[8]),
              static_cast<int>(v[9])};
  return p;
}

std::string FormatPlacement(const WindowPlacement& p, bool maximized, bool minimized) {
  const unsigned flags =
      (maximized ? kPlacementMaximizedFlag : 0u) + (minimized ? kPlacementMinimizedFlag : 0u);
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d", flags, p.showCommand,
                p.minPosition.x, p.minPosition.y, p.maxPosition.x, p.maxPosition.y, p.normal.left,
                p.normal.top, p.normal.right, p.normal.bottom);
  return buffer;
}

std::optional<ScreenSize> ParseScreenSize(std::string_view text) {
  std::array<long long, 2> v{};
  if (ScanNumbers(text, ',', v) != v.size() || !FitsInt(v[0]) || !FitsInt(v[1])) {
    return std::nullopt;
  }
  return ScreenSize{static_cast<int>(v[0]), static_cast<int>(v[1])};
}

std::string FormatScreenSize(ScreenSize size) {
  return std::to_string(size.width) + "," + std::to_string(size.height);
}

}  // namespace zel::app
