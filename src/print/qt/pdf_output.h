#pragma once
// The project documentation as a PDF file on A4 portrait paper, for zelc and the tests.
// Needs a QGuiApplication (the font database); any platform will do, the offscreen one too.

#include <filesystem>
#include <span>
#include <string>

#include "app/preferences/print_margins.h"
#include "print/print_font.h"
#include "print/project_document.h"

namespace zel::print {

struct PdfOutcome {
  PrintResult result = PrintResult::DeviceFailed;
  std::string error;  // the text to report when the result is not Printed
  int pages = 0;      // sheets in the file, the title page counted
};

// Each request in turn into one file (several single sections follow one another, each
// numbered from page 1 as when printed on its own). Written whole or not at all: a
// print-out that fails leaves no file behind, and an older file of that name is replaced
// only by a complete one.
PdfOutcome PrintPdf(const std::filesystem::path& file, std::span<const DocumentRequest> requests,
                    const app::PrintMargins& margins, const PrintFont& font);

}  // namespace zel::print
