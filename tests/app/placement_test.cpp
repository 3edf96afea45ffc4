#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/preferences/font_setting.h"
#include "app/preferences/print_margins.h"
#include "app/preferences/stl_bar_state.h"
#include "app/preferences/window_placement.h"

namespace zel::app {
namespace {

struct PlacementCase {
  const char* text;
  bool reads;
};

TEST(WindowPlacementTest, ReadsOnlyExactlyTenNumbers) {
  const PlacementCase cases[] = {
      {"0,1,-1,-1,-1,-1,0,0,250,350", true},
      {"2,3,-1,-1,-4,-4,10,20,800,600", true},
      {" 0, 1, -1, -1, -1, -1, 0, 0, 250, 350 ", true},
      {"0,1,-1,-1,-1,-1,0,0,250", false},        // nine
      {"0,1,-1,-1,-1,-1,0,0,250,350,7", false},  // eleven
      {"0,1,-1,-1,-1,-1,0,0,250,x", false},
      {"0;1;-1;-1;-1;-1;0;0;250;350", false},
      {"", false},
      {"0,1,-1,-1,-1,-1,0,0,250,99999999999", false},  // does not fit
      {"-1,1,-1,-1,-1,-1,0,0,250,350", false},         // flags are unsigned
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParsePlacement(c.text).has_value(), c.reads) << c.text;
  }
}

TEST(WindowPlacementTest, FieldsInStoredOrder) {
  const auto p = ParsePlacement("3,2,-5,-6,7,8,10,20,800,600");
  ASSERT_TRUE(p);
  EXPECT_EQ(p->flags, 3u);
  EXPECT_EQ(p->showCommand, 2u);
  EXPECT_EQ(p->minPosition, (WindowPoint{-5, -6}));
  EXPECT_EQ(p->maxPosition, (WindowPoint{7, 8}));
  EXPECT_EQ(p->normal, (WindowRect{10, 20, 800, 600}));
}

TEST(WindowPlacementTest, FormattingMakesTheFlagsFromTheWindowState) {
  WindowPlacement p = *ParsePlacement("3,1,-1,-1,-1,-1,0,0,250,350");
  struct {
    bool maximized, minimized;
    const char* text;
  } const cases[] = {
      {false, false, "0,1,-1,-1,-1,-1,0,0,250,350"},
      {true, false, "2,1,-1,-1,-1,-1,0,0,250,350"},
      {false, true, "1,1,-1,-1,-1,-1,0,0,250,350"},
      {true, true, "3,1,-1,-1,-1,-1,0,0,250,350"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatPlacement(p, c.maximized, c.minimized), c.text);
  }
}

TEST(WindowPlacementTest, DefaultProjectTreePlacementIsANormalWindow) {
  const auto p = ParsePlacement(kDefaultProjectTreePlacement);
  ASSERT_TRUE(p);
  EXPECT_EQ(p->showCommand, kShowNormal);
  EXPECT_EQ(p->normal, (WindowRect{0, 0, 250, 350}));
  EXPECT_EQ(FormatPlacement(*p, false, false), kDefaultProjectTreePlacement);
}

TEST(ScreenSizeTest, ReadsTwoNumbers) {
  EXPECT_EQ(ParseScreenSize("1024,768"), (ScreenSize{1024, 768}));
  EXPECT_EQ(ParseScreenSize("1024"), std::nullopt);
  EXPECT_EQ(ParseScreenSize("x,768"), std::nullopt);
  EXPECT_EQ(FormatScreenSize({1280, 1024}), "1280,1024");
}

TEST(StlBarTest, ReadsSixNumbersAndWritesThemBack) {
  const auto docked = ParseStlBar("1,0,230,-1,-1,59420");
  ASSERT_TRUE(docked);
  EXPECT_TRUE(docked->visible);
  EXPECT_FALSE(docked->floating);
  EXPECT_EQ(docked->width, 230u);
  EXPECT_EQ(docked->dockSide, kDockLeft);
  EXPECT_EQ(FormatStlBar(*docked), "1,0,230,-1,-1,59420");

  const auto floating = ParseStlBar("0,1,180,700,40,0");
  ASSERT_TRUE(floating);
  EXPECT_FALSE(floating->visible);
  EXPECT_EQ(floating->left, 700);
  EXPECT_EQ(floating->top, 40);

  EXPECT_EQ(ParseStlBar("1,0,230,-1,-1"), std::nullopt);
  EXPECT_EQ(ParseStlBar("1,0,-230,-1,-1,59420"), std::nullopt);
}

TEST(StlBarTest, DefaultFloatsBesideTheClientAreasRightEdge) {
  const StlBarState bar = DefaultStlBar(1000, 50);
  EXPECT_EQ(FormatStlBar(bar), "1,1,230,770,70,59421");
}

TEST(FontSettingTest, ReadsOnlyFacesOfLettersAndBlanks) {
  struct {
    const char* text;
    std::optional<FontSetting> font;
  } const cases[] = {
      {"Courier New,10,400,0", FontSetting{"Courier New", -13, 400, false}},
      {"Arial,12,700,1", FontSetting{"Arial", -16, 700, true}},
      {"Lucida Console, 9, 400, 0", FontSetting{"Lucida Console", -12, 400, false}},
      {"Courier 10 Pitch,10,400,0", std::nullopt},
      {"Terminal-8,10,400,0", std::nullopt},
      {",10,400,0", std::nullopt},
      {"Courier New,10,400", std::nullopt},
      {"Courier New,0,400,0", std::nullopt},  // no size: no font
      {"Courier New,99999999999,400,0", std::nullopt},
      {"Abcdefghijklmnopqrstuvwxyzabcdefg,10,400,0", std::nullopt},  // longer than a face
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseFont(c.text, 96), c.font) << c.text;
  }
}

TEST(FontSettingTest, HeightFollowsTheScreenResolutionAndRoundsBack) {
  struct {
    int points, dpi, height;
  } const cases[] = {
      {10, 96, -13}, {10, 120, -17}, {9, 96, -12}, {12, 72, -12}, {8, 144, -16}, {10, 0, -13},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PointsToHeight(c.points, c.dpi), c.height) << c.points << "pt @" << c.dpi;
    EXPECT_EQ(HeightToPoints(c.height, c.dpi), c.points) << c.points << "pt @" << c.dpi;
  }
}

TEST(FontSettingTest, WritesPointsAndNothingForHeightZero) {
  EXPECT_EQ(FormatFont({"Courier New", -13, 400, false}, 96), "Courier New,10,400,0");
  EXPECT_EQ(FormatFont({"Arial", -17, 700, true}, 120), "Arial,10,700,1");
  EXPECT_EQ(FormatFont({"Arial", 0, 700, true}, 96), std::nullopt);
}

TEST(PrintMarginsTest, AnythingButFourNumbersGivesAllDefaults) {
  struct {
    const char* text;
    PrintMargins margins;
  } const cases[] = {
      {"10,5,6,7", {10, 5, 6, 7}}, {"10,5", {20, 8, 8, 8}},    {"10,5,6", {20, 8, 8, 8}},
      {"", {20, 8, 8, 8}},         {"a,b,c,d", {20, 8, 8, 8}}, {"0,0,0,0", {0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParsePrintMargins(c.text), c.margins) << c.text;
  }
  EXPECT_EQ(FormatPrintMargins({20, 8, 8, 8}), "20,8,8,8");
}

}  // namespace
}  // namespace zel::app
