#pragma once
// The print-out on a Qt paged device: a QPrinter (a printer or the preview) or a QPdfWriter
// (a PDF file). Device units are the device's pixels at its resolution; the sheet's top left
// corner is the origin the page service works from, while a painter on a paged device starts
// at the printable area's corner, so every position is moved by that area's offset.
//
// The painter begins with the first page and the document ends with finish() (or when the
// canvas goes), which is when a PDF file is written. A painter may work on a QPrinter or a
// QPdfWriter from a worker thread, one thread per device at a time.

#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>

#include "print/page_canvas.h"
#include "print/print_font.h"

namespace zel::print {

// The font as the device gets it: a face the font database does not know gives the default
// print font, so a hand-edited "PRINT_FONT" never prints in some arbitrary substitute.
PrintFont UsablePrintFont(const PrintFont& wanted);

class QtPageCanvas final : public PageCanvas {
 public:
  // `device` must outlive the canvas; its page layout is read once, here.
  QtPageCanvas(QPagedPaintDevice& device, const PrintFont& font);
  ~QtPageCanvas() override;
  QtPageCanvas(const QtPageCanvas&) = delete;
  QtPageCanvas& operator=(const QtPageCanvas&) = delete;

  // Ends the document. False when a page was refused or the device could not finish it
  // (a PDF file that could not be written).
  bool finish();
  const PrintFont& font() const { return m_font; }
  // Pages begun so far.
  int pages() const { return m_pages; }

  PageMetrics pageMetrics() const override { return m_metrics; }
  FontMetrics fontMetrics() const override { return m_fontMetrics; }
  int textWidth(std::string_view text) const override;
  bool beginPage() override;
  bool endPage() override;
  void drawText(int x, int y, std::string_view text, int scale = 1) override;
  void drawRule(int x1, int x2, int y) override;
  std::vector<std::string> metricLines() const override;

 private:
  QFont scaledFont(int scale) const;

  QPagedPaintDevice& m_device;
  PrintFont m_font;
  QFont m_qfont;
  int m_ascent = 0;
  PageMetrics m_metrics;
  FontMetrics m_fontMetrics;
  QPainter m_painter;
  int m_pages = 0;
  bool m_failed = false;
  bool m_finished = false;
};

}  // namespace zel::print
