#pragma once
// The statement-list shortcut bar's state as kept in "STL_BAR":
// "%d,%d,%u,%ld,%ld,%u" = visible, floating, width, left and top when floating (else
// -1,-1), dock side when docked (0 when floating).

#include <optional>
#include <string>
#include <string_view>

#include "app/preferences/window_placement.h"

namespace zel::app {

// Dock side identifiers kept from the files of earlier versions.
inline constexpr unsigned kDockTop = 59419;
inline constexpr unsigned kDockLeft = 59420;
inline constexpr unsigned kDockRight = 59421;
inline constexpr unsigned kDockBottom = 59422;

inline constexpr unsigned kDefaultStlBarWidth = 230;
// The default floating position lies this far below the top of the frame's client area.
inline constexpr int kDefaultStlBarTopOffset = 20;

struct StlBarState {
  bool visible = true;
  bool floating = true;
  unsigned width = kDefaultStlBarWidth;
  int left = -1;
  int top = -1;
  unsigned dockSide = kDockRight;
  bool operator==(const StlBarState&) const = default;
};

std::optional<StlBarState> ParseStlBar(std::string_view text);
std::string FormatStlBar(const StlBarState& state);

// Visible and floating, its width left of the client area's right edge, a little below
// its top (screen coordinates of the main frame's client area).
StlBarState DefaultStlBar(int clientRight, int clientTop);

// The state brought inside `screen` (the available part of the screen the bar is shown
// on) before use: a floating bar `height` high is moved, and narrowed when wider, until
// it lies wholly inside; a docked bar only keeps to the screen's width. A floating bar
// without a position (-1,-1) takes `defaultLeft`,`defaultTop` first.
StlBarState FitStlBar(StlBarState state, int height, const WindowRect& screen, int defaultLeft,
                      int defaultTop);

}  // namespace zel::app
