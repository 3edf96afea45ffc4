#include "app/preferences/window_fit.h"

#include <gtest/gtest.h>

#include <climits>

#include "app/preferences/stl_bar_state.h"

namespace zel::app {
namespace {

// A work area that does not start at the origin, as a screen right of another one does.
constexpr WindowRect kArea{100, 50, 1100, 850};
constexpr WindowSize kFallback{400, 300};

TEST(WindowFitTest, BringsEveryStoredRectangleInside) {
  struct Case {
    const char* what;
    WindowRect stored;
    WindowRect fitted;
  };
  const Case cases[] = {
      {"inside stays", {200, 100, 600, 400}, {200, 100, 600, 400}},
      {"touching the edges stays", {100, 50, 1100, 850}, {100, 50, 1100, 850}},
      {"half off the right moves left", {900, 100, 1300, 400}, {700, 100, 1100, 400}},
      {"off the bottom moves up", {200, 800, 600, 1100}, {200, 550, 600, 850}},
      {"left of the area moves right", {-131, 70, 99, 370}, {100, 70, 330, 370}},
      {"above the area moves down", {200, -500, 600, -200}, {200, 50, 600, 350}},
      {"wider than the area shrinks", {0, 100, 2000, 400}, {100, 100, 1100, 400}},
      {"taller than the area shrinks", {200, -100, 600, 2000}, {200, 50, 600, 850}},
      {"far away on another screen", {5000, 3000, 5400, 3300}, {700, 550, 1100, 850}},
      {"no area takes the fallback size", {300, 200, 300, 200}, {300, 200, 700, 500}},
      {"reversed corners take the fallback", {600, 400, 200, 100}, {600, 400, 1000, 700}},
      {"hand-edited extremes", {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, {100, 50, 1100, 850}},
      {"hand-edited far corner",
       {INT_MAX - 5, INT_MAX - 5, INT_MAX, INT_MAX},
       {1095, 845, 1100, 850}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitInside(c.stored, kArea, kFallback), c.fitted) << c.what;
  }
}

TEST(WindowFitTest, AnEmptyAreaLeavesTheWindowAsItIs) {
  const WindowRect window{10, 20, 30, 40};
  EXPECT_EQ(FitInside(window, {0, 0, 0, 0}, kFallback), window);
  EXPECT_EQ(FitInside(window, {0, 0, 500, -1}, kFallback), window);
}

TEST(WindowFitTest, APlacementKeepsItsStateWhileItsRectangleIsFitted) {
  const auto stored = ParsePlacement("2,3,-1,-1,-4,-4,900,700,1500,1200");
  ASSERT_TRUE(stored);
  const WindowPlacement fitted = FitPlacement(*stored, kArea, kFallback);
  EXPECT_EQ(fitted.flags, 2u);
  EXPECT_EQ(fitted.showCommand, 3u);
  EXPECT_EQ(fitted.maxPosition, (WindowPoint{-4, -4}));
  EXPECT_EQ(fitted.normal, (WindowRect{500, 350, 1100, 850}));
}

TEST(WindowFitTest, NewWindowsKeepClearOfTheOccupiedBand) {
  struct Case {
    const char* what;
    WindowRect occupied;
    WindowRect free;
  };
  const Case cases[] = {
      {"band along the bottom", {100, 600, 1100, 850}, {100, 50, 1100, 600}},
      {"band along the top", {100, 50, 1100, 300}, {100, 300, 1100, 850}},
      {"elsewhere entirely", {2000, 600, 2500, 850}, kArea},
      {"too little left above", {100, 150, 1100, 850}, kArea},
      {"partly outside below", {100, 700, 1100, 1500}, {100, 50, 1100, 700}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FreeArea(kArea, c.occupied, 200), c.free) << c.what;
  }
}

// The floating bar's state from "STL_BAR": first start, hand-edited and off-screen values.
TEST(WindowFitTest, TheShortcutBarIsBroughtOntoTheScreen) {
  constexpr WindowRect kScreen{0, 0, 1400, 876};
  constexpr int kHeight = 300;
  struct Case {
    const char* what;
    StlBarState stored;
    StlBarState fitted;
  };
  const Case cases[] = {
      {"first start: no position takes the default",
       {true, true, 230, -1, -1, 0},
       {true, true, 230, 1150, 100, 0}},
      {"first start with a client area not laid out yet",
       {true, true, 230, -131, 60, 0},
       {true, true, 230, 0, 60, 0}},
      {"inside stays", {true, true, 230, 500, 300, 0}, {true, true, 230, 500, 300, 0}},
      {"off the right edge", {false, true, 230, 1300, 300, 0}, {false, true, 230, 1170, 300, 0}},
      {"below the screen", {true, true, 230, 500, 2000, 0}, {true, true, 230, 500, 576, 0}},
      {"hand-edited width wider than the screen",
       {true, true, 99999, 10, 10, 0},
       {true, true, 1400, 0, 10, 0}},
      {"hand-edited extremes",
       {true, true, 4000000000u, INT_MIN, INT_MAX, 0},
       {true, true, 1400, 0, 576, 0}},
      {"width 0", {true, true, 0, 10, 10, 0}, {true, true, 1, 10, 10, 0}},
      {"docked keeps -1,-1 and its side",
       {true, false, 230, -1, -1, kDockLeft},
       {true, false, 230, -1, -1, kDockLeft}},
      {"docked too wide",
       {true, false, 5000, -1, -1, kDockTop},
       {true, false, 1400, -1, -1, kDockTop}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FitStlBar(c.stored, kHeight, kScreen, 1150, 100), c.fitted) << c.what;
  }
}

}  // namespace
}  // namespace zel::app
