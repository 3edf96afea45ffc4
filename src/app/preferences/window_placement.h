#pragma once
// Window placements as stored in the preferences file ("MAIN_WINDOW") and in section
// "WINDOWS" of a project file: ten numbers, the fields of the desktop's placement record
// in their historical order, so files written by earlier versions still restore.

#include <optional>
#include <string>
#include <string_view>

namespace zel::app {

struct WindowPoint {
  int x = -1;
  int y = -1;
  bool operator==(const WindowPoint&) const = default;
};

struct WindowRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const WindowRect&) const = default;
};

inline constexpr unsigned kPlacementMinimizedFlag = 1;  // restore the minimised position
inline constexpr unsigned kPlacementMaximizedFlag = 2;  // restore to maximised
inline constexpr unsigned kShowNormal = 1;

struct WindowPlacement {
  unsigned flags = 0;
  unsigned showCommand = kShowNormal;
  WindowPoint minPosition;
  WindowPoint maxPosition;
  WindowRect normal;
  bool operator==(const WindowPlacement&) const = default;
};

// "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d"; anything but exactly ten numbers in range is nullopt.
std::optional<WindowPlacement> ParsePlacement(std::string_view text);
// The flags are made anew from the window's state; the stored ones are not trusted.
std::string FormatPlacement(const WindowPlacement& placement, bool maximized, bool minimized);

// Normal show, rectangle 0,0 to 250,350.
inline constexpr std::string_view kDefaultProjectTreePlacement = "0,1,-1,-1,-1,-1,0,0,250,350";

// "SCREEN_SIZE": the screen the stored placements were taken on.
struct ScreenSize {
  int width = 0;
  int height = 0;
  bool operator==(const ScreenSize&) const = default;
};

std::optional<ScreenSize> ParseScreenSize(std::string_view text);  // "%d,%d"
std::string FormatScreenSize(ScreenSize size);

}  // namespace zel::app
