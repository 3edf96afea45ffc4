#include "app/preferences/window_fit.h"

#include <algorithm>
#include <cstdint>

namespace zel::app {

namespace {

// Hand-edited numbers may lie anywhere in int's range: differences are taken wide.
std::int64_t Extent(int from, int to) {
  return static_cast<std::int64_t>(to) - from;
}

// One axis: the start kept inside [low, high - size] with size at most high - low.
void FitAxis(int& start, std::int64_t& size, int low, int high) {
  const std::int64_t room = Extent(low, high);
  size = std::min(size, room);
  const std::int64_t latest = static_cast<std::int64_t>(high) - size;
  start = static_cast<int>(std::clamp<std::int64_t>(start, low, latest));
}

}  // namespace

WindowRect FitInside(const WindowRect& window, const WindowRect& area, WindowSize fallback) {
  if (Extent(area.left, area.right) <= 0 || Extent(area.top, area.bottom) <= 0) return window;
  std::int64_t width = Extent(window.left, window.right);
  std::int64_t height = Extent(window.top, window.bottom);
  if (width <= 0 || height <= 0) {
    width = std::max(fallback.width, 1);
    height = std::max(fallback.height, 1);
  }
  int left = window.left;
  int top = window.top;
  FitAxis(left, width, area.left, area.right);
  FitAxis(top, height, area.top, area.bottom);
  return {left, top, static_cast<int>(left + width), static_cast<int>(top + height)};
}

WindowPlacement FitPlacement(WindowPlacement placement, const WindowRect& area,
                             WindowSize fallback) {
  placement.normal = FitInside(placement.normal, area, fallback);
  return placement;
}

WindowRect FreeArea(const WindowRect& area, const WindowRect& occupied, int minHeight) {
  const int top = std::clamp(occupied.top, area.top, area.bottom);
  const int bottom = std::clamp(occupied.bottom, area.top, area.bottom);
  const bool overlaps = occupied.left < area.right && occupied.right > area.left && top < bottom;
  if (!overlaps) return area;
  const std::int64_t above = Extent(area.top, top);
  const std::int64_t below = Extent(bottom, area.bottom);
  if (std::max(above, below) < minHeight) return area;
  if (above >= below) return {area.left, area.top, area.right, top};
  return {area.left, bottom, area.right, area.bottom};
}

}  // namespace zel::app
