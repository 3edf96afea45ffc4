// End-to-end: zelc print writes the demo project's documentation as a PDF; the text that
// pdftotext reads back says which sections made it onto the pages.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/profile.h"
#include "support/pdf_text.h"
#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

#ifdef ZEL_PRINT_QT

TEST(ZelcPrint, TheWholeDocumentationHasEverySection) {
  REQUIRE_PDFTOTEXT();
  DemoWorkspace ws;
  // A make leaves the compile logs that the modules' log pages print.
  ASSERT_EQ(ws.run({"make", "-p", "DEMO"}).status, 0);
  const fs::path pdf = ws.dir() / "demo.pdf";
  const auto r = ws.run({"print", "-p", "demo", "--pdf", pdf.string()});
  ASSERT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(Has(r.out, "of project DEMO to")) << r.out;
  const std::string text = test::PdfText(pdf);
  for (const char* part :
       {"Project Documentation", "Bottling line demo project.", "Controller Settings",
        "Project Tree", "IO Configuration", "Driver Configuration", "Allocation List",
        "Properties of Program 0 (V1)", "Properties of CMP 10 (V1)", "Log file for",
        "Cross Reference for Project DEMO", "ZEL   DEMO", "Page   1", "Page   2"}) {
    EXPECT_TRUE(Has(text, part)) << part;
  }
  // The metrics page is off by default.
  EXPECT_FALSE(Has(text, "Print Metrics"));
}

