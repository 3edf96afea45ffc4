#pragma once
// The page service the sections print through: it keeps the current page, draws each
// page's header and footer, wraps lines at the right margin and starts a new page when
// the body is full.
//
// Every page but the title page has a header ("ZEL" + "   " + project name + "  " +
// controller type + "  " + comment; the section title on the next line; a rule; then the
// sub-title lines when set, a sub-title "default" printing as a rule) and a footer (a
// rule; the date in its long form at the left, "Page %3u" at the right margin). The pages
// after the title page are numbered from 1. Header lines wider than the body are cut.

#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "print/page_canvas.h"
#include "print/page_layout.h"

namespace zel::print {

struct PageFrame {
  std::string projectName;
  std::string controllerType;
  std::string comment;
  std::string longDate;  // the footer's date, already in its long form
};

// The header's first line.
std::string HeaderLine(const PageFrame& frame);

class PageService {
 public:
  PageService(PageCanvas& canvas, const PageLayout& layout, PageFrame frame);

  // The title and sub-titles take effect on the next page begun.
  void setTitle(std::string title);
  void setSubtitles(std::string first = {}, std::string second = {});

  // Asked before each page: true ends the document as a refused page does (the user
  // aborted).
  void setAbortCheck(std::function<bool()> aborted) { m_aborted = std::move(aborted); }

  // A page with its header; the text starts below it. False once the device refused a page
  // (or the user aborted): everything after that is ignored.
  bool beginPrintPage();
  // The footer, and the page goes to the device. Does nothing when no page is open.
  bool endPrintPage();

  // One line, continued on the next line where it is wider than the body; a full body
  // ends the page and begins the next one (with the same title). Begins a page when none
  // is open.
  void printLine(std::string_view text);
  // A whole text: tabs advance to the next multiple of 8 columns, and "\r\n", "\n\r",
  // "\n" and "\r" each end a line.
  void printText(std::string_view text);

  // The title page (no header, no footer, no number): "ZEL" enlarged at a third of the
  // body's height, ten character widths left of its middle; the project name two lines
  // below; the last three lines of the body hold the version, the user and the time.
  bool printTitlePage(std::string_view projectName, std::string_view version, std::string_view user,
                      std::string_view dateTime);

  bool failed() const { return m_failed; }
  bool pageOpen() const { return m_pageOpen; }
  // Pages printed so far, the title page not counted.
  unsigned pageCount() const { return m_pageNumber; }
  // The characters of the print font that fit across the body (the cross reference's
  // line width).
  int columns() const;
  const PageLayout& layout() const { return m_layout; }

 private:
  // A new sheet from the device, unless aborted or failed before.
  bool startPage();
  // Where the footer begins: the body's lines end there.
  int bodyEnd() const;
  // How many characters of `text` fit across the body; at least one.
  std::size_t fittingLength(std::string_view text) const;
  // The part of `text` that fits across the body.
  std::string_view fitting(std::string_view text) const;
  // One line that fits, on a new page when the body is full.
  void putLine(std::string_view text);

  PageCanvas& m_canvas;
  PageLayout m_layout;
  PageFrame m_frame;
  std::string m_title;
  std::string m_subtitles[2];
  int m_y = 0;  // where the next line goes
  unsigned m_pageNumber = 0;
  bool m_pageOpen = false;
  bool m_failed = false;
  std::function<bool()> m_aborted;
};

}  // namespace zel::print
