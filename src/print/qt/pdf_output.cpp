#include "print/qt/pdf_output.h"

#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>

#include "platform/code_page.h"
#include "print/qt/qt_page_canvas.h"

namespace zel::print {

namespace {

std::string CannotWrite(const std::filesystem::path& file, const QString& reason) {
  return "Cannot write '" + file.string() +
         "': " + (reason.isEmpty() ? std::string("the device failed") : reason.toStdString());
}

}  // namespace

PdfOutcome PrintPdf(const std::filesystem::path& file, std::span<const DocumentRequest> requests,
                    const app::PrintMargins& margins, const PrintFont& font) {
  PdfOutcome outcome;
  // Written beside the target and renamed when complete.
  QSaveFile out(QString::fromStdString(file.string()));
  if (!out.open(QIODevice::WriteOnly)) {
    outcome.error = CannotWrite(file, out.errorString());
    return outcome;
  }
  {
    QPdfWriter writer(&out);
    if (!requests.empty()) {
      writer.setTitle(QString::fromStdString(
          platform::Cp1252ToUtf8(DocumentName(requests.front().projectName))));
    }
    writer.setCreator(QStringLiteral("ZEL"));
    // A file has no unprintable border: the margins are the print-out's own.
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QtPageCanvas canvas(writer, font);
    outcome.result = PrintResult::Printed;
    for (const DocumentRequest& request : requests) {
      outcome.result = PrintDocument(canvas, request, margins, nullptr, &outcome.error);
      if (outcome.result != PrintResult::Printed) break;
    }
    const bool finished = canvas.finish();
    outcome.pages = canvas.pages();
    if (outcome.result == PrintResult::Printed && !finished) {
      outcome.result = PrintResult::DeviceFailed;
    }
  }
  switch (outcome.result) {
    case PrintResult::Printed:
      if (!out.commit()) {
        outcome.result = PrintResult::DeviceFailed;
        outcome.error = CannotWrite(file, out.errorString());
      }
      return outcome;
    case PrintResult::PaperTooSmall:
      outcome.error = std::string(kMsgPaperTooSmall);
      break;
    case PrintResult::NoProject:
      break;  // the document said why
    case PrintResult::Aborted:
    case PrintResult::DeviceFailed:
      outcome.error = CannotWrite(file, out.errorString());
      break;
  }
  out.cancelWriting();
  return outcome;
}

}  // namespace zel::print
