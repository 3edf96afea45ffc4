#include "app/preferences/stl_bar_state.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>

#include "app/preferences/window_fit.h"
#include "app/text/field_scanner.h"

namespace zel::app {

std::optional<StlBarState> ParseStlBar(std::string_view text) {
  std::array<long long, 6> v{};
  if (ScanNumbers(text, ',', v) != v.size()) return std::nullopt;
  if (!FitsInt(v[0]) || !FitsInt(v[1]) || !FitsUnsigned(v[2]) || !FitsInt(v[3]) || !FitsInt(v[4]) ||
      !FitsUnsigned(v[5])) {
    return std::nullopt;
  }
  StlBarState state;
  state.visible = v[0] != 0;
  state.floating = v[1] != 0;
  state.width = static_cast<unsigned>(v[2]);
  state.left = static_cast<int>(v[3]);
  state.top = static_cast<int>(v[4]);
  state.dockSide = static_cast<unsigned>(v[5]);
  return state;
}

std::string FormatStlBar(const StlBarState& s) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%d,%d,%u,%d,%d,%u", s.visible ? 1 : 0, s.floating ? 1 : 0,
                s.width, s.left, s.top, s.dockSide);
  return buffer;
}

StlBarState DefaultStlBar(int clientRight, int clientTop) {
  StlBarState state;
  state.left = clientRight - static_cast<int>(kDefaultStlBarWidth);
  state.top = clientTop + kDefaultStlBarTopOffset;
  return state;
}

StlBarState FitStlBar(StlBarState state, int height, const WindowRect& screen, int defaultLeft,
                      int defaultTop) {
  const std::int64_t screenWidth = static_cast<std::int64_t>(screen.right) - screen.left;
  if (screenWidth <= 0 || screen.bottom <= screen.top) return state;
  // Width is unsigned in the file; one beyond int's range is as wide as the screen anyway.
  const int width = std::max(static_cast<int>(std::min<std::int64_t>(state.width, screenWidth)), 1);
  state.width = static_cast<unsigned>(width);
  if (!state.floating) return state;
  if (state.left == -1 && state.top == -1) {
    state.left = defaultLeft;
    state.top = defaultTop;
  }
  // The start goes inside first: a hand-edited one near int's end would overflow the sum.
  const int left = std::clamp(state.left, screen.left, screen.right - 1);
  const int top = std::clamp(state.top, screen.top, screen.bottom - 1);
  const int barHeight = static_cast<int>(std::min<std::int64_t>(
      std::max(height, 1), static_cast<std::int64_t>(screen.bottom) - screen.top));
  const WindowRect fitted =
      FitInside({left, top, left + width, top + barHeight}, screen, {width, barHeight});
  state.left = fitted.left;
  state.top = fitted.top;
  state.width = static_cast<unsigned>(fitted.right - fitted.left);
  return state;
}

}  // namespace zel::app
