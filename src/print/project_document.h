#pragma once
// The project documentation: what each section holds (collected from the cores that own
// the data, without any device) and how it goes onto pages (through the page service).
//
// Sections, each beginning on a new page, in this order: title page, "Project
// Documentation" ("Project.TXT"), controller settings, project tree, IO configuration,
// driver configuration, allocation list, the modules (per module sorted by file name
// without regard to case: "Properties of %s", "%s - %s" with the source in display form,
// "Log file for %s"), the cross reference, "Print Metrics".

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/jobs/job.h"
#include "app/preferences/print_margins.h"
#include "print/page_canvas.h"
#include "print/page_service.h"
#include "print/print_options.h"

namespace zel::print {

struct DocumentRequest {
  std::filesystem::path programDirectory;   // holds "RUNTIME." + type (IO and driver scripts)
  std::filesystem::path projectsDirectory;  // the folder of all projects
  std::string projectName;
  PrintOptions options;
  // Set: only this section, without the title page.
  std::optional<SectionChoice> single;
  std::string productVersion;  // "PSE="; empty gives "UNKNOWN"
  std::string userName;        // empty gives "UNKNOWN USER"
  std::string dateTime;        // the title page's date and time
  std::string longDate;        // the footers' date
  bool elseWord = false;       // "STL_ELSE_OTHRW": sources show "ELSE" for OTHRW
};

// One section's content. `text` sections go through printText (tabs, any line end);
// `lines` through printLine. A section starts a new page.
struct DocumentSection {
  std::string title;
  std::string subtitle1;
  std::string subtitle2;
  std::vector<std::string> lines;
  std::optional<std::string> text;
  bool metrics = false;  // "Print Metrics": the lines come from the canvas
  bool operator==(const DocumentSection&) const = default;
};

struct ProjectDocument {
  bool titlePage = false;
  std::string projectName;
  std::string controllerType;
  std::string comment;
  std::vector<DocumentSection> sections;
};

// Reads the project and collects every chosen section. `columns` is the line width the
// cross reference is listed for. nullopt, with `error` set, when the project cannot be
// read or the single section names no section of it.
std::optional<ProjectDocument> CollectDocument(const DocumentRequest& request, int columns,
                                               std::string* error = nullptr);

// The name the device gets for the print job: "ZEL: " + project name.
std::string DocumentName(std::string_view projectName);

// Puts the document on pages. `control`, when given, is asked between pages whether the
// user aborted and told each section as a step. False when the device refused a page or
// the print was aborted.
bool RenderDocument(PageService& pages, PageCanvas& canvas, const ProjectDocument& document,
                    const DocumentRequest& request, app::JobControl* control = nullptr);

inline constexpr std::string_view kMsgCannotStartPrinting = "Could not start printing.";
inline constexpr std::string_view kMsgPaperTooSmall =
    "Paper too small for ZEL print-out.\nChoose a larger paper format.";

enum class PrintResult { Printed, PaperTooSmall, NoProject, Aborted, DeviceFailed };

// The whole print-out on `canvas`: the 170 mm check, the layout from `margins` (margins
// that leave no page count as too small a paper), the document collected and rendered. `error` gets
// the text to show for NoProject.
PrintResult PrintDocument(PageCanvas& canvas, const DocumentRequest& request,
                          const app::PrintMargins& margins, app::JobControl* control = nullptr,
                          std::string* error = nullptr);

}  // namespace zel::print
