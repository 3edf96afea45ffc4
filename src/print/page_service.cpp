#include "print/page_service.h"

#include <cstdio>
#include <utility>

#include "app/project/project_file.h"

namespace zel::print {

namespace {

constexpr std::string_view kRuleSubtitle = "default";
constexpr int kTabColumns = 8;
// The title page's product name: its enlargement and its offset left of the middle.
constexpr int kTitleScale = 4;
constexpr int kTitleIndentChars = 10;

std::string PageNumberText(unsigned number) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "Page %3u", number);
  return buffer;
}

std::string ExpandTabs(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (const char c : line) {
    if (c == '\t') {
      do {
        out.push_back(' ');
      } while (out.size() % kTabColumns != 0);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

std::string HeaderLine(const PageFrame& frame) {
  std::string line(app::kApplicationTitle);
  line += "   ";
  line += frame.projectName;
  line += "  ";
  line += frame.controllerType;
  line += "  ";
  line += frame.comment;
  return line;
}

PageService::PageService(PageCanvas& canvas, const PageLayout& layout, PageFrame frame)
    : m_canvas(canvas), m_layout(layout), m_frame(std::move(frame)) {}

void PageService::setTitle(std::string title) {
  m_title = std::move(title);
}

void PageService::setSubtitles(std::string first, std::string second) {
  m_subtitles[0] = std::move(first);
  m_subtitles[1] = std::move(second);
}

int PageService::columns() const {
  return BodyColumns(m_layout, m_canvas.fontMetrics());
}

int PageService::bodyEnd() const {
  return m_layout.top + (m_layout.linesPerPage - kFooterLines) * m_layout.lineHeight;
}

bool PageService::startPage() {
  if (m_failed) return false;
  if ((m_aborted && m_aborted()) || !m_canvas.beginPage()) m_failed = true;
  return !m_failed;
}

bool PageService::beginPrintPage() {
  if (m_pageOpen && !endPrintPage()) return false;
  if (!startPage()) return false;
  m_pageOpen = true;
  ++m_pageNumber;
  const int lh = m_layout.lineHeight;
  m_y = m_layout.top;
  // The frame's lines are cut at the right margin: a long comment must not run off the
  // sheet, and wrapping would move the body.
  const std::string header = HeaderLine(m_frame);
  m_canvas.drawText(m_layout.left, m_y, fitting(header));
  m_y += lh;
  m_canvas.drawText(m_layout.left, m_y, fitting(m_title));
  m_y += lh;
  m_canvas.drawRule(m_layout.left, m_layout.right, m_y + lh / 2);
  m_y += lh;
  for (const std::string& subtitle : m_subtitles) {
    if (subtitle.empty()) continue;
    if (subtitle == kRuleSubtitle)
      m_canvas.drawRule(m_layout.left, m_layout.right, m_y + lh / 2);
    else
      m_canvas.drawText(m_layout.left, m_y, fitting(subtitle));
    m_y += lh;
  }
  return true;
}

bool PageService::endPrintPage() {
  if (!m_pageOpen) return !m_failed;
  m_pageOpen = false;
  const int lh = m_layout.lineHeight;
  const int footer = bodyEnd();
  m_canvas.drawRule(m_layout.left, m_layout.right, footer + lh / 2);
  m_canvas.drawText(m_layout.left, footer + lh, m_frame.longDate);
  const std::string number = PageNumberText(m_pageNumber);
  m_canvas.drawText(m_layout.right - m_canvas.textWidth(number), footer + lh, number);
  if (!m_canvas.endPage()) m_failed = true;
  return !m_failed;
}

std::size_t PageService::fittingLength(std::string_view text) const {
  // The longest prefix within the body; widths grow with the length, so halve the range.
  std::size_t low = 1;  // at least one character, or a line could never end
  std::size_t high = text.size();
  if (m_canvas.textWidth(text) <= m_layout.width()) return text.size();
  while (low < high) {
    const std::size_t mid = low + (high - low + 1) / 2;
    if (m_canvas.textWidth(text.substr(0, mid)) <= m_layout.width())
      low = mid;
    else
      high = mid - 1;
  }
  return low;
}

std::string_view PageService::fitting(std::string_view text) const {
  return text.substr(0, text.empty() ? 0 : fittingLength(text));
}

void PageService::putLine(std::string_view text) {
  if (m_failed) return;
  if (!m_pageOpen && !beginPrintPage()) return;
  if (m_y + m_layout.lineHeight > bodyEnd() && !beginPrintPage()) return;
  if (!text.empty()) m_canvas.drawText(m_layout.left, m_y, text);
  m_y += m_layout.lineHeight;
}

void PageService::printLine(std::string_view text) {
  do {
    const std::size_t length = text.empty() ? 0 : fittingLength(text);
    putLine(text.substr(0, length));
    text.remove_prefix(length);
  } while (!text.empty() && !m_failed);
}

void PageService::printText(std::string_view text) {
  while (!text.empty() && !m_failed) {
    const std::size_t end = text.find_first_of("\r\n");
    printLine(ExpandTabs(text.substr(0, end)));
    if (end == std::string_view::npos) break;
    // "\r\n" and "\n\r" end one line; a second character like the first starts the next.
    std::size_t skip = 1;
    if (end + 1 < text.size() && (text[end + 1] == '\r' || text[end + 1] == '\n') &&
        text[end + 1] != text[end])
      skip = 2;
    text.remove_prefix(end + skip);
  }
}

bool PageService::printTitlePage(std::string_view projectName, std::string_view version,
                                 std::string_view user, std::string_view dateTime) {
  if (m_pageOpen && !endPrintPage()) return false;
  if (!startPage()) return false;
  const int lh = m_layout.lineHeight;
  const int middle = m_layout.left + m_layout.width() / 2;
  const int x =
      std::max(m_layout.left, middle - kTitleIndentChars * m_canvas.fontMetrics().averageCharWidth);
  const int y = m_layout.top + m_layout.height() / 3;
  m_canvas.drawText(x, y, app::kApplicationTitle, kTitleScale);
  // Two lines below the enlarged name's own line.
  m_canvas.drawText(x, y + (kTitleScale + 1) * lh, projectName);
  const int last = m_layout.top + (m_layout.linesPerPage - 1) * lh;
  m_canvas.drawText(m_layout.left, last - 2 * lh, version);
  m_canvas.drawText(m_layout.left, last - lh, user);
  m_canvas.drawText(m_layout.left, last, dateTime);
  if (!m_canvas.endPage()) m_failed = true;
  return !m_failed;
}

}  // namespace zel::print
