#include "print/page_service.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "print/recording_canvas.h"

namespace zel::print {
namespace {

using testing::kCharWidth;
using testing::kLineHeight;
using testing::RecordingCanvas;

class PageServiceTest : public ::testing::Test {
 protected:
  PageServiceTest()
      : m_layout(
            *ComputePageLayout(m_canvas.pageMetrics(), m_canvas.fontMetrics(), {20, 8, 8, 8})) {}

  PageService service() {
    return PageService(m_canvas, m_layout, {"DEMO", "VM1X", "Bottling line", "Tuesday, 8 Dec"});
  }
  // The body's lines of a page by their place below the header (an empty line draws
  // nothing, so it shows as a gap); the footer's date left out.
  std::vector<std::string> body(std::size_t page) const {
    const int first = m_layout.top + kHeaderLines * kLineHeight;
    const int footer = m_layout.top + (m_layout.linesPerPage - kFooterLines) * kLineHeight;
    std::vector<std::string> lines;
    for (const auto& item : m_canvas.pages().at(page).items) {
      if (item.kind != testing::Drawn::Kind::Text || item.y < first || item.y >= footer) continue;
      EXPECT_EQ(item.x, m_layout.left);
      EXPECT_EQ((item.y - first) % kLineHeight, 0);
      const auto index = static_cast<std::size_t>((item.y - first) / kLineHeight);
      if (lines.size() <= index) lines.resize(index + 1);
      lines[index] = item.text;
    }
    return lines;
  }
  int bodyLines(int subtitles = 0) const {
    return m_layout.linesPerPage - kHeaderLines - subtitles - kFooterLines;
  }

  RecordingCanvas m_canvas;
  PageLayout m_layout;
};

TEST_F(PageServiceTest, FramesEveryPageWithHeaderAndFooter) {
  auto pages = service();
  pages.setTitle("Project Tree");
  pages.printLine("Programs");
  pages.endPrintPage();
  ASSERT_EQ(m_canvas.pages().size(), 1u);
  const auto& page = m_canvas.pages()[0];
  EXPECT_TRUE(page.ended);
  EXPECT_EQ(page.texts(),
            (std::vector<std::string>{"ZEL   DEMO  VM1X  Bottling line", "Project Tree", "Programs",
                                      "Tuesday, 8 Dec", "Page   1"}));
  EXPECT_EQ(page.rules(), 2u);  // under the title and above the footer
  // The page number ends at the right margin, on the footer's line at the body's foot.
  const auto* number = page.findText("Page   1");
  ASSERT_TRUE(number);
  EXPECT_EQ(number->x + 8 * kCharWidth, m_layout.right);
  EXPECT_EQ(number->y, m_layout.top + (m_layout.linesPerPage - 1) * kLineHeight);
  EXPECT_EQ(page.findText("Tuesday, 8 Dec")->y, number->y);
  EXPECT_EQ(page.findText("Programs")->y, m_layout.top + kHeaderLines * kLineHeight);
}

TEST_F(PageServiceTest, CutsHeaderLinesAtTheRightMargin) {
  const int columns = m_layout.width() / kCharWidth;
  PageService pages(m_canvas, m_layout, {"DEMO", "VM1X", std::string(300, 'c'), "date"});
  pages.setTitle(std::string(columns + 1, 't'));
  pages.setSubtitles(std::string(columns + 2, 's'));
  pages.printLine("x");
  pages.endPrintPage();
  const auto texts = m_canvas.pages().at(0).texts();
  ASSERT_GE(texts.size(), 3u);
  EXPECT_EQ(texts[0], ("ZEL   DEMO  VM1X  " + std::string(300, 'c')).substr(0, columns));
  EXPECT_EQ(texts[1], std::string(columns, 't'));
  EXPECT_EQ(texts[2], std::string(columns, 's'));
  EXPECT_EQ(body(0), (std::vector<std::string>{texts[2], "x"}));  // one sub-title line
}

TEST_F(PageServiceTest, WrapsALineWiderThanTheBody) {
  const int columns = m_layout.width() / kCharWidth;
  ASSERT_EQ(service().columns(), columns);
  std::string line;
  for (int i = 0; i < columns + 5; ++i) line.push_back(static_cast<char>('a' + i % 26));
  auto pages = service();
  pages.printLine(line);
  pages.printLine(std::string(columns, 'x'));  // exactly fits: one line
  pages.endPrintPage();
  EXPECT_EQ(body(0), (std::vector<std::string>{line.substr(0, columns), line.substr(columns),
                                               std::string(columns, 'x')}));
}

TEST_F(PageServiceTest, ExpandsTabsToMultiplesOfEightColumns) {
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"\tx", "        x"},
      {"a\tb", "a       b"},
      {"1234567\tx", "1234567 x"},
      {"12345678\tx", "12345678        x"},
      {"a\t\tb", "a               b"},
      {"File:\t\tC.awl", "File:           C.awl"},
  };
  for (const auto& c : cases) {
    m_canvas = RecordingCanvas();
    auto pages = service();
    pages.printText(c.text);
    pages.endPrintPage();
    EXPECT_EQ(body(0), std::vector<std::string>{c.expected}) << c.text;
  }
}

