#include "app/preferences/stl_bar_state.h"

#include <array>
#include <cstdio>

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

}  // namespace zel::app
