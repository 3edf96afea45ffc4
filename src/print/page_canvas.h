#pragma once
// The device a print-out is drawn on: a printer, a PDF file, a preview, or the test's
// recording canvas. The page service (page_service.h) lays out lines and page frames; the
// canvas only measures and draws. Texts are in the project's code page (Windows-1252),
// and the canvas converts them for its device.
//
// Lengths are device units, the y axis runs down the page, and a text is drawn with its
// top at `y`.

#include <string>
#include <string_view>
#include <vector>

namespace zel::print {

// What the device tells about its paper, in device units.
struct PageMetrics {
  int dpiX = 0;
  int dpiY = 0;
  int paperWidth = 0;  // the whole sheet
  int paperHeight = 0;
  // The area the device can print on, as offsets from the sheet's top left corner.
  int printableLeft = 0;
  int printableTop = 0;
  int printableWidth = 0;
  int printableHeight = 0;
};

// The print font's metrics in device units.
struct FontMetrics {
  int height = 0;  // ascent + descent
  int externalLeading = 0;
  int averageCharWidth = 0;
};

class PageCanvas {
 public:
  virtual ~PageCanvas() = default;

  virtual PageMetrics pageMetrics() const = 0;
  virtual FontMetrics fontMetrics() const = 0;
  // The width `text` takes in the print font.
  virtual int textWidth(std::string_view text) const = 0;

  // False when the device refused the page or the user aborted: the document then ends.
  virtual bool beginPage() = 0;
  virtual bool endPage() = 0;
  // `scale` enlarges the font (the title page's product name); 1 is the print font.
  virtual void drawText(int x, int y, std::string_view text, int scale = 1) = 0;
  virtual void drawRule(int x1, int x2, int y) = 0;

  // The lines of the "Print Metrics" section: paper size, paper usage and text metrics,
  // one value per line, in the device's own terms.
  virtual std::vector<std::string> metricLines() const = 0;
};

}  // namespace zel::print
