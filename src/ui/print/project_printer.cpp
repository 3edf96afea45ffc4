#include "ui/print/project_printer.h"

#include <unistd.h>

#include <QDialogButtonBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <mutex>

#include "platform/files.h"
#include "platform/message_box.h"
#include "print/page_layout.h"
#include "print/qt/print_request.h"
#include "print/qt/qt_page_canvas.h"
#include "ui/print/print_options_dialog.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

struct ProjectPrinter::Shared {
  std::mutex lock;
  print::PrintResult result = print::PrintResult::DeviceFailed;
  std::string error;
};

namespace {

void ShowError(std::string_view text) {
  platform::ShowMessageBox(std::string(text), platform::Buttons::Ok, platform::Icon::Error);
}

bool ChooseWithDialog(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

// The 170 mm test on the GUI thread, before the job starts, so its box is the frame's.
bool PaperLargeEnough(QPrinter& printer, const print::PrintFont& font) {
  return print::PaperLargeEnough(print::QtPageCanvas(printer, font).pageMetrics());
}

}  // namespace

bool DocumentationTextUsable(const app::ProjectFile& file) {
  const auto found = platform::FindPathNoCase(file.docFile());
  return found && ::access(found->c_str(), R_OK | W_OK) == 0;
}

ProjectPrinter::ProjectPrinter(QWidget* window)
    : QObject(window),
      m_window(window),
      m_chooser(ChooseWithDialog),
      m_target([this](const platform::Message& message) { return jobMessage(message); }),
      m_job(m_target.id()) {}

ProjectPrinter::~ProjectPrinter() {
  m_job.cancel();
  m_job.wait();
}

void ProjectPrinter::printProject(const Project& project) {
  if (running()) return;
  auto file = app::ProjectFile::ofProject(project.projectsDirectory, project.name);
  const bool docText = DocumentationTextUsable(file);
  PrintOptionsDialog dialog(print::ReadPrintOptions(file), docText, m_window);
  const int choice = dialog.exec();
  if (choice == QDialog::Rejected) return;
  print::PrintOptions options = dialog.options();
  if (!print::WritePrintOptions(file, options)) {
    ShowError("Cannot write the print options into " + file.path().string() + ".");
  }
  if (!docText) options.docText = false;
  auto request =
      print::MakeDocumentRequest(project.preferences, project.projectsDirectory, project.name,
                                 options, std::nullopt, project.productVersion);
  if (choice == PrintOptionsDialog::Preview) {
    preview(project, request);
  } else {
    print(project, std::move(request));
  }
}

void ProjectPrinter::printSection(const Project& project, const print::SectionChoice& section) {
  if (running()) return;
  const auto file = app::ProjectFile::ofProject(project.projectsDirectory, project.name);
  print(project,
        print::MakeDocumentRequest(project.preferences, project.projectsDirectory, project.name,
                                   print::ReadPrintOptions(file), section, project.productVersion));
}

void ProjectPrinter::preview(const Project& project, const print::DocumentRequest& request) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(FromStored(print::DocumentName(request.projectName)));
  const print::PrintFont font = print::PreferredPrintFont(project.preferences);
  const app::PrintMargins margins = project.preferences.printMargins();
  QPrintPreviewDialog dialog(&printer, m_window);
  // The dialog asks again whenever its page setup changes; each problem is told once.
  bool told = false;
  connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* device) {
    print::QtPageCanvas canvas(*device, font);
    std::string error;
    const auto result = print::PrintDocument(canvas, request, margins, nullptr, &error);
    canvas.finish();
    m_lastResult = result;
    if (told) return;
    if (result == print::PrintResult::PaperTooSmall) {
      told = true;
      ShowError(print::kMsgPaperTooSmall);
    } else if (result == print::PrintResult::NoProject) {
      told = true;
      ShowError(error);
    }
  });
  dialog.exec();
}

void ProjectPrinter::print(const Project& project, print::DocumentRequest request) {
  auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
  printer->setDocName(FromStored(print::DocumentName(request.projectName)));
  if (!m_chooser(*printer, m_window)) return;
  const print::PrintFont font = print::PreferredPrintFont(project.preferences);
  if (!PaperLargeEnough(*printer, font)) {
    ShowError(print::kMsgPaperTooSmall);
    return;
  }
  m_printer = std::move(printer);
  m_shared = std::make_shared<Shared>();
  const app::PrintMargins margins = project.preferences.printMargins();
  const bool started = m_job.start([device = m_printer.get(), shared = m_shared, font, margins,
                                    request = std::move(request)](app::JobControl& control) {
    print::QtPageCanvas canvas(*device, font);
    std::string error;
    const auto result = print::PrintDocument(canvas, request, margins, &control, &error);
    // What was sent of a stopped print is withdrawn where the device can.
    if (result == print::PrintResult::Aborted) device->abort();
    const bool finished = canvas.finish();
    std::lock_guard lock(shared->lock);
    shared->result = result == print::PrintResult::Printed && !finished
                         ? print::PrintResult::DeviceFailed
                         : result;
    shared->error = std::move(error);
    app::JobOutcome outcome;
    outcome.result = shared->result == print::PrintResult::Printed   ? app::JobResult::Succeeded
                     : shared->result == print::PrintResult::Aborted ? app::JobResult::Cancelled
                                                                     : app::JobResult::Failed;
    return outcome;
  });
  if (!started) {
    m_printer.reset();
    ShowError(print::kMsgCannotStartPrinting);
    return;
  }
  showAbortWindow(project.name);
}

void ProjectPrinter::showAbortWindow(const std::string& projectName) {
  auto* window = new QDialog(m_window);
  window->setObjectName("PrintAbortWindow");
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle(tr("Printing"));
  window->setModal(true);
  auto* layout = new QVBoxLayout(window);
  layout->addWidget(new QLabel(tr("Printing project %1").arg(FromStored(projectName)), window));
  m_abortText = new QLabel(window);
  layout->addWidget(m_abortText);
  auto* buttons = new QDialogButtonBox(window);
  QPushButton* stop = buttons->addButton(tr("Stop"), QDialogButtonBox::RejectRole);
  stop->setObjectName("stop");
  layout->addWidget(buttons);
  // Closing the window stops the print too; the window goes when the job has ended.
  connect(window, &QDialog::rejected, this, [this] {
    m_job.cancel();
    if (m_abortText) m_abortText->setText(tr("Stopping..."));
  });
  connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::reject);
  m_abort = window;
  window->show();
}

platform::LParam ProjectPrinter::jobMessage(const platform::Message& message) {
  if (message.wParam != m_job.id() || m_job.id() == 0) return 0;
  if (message.id == app::JobProgressMessage()) {
    if (m_abortText) m_abortText->setText(FromStored(m_job.progress().text));
  } else if (message.id == app::JobDoneMessage()) {
    ended();
  }
  return 0;
}

void ProjectPrinter::ended() {
  m_job.wait();
  m_printer.reset();
  if (m_abort) {
    m_abort->disconnect(this);
    m_abort->close();
    m_abort = nullptr;
  }
  print::PrintResult result = print::PrintResult::DeviceFailed;
  std::string error;
  if (m_shared) {
    std::lock_guard lock(m_shared->lock);
    result = m_shared->result;
    error = m_shared->error;
  }
  m_lastResult = result;
  // A refused page or a stop ends the print quietly; only a project that could not be
  // read has something to tell.
  if (result == print::PrintResult::NoProject && !error.empty()) ShowError(error);
}

}  // namespace zel::ui
