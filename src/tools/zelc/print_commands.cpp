// zelc print: the project documentation into a PDF file on A4 portrait paper, with the
// sections of the project's "PRINT" options, or only the single sections named. The PDF
// needs Qt's font and painting code, so the command is there only in the Qt build; zelc
// then starts Qt's Gui on the offscreen platform, as a script has no display to speak of.

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "tools/zelc/commands.h"
#include "tools/zelc/workspace.h"

#ifdef ZEL_PRINT_QT
#include <QGuiApplication>

#include "app/project/project_file.h"
#include "print/print_options.h"
#include "print/qt/pdf_output.h"
#include "print/qt/print_request.h"
#endif

#ifndef ZEL_VERSION
#define ZEL_VERSION ""
#endif

namespace zel::zelc {

namespace {

struct PrintArgs {
  std::string project;
  std::string pdf;
  std::vector<std::string> sections;
};

#ifdef ZEL_PRINT_QT

int Print(const GlobalOptions& options, std::ostream& out, const PrintArgs& args) {
  std::vector<print::SectionChoice> singles;
  for (const std::string& name : args.sections) {
    const auto choice = print::ParseSectionName(name);
    if (!choice) {
      ReportError("Unknown section '" + name +
                  "'. Use ProjectTree, AllocList, CrossRef, IOConfig, Drivers or a module "
                  "file name such as CZ0P00V1.AWL.");
      return kUsageError;
    }
    singles.push_back(*choice);
  }
  auto workspace = Workspace::open(options.workDir);
  if (!workspace || !workspace->openForReading(args.project)) return kFailed;

  // The environment's choice of platform stands; otherwise no display is needed.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // Qt's notes about its own set-up (no runtime directory for a script run as another
  // user, and the like) mean nothing to a script; what fails is reported as our error.
  qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
      std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    }
  });
  static int argc = 1;
  static char name[] = "zelc";
  static char* argv[] = {name, nullptr};
  QGuiApplication gui(argc, argv);

  const std::string project = workspace->model().name();
  const auto& preferences = workspace->preferences();
  const auto file = app::ProjectFile::ofProject(workspace->projectDirectory(), project);
  const print::PrintOptions printOptions = print::ReadPrintOptions(file);
  std::vector<print::DocumentRequest> requests;
  const auto request = [&](std::optional<print::SectionChoice> single) {
    return print::MakeDocumentRequest(preferences, workspace->projectDirectory(), project,
                                      printOptions, std::move(single), ZEL_VERSION);
  };
  if (singles.empty()) requests.push_back(request(std::nullopt));
  for (const auto& single : singles) requests.push_back(request(single));

  const auto outcome = print::PrintPdf(fs::path(args.pdf), requests, preferences.printMargins(),
                                       print::PreferredPrintFont(preferences));
  if (outcome.result != print::PrintResult::Printed) {
    ReportError(outcome.error);
    return kFailed;
  }
  out << "Printed " << outcome.pages << " page(s) of project " << project << " to " << args.pdf
      << ".\n";
  return 0;
}

#else

int Print(const GlobalOptions&, std::ostream&, const PrintArgs&) {
  ReportError("Printing needs the Qt build of zelc (ZEL_GUI=ON).");
  return kFailed;
}

#endif

}  // namespace

void AddPrintCommands(CLI::App& app, CommandAction& chosen) {
  auto args = std::make_shared<PrintArgs>();
  auto* sub =
      app.add_subcommand("print", "Print the project documentation into a PDF file (A4 portrait)");
  sub->add_option("-p,--project", args->project, "The project")->required();
  sub->add_option("--pdf", args->pdf, "The PDF file to write")->required();
  sub->add_option("--section", args->sections,
                  "Print only this section: ProjectTree, AllocList, CrossRef, IOConfig, "
                  "Drivers or a module file name (may be repeated; default: the project's "
                  "print options)");
  WhenChosen(sub, chosen,
             [args](const GlobalOptions& o, std::ostream& out) { return Print(o, out, *args); });
}

}  // namespace zel::zelc
