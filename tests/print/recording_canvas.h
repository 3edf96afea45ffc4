#pragma once
// A device for the print tests: a monospace font of fixed metrics on a sheet of chosen
// size, recording every page and what was drawn on it. At 254 dpi one device unit is a
// tenth of a millimetre, so expected positions read as lengths on the paper.

#include <string>
#include <string_view>
#include <vector>

#include "print/page_canvas.h"

namespace zel::print::testing {

inline constexpr int kCharWidth = 10;
inline constexpr int kFontHeight = 20;
inline constexpr int kLeading = 2;
inline constexpr int kLineHeight = kFontHeight + kLeading;

struct Drawn {
  enum class Kind { Text, Rule } kind = Kind::Text;
  int x = 0;  // text: left edge; rule: first unit
  int y = 0;
  std::string text;  // text only
  int scale = 1;
  int x2 = 0;  // rule only
};

struct RecordedPage {
  std::vector<Drawn> items;
  bool ended = false;
  // The texts in drawing order.
  std::vector<std::string> texts() const;
  // The texts drawn at the left edge `x`, top to bottom.
  std::vector<std::string> textsAt(int x) const;
  std::size_t rules() const;
  const Drawn* findText(std::string_view text) const;
};

// Sheet size in millimetres with an unprintable border of `border` tenths of a millimetre
// on every side.
PageMetrics SheetMetrics(int widthMm, int heightMm, int border = 50);

class RecordingCanvas : public PageCanvas {
 public:
  explicit RecordingCanvas(PageMetrics metrics = SheetMetrics(210, 297)) : m_metrics(metrics) {}

  PageMetrics pageMetrics() const override { return m_metrics; }
  FontMetrics fontMetrics() const override { return {kFontHeight, kLeading, kCharWidth}; }
  int textWidth(std::string_view text) const override {
    return static_cast<int>(text.size()) * kCharWidth;
  }
  bool beginPage() override;
  bool endPage() override;
  void drawText(int x, int y, std::string_view text, int scale = 1) override;
  void drawRule(int x1, int x2, int y) override;
  std::vector<std::string> metricLines() const override { return {"Paper: test", "Lines: test"}; }

  // The device refuses the page with this number (1-based, title page counted); 0 never.
  void refusePage(int number) { m_refuse = number; }
  const std::vector<RecordedPage>& pages() const { return m_pages; }
  int beginCalls() const { return m_beginCalls; }
  // Items drawn while no page was open: a fault of the service.
  int strayItems() const { return m_stray; }

 private:
  PageMetrics m_metrics;
  std::vector<RecordedPage> m_pages;
  bool m_open = false;
  int m_refuse = 0;
  int m_beginCalls = 0;
  int m_stray = 0;
};

}  // namespace zel::print::testing