TEST_F(PageServiceTest, EndsLinesAtEachOfTheFourLineEnds) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"a\r\nb", {"a", "b"}},
      {"a\n\rb", {"a", "b"}},
      {"a\nb", {"a", "b"}},
      {"a\rb", {"a", "b"}},
      {"a\n\nb", {"a", "", "b"}},
      {"a\r\rb", {"a", "", "b"}},
      {"a\r\n\r\nb", {"a", "", "b"}},
      {"a\n\r\nb", {"a", "", "b"}},
      {"a\r\n", {"a"}},
      {"\r\na", {"", "a"}},
      {"a", {"a"}},
  };
  for (const auto& c : cases) {
    m_canvas = RecordingCanvas();
    auto pages = service();
    pages.printText(c.text);
    pages.endPrintPage();
    EXPECT_EQ(body(0), c.lines) << ::testing::PrintToString(c.text);
  }
}

TEST_F(PageServiceTest, StartsANewPageWhenTheBodyIsFull) {
  auto pages = service();
  pages.setTitle("Allocation List");
  const int perPage = bodyLines();
  for (int i = 0; i < 2 * perPage + 3; ++i) pages.printLine("line " + std::to_string(i));
  pages.endPrintPage();
  ASSERT_EQ(m_canvas.pages().size(), 3u);
  EXPECT_EQ(pages.pageCount(), 3u);
  for (std::size_t p = 0; p < 3; ++p) {
    const auto& page = m_canvas.pages()[p];
    EXPECT_TRUE(page.ended);
    EXPECT_TRUE(page.findText("Allocation List")) << p;
    EXPECT_TRUE(page.findText("Page   " + std::to_string(p + 1))) << p;
  }
  EXPECT_EQ(body(0).size(), static_cast<std::size_t>(perPage));
  EXPECT_EQ(body(1).front(), "line " + std::to_string(perPage));
  EXPECT_EQ(body(2).size(), 3u);
  // No line runs into the footer.
  const int footer = m_layout.top + (m_layout.linesPerPage - kFooterLines) * kLineHeight;
  for (const auto& page : m_canvas.pages()) {
    for (const auto& item : page.items) {
      if (item.text.rfind("line ", 0) == 0) {
        EXPECT_LE(item.y + kLineHeight, footer);
      }
    }
  }
}

