#include "print/project_document.h"

#include "app/project/project_file.h"
#include "build/run_file_records.h"
#include "print/page_layout.h"

namespace zel::print {

namespace {

constexpr std::string_view kUnknownUser = "UNKNOWN USER";

std::string_view OrDefault(const std::string& text, std::string_view fallback) {
  return text.empty() ? fallback : std::string_view(text);
}

void PrintSection(PageService& pages, const PageCanvas& canvas, const DocumentSection& section) {
  pages.setTitle(section.title);
  pages.setSubtitles(section.subtitle1, section.subtitle2);
  if (!pages.beginPrintPage()) return;
  if (section.metrics) {
    for (const std::string& line : canvas.metricLines()) pages.printLine(line);
  }
  for (const std::string& line : section.lines) pages.printLine(line);
  if (section.text) pages.printText(*section.text);
  pages.endPrintPage();
}

}  // namespace

std::string DocumentName(std::string_view projectName) {
  return std::string(app::kApplicationTitle) + ": " + std::string(projectName);
}

bool RenderDocument(PageService& pages, PageCanvas& canvas, const ProjectDocument& document,
                    const DocumentRequest& request, app::JobControl* control) {
  if (control) pages.setAbortCheck([control] { return control->cancelRequested(); });
  const int steps = static_cast<int>(document.sections.size()) + (document.titlePage ? 1 : 0);
  int step = 0;
  if (document.titlePage) {
    if (control) control->progress("Title page", ++step, steps);
    pages.printTitlePage(document.projectName, build::ProductVersionText(request.productVersion),
                         OrDefault(request.userName, kUnknownUser), request.dateTime);
  }
  for (const DocumentSection& section : document.sections) {
    if (pages.failed()) break;
    if (control) control->progress(section.title, ++step, steps);
    PrintSection(pages, canvas, section);
  }
  pages.setAbortCheck({});
  return !pages.failed();
}

PrintResult PrintDocument(PageCanvas& canvas, const DocumentRequest& request,
                          const app::PrintMargins& margins, app::JobControl* control,
                          std::string* error) {
  const PageMetrics metrics = canvas.pageMetrics();
  if (!PaperLargeEnough(metrics)) return PrintResult::PaperTooSmall;
  // Margins that leave no room for a page: the paper cannot take this print-out either.
  const auto layout = ComputePageLayout(metrics, canvas.fontMetrics(), margins);
  if (!layout) return PrintResult::PaperTooSmall;

  auto document = CollectDocument(request, BodyColumns(*layout, canvas.fontMetrics()), error);
  if (!document) return PrintResult::NoProject;
  PageFrame frame;
  frame.longDate = request.longDate;
  frame.projectName = document->projectName;
  frame.controllerType = document->controllerType;
  frame.comment = document->comment;
  PageService pages(canvas, *layout, std::move(frame));
  if (RenderDocument(pages, canvas, *document, request, control)) return PrintResult::Printed;
  return control && control->cancelRequested() ? PrintResult::Aborted : PrintResult::DeviceFailed;
}

}  // namespace zel::print
