// The print-out takes texts it does not check: the documentation text, compile logs, the
// print font preference and section names from the command line. None may crash, hang or
// draw outside the page body, whatever the bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "print/page_service.h"
#include "print/print_font.h"
#include "print/print_options.h"

namespace {

using namespace zel::print;

// A narrow page, so wrapping and page breaks happen often; characters of varying width.
class CheckingCanvas : public PageCanvas {
 public:
  PageMetrics pageMetrics() const override { return {254, 254, 2100, 2970, 0, 0, 2100, 2970}; }
  FontMetrics fontMetrics() const override { return {20, 2, 10}; }
  int textWidth(std::string_view text) const override {
    int width = 0;
    for (const char c : text) width += 5 + (static_cast<unsigned char>(c) % 11);
    return width;
  }
  bool beginPage() override { return ++m_pages < 200; }
  bool endPage() override { return true; }
  void drawText(int x, int y, std::string_view text, int) override {
    if (x < 0 || y < 0 || y > 2970) std::abort();
    (void)text;
  }
  void drawRule(int x1, int x2, int y) override {
    if (x2 < x1 || y < 0 || y > 2970) std::abort();
  }
  std::vector<std::string> metricLines() const override { return {}; }

 private:
  int m_pages = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const PrintFont font = ParsePrintFont(text);
  if (font.face.empty() || font.points <= 0 || font.weight <= 0) std::abort();
  if (const auto section = ParseSectionName(text);
      section && section->section == SingleSection::Module && section->moduleFileName.size() != 12)
    std::abort();

  CheckingCanvas canvas;
  const auto layout =
      ComputePageLayout(canvas.pageMetrics(), canvas.fontMetrics(), {100, 80, 8, 8});
  if (!layout) std::abort();
  PageService pages(canvas, *layout, {"P", "VM1X", "c", "d"});
  pages.setSubtitles(std::string(text.substr(0, 40)), "default");
  pages.printText(text);
  pages.printLine(text);
  pages.endPrintPage();
  return 0;
}