TEST_F(PageServiceTest, RepeatsSubtitlesAndDrawsDefaultAsARule) {
  auto pages = service();
  pages.setTitle("IO Configuration");
  pages.setSubtitles("IO Module   Switch", "default");
  const int perPage = bodyLines(2);
  for (int i = 0; i < perPage + 1; ++i) pages.printLine("row");
  pages.endPrintPage();
  ASSERT_EQ(m_canvas.pages().size(), 2u);
  for (const auto& page : m_canvas.pages()) {
    const auto* subtitle = page.findText("IO Module   Switch");
    ASSERT_TRUE(subtitle);
    EXPECT_EQ(subtitle->y, m_layout.top + kHeaderLines * kLineHeight);
    EXPECT_FALSE(page.findText("default"));
    EXPECT_EQ(page.rules(), 3u);
  }
  const auto first = body(0);
  EXPECT_EQ(std::count(first.begin(), first.end(), "row"), perPage);
  EXPECT_EQ(first.size(), static_cast<std::size_t>(perPage) + 2);  // below both sub-titles
  // A new title without sub-titles takes effect on the next page.
  pages.setTitle("Drivers");
  pages.setSubtitles();
  pages.printLine("x");
  pages.endPrintPage();
  EXPECT_FALSE(m_canvas.pages()[2].findText("IO Module   Switch"));
  EXPECT_EQ(m_canvas.pages()[2].rules(), 2u);
}

TEST_F(PageServiceTest, TitlePageHasNoFrameAndNoNumber) {
  auto pages = service();
  ASSERT_TRUE(pages.printTitlePage("DEMO", "4.10", "demo", "08.12.2026 06:30"));
  EXPECT_EQ(pages.pageCount(), 0u);
  pages.setTitle("Project Documentation");
  pages.printLine("text");
  pages.endPrintPage();
  ASSERT_EQ(m_canvas.pages().size(), 2u);
  const auto& title = m_canvas.pages()[0];
  EXPECT_EQ(title.texts(),
            (std::vector<std::string>{"ZEL", "DEMO", "4.10", "demo", "08.12.2026 06:30"}));
  EXPECT_EQ(title.rules(), 0u);
  const auto* product = title.findText("ZEL");
  EXPECT_GT(product->scale, 1);
  EXPECT_EQ(product->x, m_layout.left + m_layout.width() / 2 - 10 * kCharWidth);
  EXPECT_EQ(product->y, m_layout.top + m_layout.height() / 3);
  EXPECT_EQ(title.findText("DEMO")->x, product->x);
  EXPECT_GT(title.findText("DEMO")->y, product->y);
  const int last = m_layout.top + (m_layout.linesPerPage - 1) * kLineHeight;
  EXPECT_EQ(title.findText("08.12.2026 06:30")->y, last);
  EXPECT_EQ(title.findText("demo")->y, last - kLineHeight);
  EXPECT_EQ(title.findText("4.10")->y, last - 2 * kLineHeight);
  EXPECT_TRUE(m_canvas.pages()[1].findText("Page   1"));
}

TEST_F(PageServiceTest, ARefusedPageEndsTheDocument) {
  m_canvas.refusePage(2);
  auto pages = service();
  for (int i = 0; i < bodyLines() * 3; ++i) pages.printLine("x");
  EXPECT_TRUE(pages.failed());
  EXPECT_FALSE(pages.beginPrintPage());
  pages.printText("more\nand more");
  EXPECT_EQ(m_canvas.beginCalls(), 2);  // nothing asked of the device after the refusal
  EXPECT_EQ(m_canvas.pages().size(), 1u);
  EXPECT_TRUE(m_canvas.pages()[0].ended);
  EXPECT_EQ(m_canvas.strayItems(), 0);
}

TEST_F(PageServiceTest, AnAbortStopsBeforeTheNextPage) {
  auto pages = service();
  int asked = 0;
  pages.setAbortCheck([&] { return ++asked > 1; });
  for (int i = 0; i < bodyLines() * 3; ++i) pages.printLine("x");
  EXPECT_TRUE(pages.failed());
  EXPECT_EQ(m_canvas.pages().size(), 1u);
  EXPECT_EQ(m_canvas.beginCalls(), 1);
}

}  // namespace
}  // namespace zel::print
