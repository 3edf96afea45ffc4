#include "print/qt/qt_page_canvas.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cstdio>

#include "app/text/text_format.h"
#include "platform/code_page.h"

namespace zel::print {

namespace {

QString ToQString(std::string_view cp1252) {
  return QString::fromStdString(platform::Cp1252ToUtf8(cp1252));
}

double Millimetres(int units, int dpi) {
  return dpi > 0 ? units * 25.4 / dpi : 0.0;
}

}  // namespace

PrintFont UsablePrintFont(const PrintFont& wanted) {
  const PrintFont fallback;
  // The default face is the one every system substitutes well (a fixed-pitch face of the
  // same metrics), so it is taken even where the database lists it under another name.
  if (wanted.face == fallback.face) return wanted;
  return QFontDatabase::hasFamily(QString::fromStdString(wanted.face)) ? wanted : fallback;
}

QtPageCanvas::QtPageCanvas(QPagedPaintDevice& device, const PrintFont& font)
    : m_device(device), m_font(UsablePrintFont(font)) {
  m_metrics.dpiX = device.logicalDpiX();
  m_metrics.dpiY = device.logicalDpiY();
  const QPageLayout layout = device.pageLayout();
  const QRect full = layout.fullRectPixels(m_metrics.dpiX);
  const QRect paint = layout.paintRectPixels(m_metrics.dpiX);
  m_metrics.paperWidth = full.width();
  m_metrics.paperHeight = full.height();
  m_metrics.printableLeft = paint.left() - full.left();
  m_metrics.printableTop = paint.top() - full.top();
  m_metrics.printableWidth = paint.width();
  m_metrics.printableHeight = paint.height();

  m_qfont.setFamily(QString::fromStdString(m_font.face));
  if (m_font.face == PrintFont{}.face) m_qfont.setStyleHint(QFont::TypeWriter);
  m_qfont.setPixelSize(std::max(1, PrintFontHeight(m_font, m_metrics.dpiY)));
  m_qfont.setWeight(static_cast<QFont::Weight>(std::clamp(m_font.weight, 1, 1000)));
  m_qfont.setItalic(m_font.italic);
  const QFontMetrics metrics(m_qfont, &m_device);
  m_ascent = metrics.ascent();
  m_fontMetrics.height = metrics.height();
  m_fontMetrics.externalLeading = std::max(0, metrics.leading());
  m_fontMetrics.averageCharWidth = metrics.averageCharWidth();
}

QtPageCanvas::~QtPageCanvas() {
  finish();
}

bool QtPageCanvas::finish() {
  if (!m_finished) {
    m_finished = true;
    if (m_painter.isActive() && !m_painter.end()) m_failed = true;
  }
  return !m_failed;
}

QFont QtPageCanvas::scaledFont(int scale) const {
  if (scale <= 1) return m_qfont;
  QFont font = m_qfont;
  font.setPixelSize(m_qfont.pixelSize() * scale);
  return font;
}

int QtPageCanvas::textWidth(std::string_view text) const {
  return QFontMetrics(m_qfont, &m_device).horizontalAdvance(ToQString(text));
}

bool QtPageCanvas::beginPage() {
  if (m_failed || m_finished) return false;
  if (m_pages == 0) {
    if (!m_painter.begin(&m_device)) {
      m_failed = true;
      return false;
    }
    m_painter.setFont(m_qfont);
    // A rule of about a fifth of a millimetre, whatever the resolution.
    m_painter.setPen(QPen(Qt::black, std::max(1, m_metrics.dpiY / 127)));
    // The page service counts from the sheet's corner, the painter from the printable
    // area's.
    m_painter.translate(-m_metrics.printableLeft, -m_metrics.printableTop);
  } else if (!m_device.newPage()) {
    m_failed = true;
    return false;
  }
  ++m_pages;
  return true;
}

bool QtPageCanvas::endPage() {
  return !m_failed;
}

void QtPageCanvas::drawText(int x, int y, std::string_view text, int scale) {
  if (!m_painter.isActive()) return;
  if (scale <= 1) {
    m_painter.drawText(QPoint(x, y + m_ascent), ToQString(text));
    return;
  }
  const QFont font = scaledFont(scale);
  m_painter.setFont(font);
  m_painter.drawText(QPoint(x, y + QFontMetrics(font, &m_device).ascent()), ToQString(text));
  m_painter.setFont(m_qfont);
}

void QtPageCanvas::drawRule(int x1, int x2, int y) {
  if (m_painter.isActive()) m_painter.drawLine(x1, y, x2, y);
}

std::vector<std::string> QtPageCanvas::metricLines() const {
  const PageMetrics& m = m_metrics;
  const FontMetrics& f = m_fontMetrics;
  const long long sheet = static_cast<long long>(m.paperWidth) * m.paperHeight;
  const long long printable = static_cast<long long>(m.printableWidth) * m.printableHeight;
  const QFontInfo actual(m_qfont);
  return {
      app::FormatText("Resolution: %d x %d dpi", m.dpiX, m.dpiY),
      app::FormatText("Paper width: %d units (%.1f mm)", m.paperWidth,
                      Millimetres(m.paperWidth, m.dpiX)),
      app::FormatText("Paper height: %d units (%.1f mm)", m.paperHeight,
                      Millimetres(m.paperHeight, m.dpiY)),
      app::FormatText("Printable width: %d units (%.1f mm)", m.printableWidth,
                      Millimetres(m.printableWidth, m.dpiX)),
      app::FormatText("Printable height: %d units (%.1f mm)", m.printableHeight,
                      Millimetres(m.printableHeight, m.dpiY)),
      app::FormatText("Unprintable left border: %d units", m.printableLeft),
      app::FormatText("Unprintable top border: %d units", m.printableTop),
      app::FormatText("Paper usage: %lld %%", sheet > 0 ? printable * 100 / sheet : 0LL),
      "Print font: " + m_font.face + "," + std::to_string(m_font.points) + "," +
          std::to_string(m_font.weight) + "," + (m_font.italic ? "1" : "0"),
      "Font used: " + platform::Utf8ToCp1252(actual.family().toStdString()),
      app::FormatText("Font height: %d units", f.height),
      app::FormatText("External leading: %d units", f.externalLeading),
      app::FormatText("Average character width: %d units", f.averageCharWidth),
  };
}

}  // namespace zel::print
