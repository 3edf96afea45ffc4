#pragma once
// Printing the project documentation from the desktop program: the print options window,
// the printer dialog or the preview, and the print itself as a job with an abort window.
//
// The job paints on the QPrinter from its worker thread, which Qt allows for printers (one
// thread per device at a time); the printer stays the printer's own until the job has
// ended. The preview paints on the GUI thread, as the preview dialog asks for its pages
// there and shows them when the call returns.

#include <QDialog>
#include <QLabel>
#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/jobs/job.h"
#include "app/preferences/preferences.h"
#include "app/project/project_file.h"
#include "platform/messages.h"
#include "print/print_options.h"
#include "print/project_document.h"

class QPrinter;

namespace zel::ui {

class ProjectPrinter : public QObject {
  Q_OBJECT

 public:
  explicit ProjectPrinter(QWidget* window);
  ~ProjectPrinter() override;  // stops a running print and waits for it

  // How the printer is chosen; by default the printer dialog. False: the user cancelled.
  using PrinterChooser = std::function<bool(QPrinter& printer, QWidget* parent)>;
  void setPrinterChooser(PrinterChooser chooser) { m_chooser = std::move(chooser); }

  struct Project {
    app::Preferences preferences;
    std::filesystem::path projectsDirectory;
    std::string name;
    std::string productVersion;
  };
  // The whole documentation, after the print options window (OK: the printer, Preview:
  // the preview); the options chosen are written back to the project first.
  void printProject(const Project& project);
  // One section alone, straight to the printer dialog.
  void printSection(const Project& project, const print::SectionChoice& section);

  bool running() const { return m_job.running() || m_abort; }
  app::Job& job() { return m_job; }
  // The window with Stop while a print runs.
  QDialog* abortWindow() const { return m_abort; }
  // The last print's end; nullopt before the first one has ended.
  std::optional<print::PrintResult> lastResult() const { return m_lastResult; }

 private:
  struct Shared;
  void print(const Project& project, print::DocumentRequest request);
  void preview(const Project& project, const print::DocumentRequest& request);
  void showAbortWindow(const std::string& projectName);
  void ended();
  platform::LParam jobMessage(const platform::Message& message);

  QWidget* m_window;
  PrinterChooser m_chooser;
  std::unique_ptr<QPrinter> m_printer;  // the running print's device
  std::shared_ptr<Shared> m_shared;     // what the worker hands back
  QPointer<QDialog> m_abort;
  QPointer<QLabel> m_abortText;
  std::optional<print::PrintResult> m_lastResult;
  platform::MessageTarget m_target;
  app::Job m_job;  // last: it waits for its worker before the printer goes
};

// Whether the project's documentation text ("Project.txt" unless the project names
// another file) can be read and written, as its print option asks.
bool DocumentationTextUsable(const app::ProjectFile& file);

}  // namespace zel::ui
