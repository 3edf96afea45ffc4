#include "print/page_layout.h"

#include <gtest/gtest.h>

#include "print/recording_canvas.h"

namespace zel::print {
namespace {

using testing::SheetMetrics;

struct PaperCase {
  const char* name;
  PageMetrics metrics;
  bool large;
};

PageMetrics WithPrintable(int width, int height, int dpi) {
  PageMetrics m;
  m.dpiX = m.dpiY = dpi;
  m.paperWidth = m.printableWidth = width;
  m.paperHeight = m.printableHeight = height;
  return m;
}

TEST(PaperLargeEnough, NeedsOneHundredSeventyMillimetresEachWay) {
  const PaperCase cases[] = {
      {"A4 portrait", SheetMetrics(210, 297), true},
      {"A4 landscape", SheetMetrics(297, 210), true},
      {"A5 portrait", SheetMetrics(148, 210), false},
      {"A5 landscape", SheetMetrics(210, 148), false},
      // 170 mm printable exactly, at 600 dpi: 170 / 25.4 * 600 = 4015.7 units.
      {"just enough", WithPrintable(4016, 4016, 600), true},
      {"a unit short in width", WithPrintable(4015, 5000, 600), false},
      {"a unit short in height", WithPrintable(5000, 4015, 600), false},
      {"no resolution", WithPrintable(5000, 5000, 0), false},
  };
  for (const auto& c : cases) EXPECT_EQ(PaperLargeEnough(c.metrics), c.large) << c.name;
}

TEST(PaperLargeEnough, CountsThePrintableAreaNotTheSheet) {
  // An A4 sheet whose device cannot print the outer 25 mm on each side.
  EXPECT_FALSE(PaperLargeEnough(SheetMetrics(210, 297, 250)));
}

const FontMetrics kFont{testing::kFontHeight, testing::kLeading, testing::kCharWidth};

TEST(ComputePageLayout, TurnsMillimetreMarginsIntoDeviceUnits) {
  const auto layout = ComputePageLayout(SheetMetrics(210, 297), kFont, {20, 8, 10, 12});
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->left, 200);
  EXPECT_EQ(layout->right, 2100 - 80);
  EXPECT_EQ(layout->top, 100);
  EXPECT_EQ(layout->bottom, 2970 - 120);
  EXPECT_EQ(layout->lineHeight, testing::kLineHeight);
  EXPECT_EQ(layout->linesPerPage, (2850 - 100) / testing::kLineHeight);
}

TEST(ComputePageLayout, KeepsEachMarginAtLeastTheUnprintableBorder) {
  PageMetrics m = SheetMetrics(210, 297);
  // Borders of 3, 4, 6 and 7 mm: left, top, right, bottom.
  m.printableLeft = 30;
  m.printableTop = 40;
  m.printableWidth = 2100 - 30 - 60;
  m.printableHeight = 2970 - 40 - 70;
  struct Case {
    app::PrintMargins margins;
    PageLayout expected;  // left, top, right, bottom only
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, {30, 40, 2100 - 60, 2970 - 70}},
      {{2, 5, 3, 6}, {30, 40, 2100 - 60, 2970 - 70}},
      {{-5, -5, -5, -5}, {30, 40, 2100 - 60, 2970 - 70}},
      {{4, 7, 5, 8}, {40, 50, 2100 - 70, 2970 - 80}},
  };
  for (const auto& c : cases) {
    const auto layout = ComputePageLayout(m, kFont, c.margins);
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->left, c.expected.left) << c.margins.left;
    EXPECT_EQ(layout->top, c.expected.top) << c.margins.top;
    EXPECT_EQ(layout->right, c.expected.right) << c.margins.right;
    EXPECT_EQ(layout->bottom, c.expected.bottom) << c.margins.bottom;
  }
}

TEST(ComputePageLayout, ScalesWithTheDeviceResolution) {
  PageMetrics m;
  m.dpiX = 600;
  m.dpiY = 300;
  m.paperWidth = m.printableWidth = 4960;    // A4 at 600 dpi across
  m.paperHeight = m.printableHeight = 3508;  // and at 300 dpi down
  const auto layout = ComputePageLayout(m, kFont, {20, 10, 10, 10});
  ASSERT_TRUE(layout);
  EXPECT_EQ(layout->left, 200 * 600 / 254);
  EXPECT_EQ(layout->right, 4960 - 100 * 600 / 254);
  EXPECT_EQ(layout->top, 100 * 300 / 254);
  EXPECT_EQ(BodyColumns(*layout, kFont), layout->width() / testing::kCharWidth);
}

TEST(ComputePageLayout, RefusesMarginsThatLeaveNoPage) {
  const PageMetrics a4 = SheetMetrics(210, 297);
  EXPECT_FALSE(ComputePageLayout(a4, kFont, {110, 100, 8, 8}));        // no width
  EXPECT_FALSE(ComputePageLayout(a4, kFont, {20, 8, 150, 150}));       // no height
  EXPECT_FALSE(ComputePageLayout(a4, kFont, {20, 8, 140, 140}));       // 1.7 cm: too few lines
  EXPECT_FALSE(ComputePageLayout(a4, kFont, {20, 8, 8, 2147483647}));  // absurd, no overflow
  EXPECT_FALSE(ComputePageLayout(a4, FontMetrics{}, {20, 8, 8, 8}));   // no font height
  // Room for the frame, both sub-titles and one line of text is enough.
  EXPECT_TRUE(ComputePageLayout(a4, kFont, {20, 8, 139, 139}));
}

}  // namespace
}  // namespace zel::print
