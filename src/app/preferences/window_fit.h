#pragma once
// Keeping windows where the user can see them. Stored placements come from files that may
// have been written on another screen or edited by hand, so every one is brought inside
// the area it will be shown in before use: moved first, and shrunk only when it is larger
// than the area.

#include "app/preferences/window_placement.h"

namespace zel::app {

struct WindowSize {
  int width = 0;
  int height = 0;
  bool operator==(const WindowSize&) const = default;
};

// `window` moved, and shrunk where it is larger, so that it lies wholly inside `area`
// (right and bottom one past, as stored). A window without area (also one whose right
// or bottom lie before its left or top) takes `fallback`'s size, kept at its top left.
// An empty area leaves nothing to fit into: `window` comes back as it is.
WindowRect FitInside(const WindowRect& window, const WindowRect& area, WindowSize fallback);

// The same for a stored placement's normal rectangle; the rest is kept.
WindowPlacement FitPlacement(WindowPlacement placement, const WindowRect& area,
                             WindowSize fallback);

// Where a new window goes when `occupied` (a window that should stay visible, such as the
// message window along the bottom) takes part of `area`: the part above or below it,
// whichever is taller, when that leaves at least `minHeight`; else the whole area.
WindowRect FreeArea(const WindowRect& area, const WindowRect& occupied, int minHeight);

}  // namespace zel::app
