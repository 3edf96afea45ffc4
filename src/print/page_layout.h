#pragma once
// Where a page's text goes: the margins of "PRINT_MARGINS" (millimetres, worked in tenths)
// turned into device units, each at least the device's unprintable border, and the line
// height, line count and text width that follow from them and the print font.

#include <optional>

#include "app/preferences/print_margins.h"
#include "print/page_canvas.h"

namespace zel::print {

// A print-out needs this much printable width and height.
inline constexpr int kMinimumPrintableMillimetres = 170;

// Lines of the page frame (page_service.h): the header's two text lines and its rule, up
// to two sub-title lines, and the footer's rule and text line.
inline constexpr int kHeaderLines = 3;
inline constexpr int kMaxSubtitleLines = 2;
inline constexpr int kFooterLines = 2;

struct PageLayout {
  // The page body, in device units from the sheet's top left corner; `right` and `bottom`
  // are the first unit outside it.
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int lineHeight = 0;  // font height + external leading
  int linesPerPage = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const PageLayout&) const = default;
};

// Whether the printable width and height are both at least 170 mm: A4 in either
// orientation passes, A5 portrait does not.
bool PaperLargeEnough(const PageMetrics& metrics);

// The characters of the print font that fit across the body (the cross reference's line
// width); 0 for a font without a width.
int BodyColumns(const PageLayout& layout, const FontMetrics& font);

// Device units of `tenths` of a millimetre at `dpi`, rounded down.
long long TenthsToUnits(long long tenths, int dpi);

// nullopt when the margins leave no room for the header with both sub-titles, one line of
// text and the footer.
std::optional<PageLayout> ComputePageLayout(const PageMetrics& metrics, const FontMetrics& font,
                                            const app::PrintMargins& margins);

}  // namespace zel::print