TEST(ZelcPrint, TheProjectsOptionsChooseTheSections) {
  REQUIRE_PDFTOTEXT();
  DemoWorkspace ws;
  const fs::path file = ws.project("DEMO") / "Project.FW4";
  std::ofstream(file, std::ios::app | std::ios::binary)
      << "\r\n[PRINT]\r\nTITLE=0\r\nDOCTEXT=0\r\nCTRLSETTINGS=1\r\nPROJECTTREE=0\r\nIO=0\r\n"
         "DRIVER=0\r\nALLOCATIONLIST=0\r\nPROPERTIES=0\r\nSOURCE=0\r\nLOG=0\r\nXREF=0\r\n"
         "METRIC=1\r\n";
  const fs::path pdf = ws.dir() / "few.pdf";
  const auto r = ws.run({"print", "-p", "DEMO", "--pdf", pdf.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string text = test::PdfText(pdf);
  EXPECT_TRUE(Has(text, "Controller Settings"));
  EXPECT_TRUE(Has(text, "Print Metrics"));
  EXPECT_TRUE(Has(text, "Resolution: 1200 x 1200 dpi")) << text;
  EXPECT_TRUE(Has(text, "Paper height: 14033 units (297.0 mm)")) << text;
  for (const char* absent : {"Project Documentation", "Project Tree", "Allocation List",
                             "Properties of", "Cross Reference for"}) {
    EXPECT_FALSE(Has(text, absent)) << absent;
  }
}

TEST(ZelcPrint, SingleSectionsPrintAloneWithoutTheTitlePage) {
  REQUIRE_PDFTOTEXT();
  const struct {
    std::vector<std::string> sections;
    std::vector<std::string> present;
    std::vector<std::string> absent;
  } cases[] = {
      {{"AllocList"},
       {"Allocation List", "Page   1"},
       {"Controller Settings", "Project Tree", "Properties of", "4.0.0"}},
      {{"ProjectTree", "Drivers"},
       {"Project Tree", "Driver Configuration"},
       {"Allocation List", "Controller Settings"}},
      {{"cz0p01v1.awl"}, {"Program 1 (V1) - Conveyor control"}, {"Program 0 (V1)", "Project Tree"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sections.front());
    DemoWorkspace ws;
    const fs::path pdf = ws.dir() / "section.pdf";
    std::vector<std::string> args{"print", "-p", "DEMO", "--pdf", pdf.string()};
    for (const auto& s : c.sections) args.insert(args.end(), {"--section", s});
    const auto r = ws.run(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string text = test::PdfText(pdf);
    for (const auto& part : c.present) EXPECT_TRUE(Has(text, part)) << part << "\n" << text;
    for (const auto& part : c.absent) EXPECT_FALSE(Has(text, part)) << part;
  }
}

// The metrics page names the font the print-out used: "PRINT_FONT" when the system has
// its face, the default otherwise; the project's Windows-1252 texts arrive as themselves.
TEST(ZelcPrint, ThePrintFontAndTheCodePageReachThePage) {
  REQUIRE_PDFTOTEXT();
  const struct {
    const char* setting;  // nullptr: no "PRINT_FONT"
    std::string font;
  } cases[] = {
      {nullptr, "Print font: Courier New,9,400,0"},
      {"Liberation Sans,12,700,1", "Print font: Liberation Sans,12,700,1"},
      {"No Such Face,12,400,0", "Print font: Courier New,9,400,0"},
      {"Courier New,zero,400,0", "Print font: Courier New,9,400,0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.setting ? c.setting : "(none)");
    DemoWorkspace ws;
    if (c.setting) {
      ASSERT_TRUE(platform::WriteProfileString(ws.dir() / "ZEL.INI", "PREFERENCES", "PRINT_FONT",
                                               c.setting));
    }
    const fs::path file = ws.project("DEMO") / "Project.FW4";
    std::string text = ReadFile(file);
    text.replace(text.find("COMMENT=Bottling line demo"), 26,
                 "COMMENT=Abf\xFC"
                 "llung S\xFC"
                 "d");
    text +=
        "\r\n[PRINT]\r\nTITLE=0\r\nDOCTEXT=0\r\nPROJECTTREE=0\r\nIO=0\r\nDRIVER=0\r\n"
        "ALLOCATIONLIST=0\r\nPROPERTIES=0\r\nSOURCE=0\r\nLOG=0\r\nXREF=0\r\nMETRIC=1\r\n";
    std::ofstream(file, std::ios::binary) << text;
    const fs::path pdf = ws.dir() / "font.pdf";
    const auto r = ws.run({"print", "-p", "DEMO", "--pdf", pdf.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string printed = test::PdfText(pdf);
    EXPECT_TRUE(Has(printed, c.font)) << printed;
    EXPECT_TRUE(Has(printed, "Abf\u00fcllung S\u00fcd")) << printed;
    if (c.setting && std::string(c.setting).starts_with("Liberation Sans")) {
      EXPECT_TRUE(Has(printed, "Font used: Liberation Sans")) << printed;
    }
  }
}

#endif  // ZEL_PRINT_QT

// Failures say why, exit with failure and leave an existing file as it was.
TEST(ZelcPrint, FailuresAreReportedAndWriteNothing) {
  DemoWorkspace ws;
  const fs::path old = ws.dir() / "old.pdf";
  std::ofstream(old) << "older print-out";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string message;
  } cases[] = {
#ifdef ZEL_PRINT_QT
      {{"print", "-p", "DEMO", "--pdf", old.string(), "--section", "Sources"},
       2,
       "Unknown section 'Sources'"},
      {{"print", "-p", "DEMO", "--pdf", old.string(), "--section", "CZ0P09V1.AWL"}, 1, ""},
      {{"print", "-p", "NOSUCH", "--pdf", old.string()}, 1, ""},
      {{"print", "-p", "DEMO", "--pdf", (ws.dir() / "no" / "such" / "dir.pdf").string()},
       1,
       "Cannot write '"},
#else
      {{"print", "-p", "DEMO", "--pdf", old.string()}, 1, "Printing needs the Qt build"},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    const auto r = ws.run(c.args);
    EXPECT_EQ(r.status, c.status) << r.out << r.err;
    EXPECT_TRUE(Has(r.err, c.message)) << r.err;
    EXPECT_FALSE(r.err.empty());
    EXPECT_EQ(ReadFile(old), "older print-out");
  }
  EXPECT_FALSE(fs::exists(ws.dir() / "no"));
}

}  // namespace
}  // namespace zel::testing
