#include "print/page_layout.h"

#include <algorithm>

namespace zel::print {

namespace {

// Margins come from the preferences unchecked; beyond this they leave no page anyway, and
// the bound keeps the arithmetic far from overflow.
constexpr long long kMaxMarginMillimetres = 100000;

long long Clamp(long millimetres) {
  return std::clamp<long long>(millimetres, 0, kMaxMarginMillimetres);
}

}  // namespace

int BodyColumns(const PageLayout& layout, const FontMetrics& font) {
  return font.averageCharWidth > 0 ? layout.width() / font.averageCharWidth : 0;
}

long long TenthsToUnits(long long tenths, int dpi) {
  return tenths * dpi / 254;
}

bool PaperLargeEnough(const PageMetrics& metrics) {
  if (metrics.dpiX <= 0 || metrics.dpiY <= 0) return false;
  // width / dpi * 25.4 >= 170, kept in whole numbers.
  const long long need = kMinimumPrintableMillimetres * 10LL;
  return static_cast<long long>(metrics.printableWidth) * 254 >= need * metrics.dpiX &&
         static_cast<long long>(metrics.printableHeight) * 254 >= need * metrics.dpiY;
}

std::optional<PageLayout> ComputePageLayout(const PageMetrics& metrics, const FontMetrics& font,
                                            const app::PrintMargins& margins) {
  if (metrics.dpiX <= 0 || metrics.dpiY <= 0 || font.height <= 0) return std::nullopt;
  // The unprintable border on each side; a device that reports its printable area outside
  // the sheet has none there.
  const long long borderLeft = std::max(0, metrics.printableLeft);
  const long long borderTop = std::max(0, metrics.printableTop);
  const long long borderRight =
      std::max<long long>(0, static_cast<long long>(metrics.paperWidth) - metrics.printableLeft -
                                 metrics.printableWidth);
  const long long borderBottom =
      std::max<long long>(0, static_cast<long long>(metrics.paperHeight) - metrics.printableTop -
                                 metrics.printableHeight);

  const long long left =
      std::max(TenthsToUnits(Clamp(margins.left) * 10, metrics.dpiX), borderLeft);
  const long long right =
      metrics.paperWidth -
      std::max(TenthsToUnits(Clamp(margins.right) * 10, metrics.dpiX), borderRight);
  const long long top = std::max(TenthsToUnits(Clamp(margins.top) * 10, metrics.dpiY), borderTop);
  const long long bottom =
      metrics.paperHeight -
      std::max(TenthsToUnits(Clamp(margins.bottom) * 10, metrics.dpiY), borderBottom);
  if (right <= left || bottom <= top) return std::nullopt;

  PageLayout layout;
  layout.left = static_cast<int>(left);
  layout.right = static_cast<int>(right);
  layout.top = static_cast<int>(top);
  layout.bottom = static_cast<int>(bottom);
  layout.lineHeight = font.height + std::max(0, font.externalLeading);
  layout.linesPerPage = layout.height() / layout.lineHeight;
  if (layout.linesPerPage < kHeaderLines + kMaxSubtitleLines + 1 + kFooterLines)
    return std::nullopt;
  // A body narrower than one character could never take a line.
  if (font.averageCharWidth > layout.width()) return std::nullopt;
  return layout;
}

}  // namespace zel::print
