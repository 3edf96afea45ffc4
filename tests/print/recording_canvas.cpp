#include "print/recording_canvas.h"

namespace zel::print::testing {

std::vector<std::string> RecordedPage::texts() const {
  std::vector<std::string> out;
  for (const Drawn& item : items)
    if (item.kind == Drawn::Kind::Text) out.push_back(item.text);
  return out;
}

std::vector<std::string> RecordedPage::textsAt(int x) const {
  std::vector<std::string> out;
  for (const Drawn& item : items)
    if (item.kind == Drawn::Kind::Text && item.x == x) out.push_back(item.text);
  return out;
}

std::size_t RecordedPage::rules() const {
  std::size_t count = 0;
  for (const Drawn& item : items) count += item.kind == Drawn::Kind::Rule;
  return count;
}

const Drawn* RecordedPage::findText(std::string_view text) const {
  for (const Drawn& item : items)
    if (item.kind == Drawn::Kind::Text && item.text == text) return &item;
  return nullptr;
}

PageMetrics SheetMetrics(int widthMm, int heightMm, int border) {
  PageMetrics m;
  m.dpiX = m.dpiY = 254;
  m.paperWidth = widthMm * 10;
  m.paperHeight = heightMm * 10;
  m.printableLeft = m.printableTop = border;
  m.printableWidth = m.paperWidth - 2 * border;
  m.printableHeight = m.paperHeight - 2 * border;
  return m;
}

bool RecordingCanvas::beginPage() {
  ++m_beginCalls;
  if (m_open || m_beginCalls == m_refuse) return false;
  m_pages.emplace_back();
  m_open = true;
  return true;
}

bool RecordingCanvas::endPage() {
  if (!m_open) return false;
  m_pages.back().ended = true;
  m_open = false;
  return true;
}

void RecordingCanvas::drawText(int x, int y, std::string_view text, int scale) {
  if (!m_open) {
    ++m_stray;
    return;
  }
  Drawn item;
  item.x = x;
  item.y = y;
  item.text = std::string(text);
  item.scale = scale;
  m_pages.back().items.push_back(std::move(item));
}

void RecordingCanvas::drawRule(int x1, int x2, int y) {
  if (!m_open) {
    ++m_stray;
    return;
  }
  Drawn item;
  item.kind = Drawn::Kind::Rule;
  item.x = x1;
  item.x2 = x2;
  item.y = y;
  m_pages.back().items.push_back(std::move(item));
}

}  // namespace zel::print::testing
