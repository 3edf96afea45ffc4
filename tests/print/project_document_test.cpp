#include "print/project_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "print/recording_canvas.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::print {
namespace {

namespace fs = std::filesystem;

// The demo's program folder holds the run-time libraries the IO and driver sections read;
// its project is copied, so a test may change it.
class ProjectDocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(m_dir / "Projects");
    fs::copy(fs::path(ZEL_DEMO_DIR) / "Projects" / "DEMO", m_dir / "Projects" / "DEMO",
             fs::copy_options::recursive);
    m_request.programDirectory = ZEL_DEMO_DIR;
    m_request.projectsDirectory = m_dir / "Projects";
    m_request.projectName = "DEMO";
    m_request.dateTime = "08.12.2026 06:30";
    m_request.longDate = "Tuesday, 8 December 2026";
  }
  fs::path project() const { return m_dir / "Projects" / "DEMO"; }

  std::vector<std::string> titles(const DocumentRequest& request) const {
    std::string error;
    const auto document = CollectDocument(request, 80, &error);
    EXPECT_TRUE(document) << error;
    std::vector<std::string> out;
    if (document)
      for (const auto& section : document->sections) out.push_back(section.title);
    return out;
  }

  test::TempDir m_dir;
  test::ScriptedAnswers m_answers;
  DocumentRequest m_request;
};

// The demo's sections in print order: its modules selected for download, sorted by file
// name, each with properties and source; no module has a log yet.
const std::vector<std::string> kDemoTitles = {
    "Project Documentation",
    "Controller Settings",
    "Project Tree",
    "IO Configuration",
    "Driver Configuration",
    "Allocation List",
    "Properties of CMP 10 (V1)",
    "CMP 10 (V1) - Filling valve",
    "Properties of CFM 20 (V1)",
    "CFM 20 (V1) - Bottle counter with batch total",
    "Properties of Program  0 (V1)",
    "Program  0 (V1) - Main cycle: start/stop and mode selection",
    "Properties of Program  1 (V1)",
    "Program  1 (V1) - Conveyor control",
    "Properties of Program  2 (V1)",
    "Program  2 (V1) - Error handler",
    "Cross Reference",
};

const DocumentSection* Find(const ProjectDocument& document, std::string_view title) {
  for (const auto& section : document.sections)
    if (section.title == title) return &section;
  return nullptr;
}

