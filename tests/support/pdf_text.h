#pragma once
// What a print-out says, read back from its PDF with poppler's pdftotext, so a test checks
// the file a user gets rather than what the program meant to draw.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace zel::test {

bool HavePdfToText();
// The PDF's text with its layout, so a footer's "Page   1" keeps its blanks; empty when
// the file cannot be read.
std::string PdfText(const std::filesystem::path& pdf);

}  // namespace zel::test

#define REQUIRE_PDFTOTEXT() \
  if (!::zel::test::HavePdfToText()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed"