bool Contains(const std::vector<std::string>& lines, std::string_view line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(ProjectDocumentTest, CollectsEverySectionInOrder) {
  const auto document = CollectDocument(m_request, 80);
  ASSERT_TRUE(document);
  EXPECT_TRUE(document->titlePage);
  EXPECT_EQ(document->projectName, "DEMO");
  EXPECT_EQ(document->controllerType, "VM1X");
  EXPECT_EQ(document->comment, "Bottling line demo");
  EXPECT_EQ(titles(m_request), kDemoTitles);
  EXPECT_TRUE(m_answers.texts().empty());  // nothing asked or reported on the way

  // Each section's content comes from its owner; spot checks that the right one is used.
  EXPECT_EQ(Find(*document, "Project Tree")->lines.front(), "Project Tree");
  EXPECT_EQ(Find(*document, "Driver Configuration")->lines.front(), "Driver Configuration");
  EXPECT_EQ(Find(*document, "Controller Settings")->text->rfind("Controller Settings", 0), 0u);
  EXPECT_EQ(Find(*document, "Project Documentation")->text->rfind("Bottling line demo", 0), 0u);
  const auto* properties = Find(*document, "Properties of Program  1 (V1)");
  EXPECT_NE(properties->text->find("CZ0P01V1.awl\nSize:\t\t408 Bytes\n"), std::string::npos);
  EXPECT_NE(properties->text->find("\nLanguage:\tSTL"), std::string::npos);
}

TEST_F(ProjectDocumentTest, TablesRepeatTheirColumnHeadingsAsSubtitles) {
  const auto document = CollectDocument(m_request, 80);
  ASSERT_TRUE(document);
  const auto* io = Find(*document, "IO Configuration");
  EXPECT_EQ(io->subtitle1.rfind("IO Module", 0), 0u);
  EXPECT_EQ(io->subtitle2, "default");
  ASSERT_EQ(io->lines.size(), 8u);  // six entries, an empty line, the count
  EXPECT_EQ(io->lines[2].substr(0, 30), "Digital Input 16              ");
  EXPECT_EQ(io->lines.back(), "6 Entries");
  const auto* alloc = Find(*document, "Allocation List");
  EXPECT_EQ(alloc->subtitle1, "Operand    Symbol     Comment");
  EXPECT_EQ(alloc->subtitle2, "default");
  EXPECT_EQ(alloc->lines.front(), "O0.0       PUMP1      Pump 1 contactor");
  EXPECT_EQ(alloc->lines.back(), "15 Entries");
}

TEST_F(ProjectDocumentTest, SourcesShowTheDisplayFormWithListCommentsAndElse) {
  auto document = CollectDocument(m_request, 80);
  ASSERT_TRUE(document);
  const auto& cmp = Find(*document, "CMP 10 (V1) - Filling valve")->lines;
  EXPECT_TRUE(Contains(cmp, " IF                   ACTUAL         'Level actual value"));
  EXPECT_TRUE(Contains(cmp, " OTHRW RESET          O0.4"));
  m_request.elseWord = true;
  document = CollectDocument(m_request, 80);
  const auto& withElse = Find(*document, "CMP 10 (V1) - Filling valve")->lines;
  EXPECT_TRUE(Contains(withElse, " ELSE  RESET          O0.4"));
  EXPECT_FALSE(Contains(withElse, " OTHRW RESET          O0.4"));
}

// Which titles an option takes out of the demo's document.
struct OptionCase {
  const char* name;
  bool PrintOptions::*flag;
  std::vector<std::string> removed;  // a title ending in "*" stands for every one it begins
};

bool Matches(const std::string& title, const std::string& pattern) {
  if (!pattern.empty() && pattern.back() == '*')
    return title.rfind(pattern.substr(0, pattern.size() - 1), 0) == 0;
  return title == pattern;
}

TEST_F(ProjectDocumentTest, OptionsSwitchSectionsOff) {
  const OptionCase cases[] = {
      {"DOCTEXT", &PrintOptions::docText, {"Project Documentation"}},
      {"CTRLSETTINGS", &PrintOptions::controllerSettings, {"Controller Settings"}},
      {"PROJECTTREE", &PrintOptions::projectTree, {"Project Tree"}},
      {"IO", &PrintOptions::io, {"IO Configuration"}},
      {"DRIVER", &PrintOptions::drivers, {"Driver Configuration"}},
      {"ALLOCATIONLIST", &PrintOptions::allocationList, {"Allocation List"}},
      {"PROPERTIES", &PrintOptions::properties, {"Properties of *"}},
      {"SOURCE", &PrintOptions::source, {"CMP 10 (V1) - *", "CFM 20 (V1) - *", "Program  *"}},
      {"XREF", &PrintOptions::crossReference, {"Cross Reference"}},
  };
  for (const auto& c : cases) {
    DocumentRequest request = m_request;
    request.options.*c.flag = false;
    std::vector<std::string> expected;
    for (const auto& title : kDemoTitles) {
      const bool gone = std::any_of(c.removed.begin(), c.removed.end(),
                                    [&](const std::string& p) { return Matches(title, p); });
      if (!gone) expected.push_back(title);
    }
    EXPECT_EQ(titles(request), expected) << c.name;
  }
  DocumentRequest request = m_request;
  request.options.title = false;
  request.options.metrics = true;
  const auto document = CollectDocument(request, 80);
  ASSERT_TRUE(document);
  EXPECT_FALSE(document->titlePage);
  ASSERT_FALSE(document->sections.empty());
  EXPECT_EQ(document->sections.back().title, "Print Metrics");
  EXPECT_TRUE(document->sections.back().metrics);
}

TEST_F(ProjectDocumentTest, PrintsASingleSectionWithoutTitlePage) {
  struct Case {
    const char* name;
    std::vector<std::string> titles;
  };
  const Case cases[] = {
      {"ProjectTree", {"Project Tree"}},
      {"AllocList", {"Allocation List"}},
      {"CrossRef", {"Cross Reference"}},
      {"IOConfig", {"IO Configuration"}},
      {"Drivers", {"Driver Configuration"}},
      {"cz0p01v1.awl", {"Program  1 (V1) - Conveyor control"}},
      // Not selected for download, but named: it prints.
      {"CZ0P03V1.AWL", {"Program  3 (V1) - Commissioning tests, not for production"}},
  };
  for (const auto& c : cases) {
    DocumentRequest request = m_request;
    request.single = ParseSectionName(c.name);
    ASSERT_TRUE(request.single) << c.name;
    const auto document = CollectDocument(request, 80);
    ASSERT_TRUE(document) << c.name;
    EXPECT_FALSE(document->titlePage) << c.name;
    std::vector<std::string> got;
    for (const auto& section : document->sections) got.push_back(section.title);
    EXPECT_EQ(got, c.titles) << c.name;
  }
}

TEST_F(ProjectDocumentTest, RefusesWhatItCannotPrint) {
  std::string error;
  DocumentRequest request = m_request;
  request.single = ParseSectionName("CZ0P09V1.AWL");
  EXPECT_FALSE(CollectDocument(request, 80, &error));
  EXPECT_EQ(error, "'CZ0P09V1.AWL'\n\nThe project has no such module.");
  request = m_request;
  request.projectName = "NOSUCH";
  EXPECT_FALSE(CollectDocument(request, 80, &error));
  EXPECT_EQ(error, "Project not found in the current project directory.");
  request.projectName.clear();
  EXPECT_FALSE(CollectDocument(request, 80, &error));
}

TEST_F(ProjectDocumentTest, SkipsAMissingDocumentationTextAndAbsentLogs) {
  fs::remove(project() / "Project.txt");
  std::ofstream(project() / "CZ0P01V1.LOG") << "Compiling CZ0P01V1\r\n0 Errors\r\n";
  auto expected = kDemoTitles;
  expected.erase(expected.begin());  // no "Project Documentation"
  const auto at = std::find(expected.begin(), expected.end(), "Program  1 (V1) - Conveyor control");
  expected.insert(at + 1, "Log file for Program  1 (V1)");
  EXPECT_EQ(titles(m_request), expected);
  const auto document = CollectDocument(m_request, 80);
  EXPECT_EQ(*Find(*document, "Log file for Program  1 (V1)")->text,
            "Compiling CZ0P01V1\r\n0 Errors\r\n");
}

TEST_F(ProjectDocumentTest, ListsTheCrossReferenceForTheLineWidth) {
  // O0.0 (PUMP1) on twenty lines of program 0.
  std::string xref;
  for (int line = 1; line <= 20; ++line) xref += "A0.0 " + std::to_string(line) + "\n";
  std::ofstream(project() / "CZ0P00V1.XREF") << xref;
  DocumentRequest request = m_request;
  request.single = SectionChoice{SingleSection::CrossRef, {}};
  // (width - 30) / 5 numbers a line: 10 at 80 columns, 4 at 50.
  for (const auto& [width, lines] : {std::pair{80, 2u}, std::pair{50, 5u}}) {
    const auto document = CollectDocument(request, width);
    ASSERT_TRUE(document);
    const auto& list = document->sections.at(0).lines;
    const auto first = std::find_if(list.begin(), list.end(), [](const std::string& l) {
      return l.rfind("O0.0", 0) == 0 && l.find("PUMP1") != std::string::npos;
    });
    ASSERT_NE(first, list.end()) << width;
    // The operand's line, then its continuation lines, each beginning with 30 blanks.
    auto end = first + 1;
    while (end != list.end() && end->rfind(std::string(30, ' '), 0) == 0) ++end;
    const auto numbered = static_cast<std::size_t>(end - first);
    EXPECT_EQ(numbered, lines) << width;
  }
}

class FakeControl : public app::JobControl {
 public:
  bool cancelRequested() const override { return m_steps.size() >= m_cancelAfter; }
  void progress(std::string text, int step, int steps) override {
    m_steps.push_back(text);
    m_last = step;
    m_total = steps;
  }
  std::size_t m_cancelAfter = SIZE_MAX;
  std::vector<std::string> m_steps;
  int m_last = 0;
  int m_total = 0;
};

TEST_F(ProjectDocumentTest, RendersEachSectionOnItsOwnNumberedPages) {
  testing::RecordingCanvas canvas;
  m_request.options.metrics = true;
  m_request.productVersion = "";
  m_request.userName = "";
  FakeControl control;
  EXPECT_EQ(PrintDocument(canvas, m_request, {20, 8, 8, 8}, &control), PrintResult::Printed);
  auto expected = kDemoTitles;
  expected.push_back("Print Metrics");
  const auto& pages = canvas.pages();
  ASSERT_EQ(pages.size(), expected.size() + 1);  // every section fits one A4 page
  const auto& title = pages[0].texts();
  EXPECT_EQ(title, (std::vector<std::string>{"ZEL", "DEMO", "UNKNOWN", "UNKNOWN USER",
                                             "08.12.2026 06:30"}));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const auto texts = pages[i + 1].texts();
    ASSERT_GE(texts.size(), 4u);
    EXPECT_EQ(texts[0], "ZEL   DEMO  VM1X  Bottling line demo");
    EXPECT_EQ(texts[1], expected[i]);
    EXPECT_EQ(texts[texts.size() - 2], "Tuesday, 8 December 2026");
    char number[32];
    std::snprintf(number, sizeof number, "Page %3zu", i + 1);
    EXPECT_EQ(texts.back(), number);
    EXPECT_TRUE(pages[i + 1].ended);
  }
  // The metrics page holds what the device tells.
  EXPECT_TRUE(pages.back().findText("Paper: test"));
  // Tabs of the properties text are expanded on the page.
  const auto properties = std::find(expected.begin(), expected.end(), "Properties of CMP 10 (V1)");
  EXPECT_TRUE(pages[properties - expected.begin() + 1].findText("Size:           165 Bytes"));
  EXPECT_EQ(control.m_total, static_cast<int>(expected.size()) + 1);
  EXPECT_EQ(control.m_last, control.m_total);
  EXPECT_EQ(canvas.strayItems(), 0);
}

TEST_F(ProjectDocumentTest, PrintDocumentEndsEarlyWithItsReason) {
  {
    testing::RecordingCanvas a5(testing::SheetMetrics(148, 210));
    EXPECT_EQ(PrintDocument(a5, m_request, {}), PrintResult::PaperTooSmall);
    EXPECT_EQ(a5.beginCalls(), 0);
  }
  {
    testing::RecordingCanvas a4;
    EXPECT_EQ(PrintDocument(a4, m_request, {20, 8, 200, 100}), PrintResult::PaperTooSmall);
    EXPECT_EQ(a4.beginCalls(), 0);
  }
  {
    testing::RecordingCanvas a4;
    std::string error;
    DocumentRequest request = m_request;
    request.projectName = "NOSUCH";
    EXPECT_EQ(PrintDocument(a4, request, {}, nullptr, &error), PrintResult::NoProject);
    EXPECT_EQ(error, "Project not found in the current project directory.");
    EXPECT_EQ(a4.beginCalls(), 0);
  }
  {
    testing::RecordingCanvas a4;
    FakeControl control;
    control.m_cancelAfter = 3;  // the user aborts during the third section
    EXPECT_EQ(PrintDocument(a4, m_request, {}, &control), PrintResult::Aborted);
    EXPECT_EQ(a4.pages().size(), 2u);  // the title page and the first section
    EXPECT_EQ(control.m_steps.size(), 3u);
    for (const auto& page : a4.pages()) EXPECT_TRUE(page.ended);
  }
  {
    testing::RecordingCanvas a4;
    a4.refusePage(4);
    EXPECT_EQ(PrintDocument(a4, m_request, {}), PrintResult::DeviceFailed);
    EXPECT_EQ(a4.pages().size(), 3u);
    EXPECT_EQ(a4.beginCalls(), 4);
  }
}

}  // namespace
}  // namespace zel::print
