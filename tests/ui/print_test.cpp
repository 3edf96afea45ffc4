// Project > Print... and Program > Print...: the print options window preset from and
// written back to "PRINT", the print as a job on a printer that writes a PDF file (read
// back with pdftotext), the abort window's Stop, and the paper size check.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPageSize>
#include <QPrinter>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <functional>

#include "support/pdf_text.h"
#include "support/step_gate.h"
#include "ui/frame/message_pump.h"
#include "ui/frame/text_file_window.h"
#include "ui/print/print_options_dialog.h"
#include "ui/print/project_printer.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

using print::PrintOptions;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class PrintMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_ws.start());
    // The printer dialog's part: a PDF file on the paper the test asks for.
    printer().setPrinterChooser([this](QPrinter& device, QWidget*) {
      ++m_chosen;
      device.setOutputFormat(QPrinter::PdfFormat);
      device.setOutputFileName(QString::fromStdString(pdf().string()));
      device.setPageSize(QPageSize(m_paper));
      return m_choose;
    });
  }
  void TearDown() override { CancelWhenModal(); }
  ProjectPrinter& printer() { return *m_ws.frame().projectPrinter(); }
  fs::path pdf() const { return m_ws.dir() / "printed.pdf"; }
  void waitForPrint() {
    for (int i = 0; i < 400 && printer().running(); ++i) ProcessEvents();
  }
  std::string print(const char* key) { return m_ws.projectValue("DEMO", "PRINT", key); }

  UiWorkspace m_ws;
  MessagePump m_pump;  // the print job's worker posts its messages
  int m_chosen = 0;
  bool m_choose = true;
  QPageSize::PageSizeId m_paper = QPageSize::A4;
};

TEST_F(PrintMenu, TheOptionsWindowIsPresetFromPrintAndWritesItBackOnOk) {
  const fs::path file = m_ws.projectFile("DEMO");
  for (const char* key : {"TITLE", "PROJECTTREE", "XREF"}) {
    platform::WriteProfileString(file, "PRINT", key, "0");
  }
  platform::WriteProfileString(file, "PRINT", "METRIC", "1");
  const struct {
    bool PrintOptions::*option;
    bool preset;
    bool chosen;
  } rows[] = {
      {&PrintOptions::title, false, false},
      {&PrintOptions::projectTree, false, true},
      {&PrintOptions::crossReference, false, false},
      {&PrintOptions::metrics, true, true},
      {&PrintOptions::controllerSettings, true, true},
      {&PrintOptions::allocationList, true, false},
      {&PrintOptions::source, true, false},
  };
  AnswerDialogs<PrintOptionsDialog>({[&](PrintOptionsDialog& dialog) {
    for (const auto& row : rows) {
      QCheckBox* box = dialog.box(row.option);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->isChecked(), row.preset) << box->text().toStdString();
      box->setChecked(row.chosen);
    }
    EXPECT_TRUE(dialog.box(&PrintOptions::docText)->isEnabled());
    dialog.accept();
  }});
  m_ws.frame().actions().printProject->trigger();
  waitForPrint();
  EXPECT_EQ(m_chosen, 1);
  EXPECT_EQ(printer().lastResult(), print::PrintResult::Printed);
  const struct {
    const char* key;
    const char* value;
  } written[] = {{"TITLE", "0"},        {"PROJECTTREE", "1"},    {"XREF", "0"},   {"METRIC", "1"},
                 {"CTRLSETTINGS", "1"}, {"ALLOCATIONLIST", "0"}, {"SOURCE", "0"}, {"DOCTEXT", "1"}};
  for (const auto& w : written) EXPECT_EQ(print(w.key), w.value) << w.key;
  REQUIRE_PDFTOTEXT();
  const std::string text = test::PdfText(pdf());
  for (const char* part : {"Project Documentation", "Project Tree", "Print Metrics", "Page   1"}) {
    EXPECT_TRUE(Has(text, part)) << part;
  }
  for (const char* part : {"Allocation List", "Cross Reference for", "4.0.0"}) {
    EXPECT_FALSE(Has(text, part)) << part;
  }
}

TEST_F(PrintMenu, CancelWritesNothingAndPrintsNothing) {
  AnswerDialogs<PrintOptionsDialog>({[](PrintOptionsDialog& dialog) {
    dialog.box(&PrintOptions::title)->setChecked(false);
    dialog.reject();
  }});
  m_ws.frame().actions().printProject->trigger();
  ProcessEvents();
  EXPECT_EQ(m_chosen, 0);
  EXPECT_EQ(print("TITLE"), "");
  EXPECT_FALSE(fs::exists(pdf()));
}

TEST_F(PrintMenu, WithoutAUsableDocumentationTextItsBoxIsOff) {
  fs::remove(m_ws.projects() / "DEMO" / "Project.txt");
  AnswerDialogs<PrintOptionsDialog>({[](PrintOptionsDialog& dialog) {
    QCheckBox* box = dialog.box(&PrintOptions::docText);
    EXPECT_FALSE(box->isEnabled());
    EXPECT_FALSE(box->isChecked());
    // The stored choice stays for when the file is back.
    EXPECT_TRUE(dialog.options().docText);
    dialog.reject();
  }});
  m_ws.frame().actions().printProject->trigger();
  ProcessEvents();
}

TEST_F(PrintMenu, PaperBelow170MillimetresIsRefusedBeforePrinting) {
  m_paper = QPageSize::A5;
  AnswerDialogs<PrintOptionsDialog>({[](PrintOptionsDialog& dialog) { dialog.accept(); }});
  m_ws.frame().actions().printProject->trigger();
  waitForPrint();
  EXPECT_EQ(m_chosen, 1);
  EXPECT_EQ(m_ws.answers().texts(),
            std::vector<std::string>{
                "Paper too small for ZEL print-out.\nChoose a larger paper format."});
  EXPECT_FALSE(printer().lastResult().has_value());
  EXPECT_FALSE(fs::exists(pdf()));
}

TEST_F(PrintMenu, TheEditorPrintsItsModuleAndStopEndsThePrint) {
  m_ws.frame().openWindowByName("CZ0P01V1.awl");
  ProcessEvents();
  QAction* print = m_ws.frame().actions().programPrint;
  ASSERT_TRUE(print->isEnabled());
  const auto section = m_ws.frame().activeSection();
  ASSERT_TRUE(section.has_value());
  EXPECT_EQ(section->section, print::SingleSection::Module);
  EXPECT_EQ(section->moduleFileName, "CZ0P01V1.awl");

  print->trigger();
  waitForPrint();
  EXPECT_EQ(printer().lastResult(), print::PrintResult::Printed);
  if (test::HavePdfToText()) {
    const std::string text = test::PdfText(pdf());
    EXPECT_TRUE(Has(text, "Program 1 (V1) - Conveyor control")) << text;
    EXPECT_FALSE(Has(text, "Project Tree"));
  }

  // Held at its first step, the print is stopped from its abort window.
  zel::test::StepGate gate(1);
  printer().job().setStepHook([&](const app::JobProgress& p) { gate.atStep(p.step); });
  print->trigger();
  ASSERT_TRUE(gate.waitUntilReached());
  QDialog* abort = printer().abortWindow();
  ASSERT_NE(abort, nullptr);
  EXPECT_TRUE(abort->isVisible());
  abort->findChild<QPushButton*>("stop")->click();
  gate.release();
  waitForPrint();
  EXPECT_EQ(printer().lastResult(), print::PrintResult::Aborted);
  EXPECT_EQ(printer().abortWindow(), nullptr);
  printer().job().setStepHook({});
}

TEST_F(PrintMenu, TheOtherWindowsPrintTheirOwnSection) {
  MainFrame& frame = m_ws.frame();
  const struct {
    const char* window;
    std::function<void()> show;
    print::SingleSection section;
    const char* title;
  } cases[] = {
      {"project tree", [&] { frame.showProjectTree(false); }, print::SingleSection::ProjectTree,
       "Project Tree"},
      {"allocation list", [&] { frame.actions().allocationList->trigger(); },
       print::SingleSection::AllocList, "Allocation List"},
      {"IO configuration", [&] { frame.actions().ioConfiguration->trigger(); },
       print::SingleSection::IoConfig, "IO Configuration"},
      {"driver configuration", [&] { frame.actions().driverConfiguration->trigger(); },
       print::SingleSection::Drivers, "Driver Configuration"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window);
    c.show();
    ProcessEvents();
    const auto section = frame.activeSection();
    ASSERT_TRUE(section.has_value());
    EXPECT_EQ(section->section, c.section);
    fs::remove(pdf());
    frame.actions().programPrint->trigger();
    waitForPrint();
    EXPECT_EQ(printer().lastResult(), print::PrintResult::Printed);
    if (test::HavePdfToText()) {
      EXPECT_TRUE(Has(test::PdfText(pdf()), c.title));
    }
  }
  // The cross reference's own window prints the cross reference.
  frame.actions().crossReference->trigger();
  ProcessEvents();
  TextFileWindow* xref = frame.crossReferenceWindow();
  ASSERT_NE(xref, nullptr);
  auto* action = xref->findChild<QAction*>("printCrossReference");
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->shortcut(), QKeySequence(QKeySequence::Print));
  fs::remove(pdf());
  action->trigger();
  waitForPrint();
  EXPECT_EQ(printer().lastResult(), print::PrintResult::Printed);
  if (test::HavePdfToText()) {
    const std::string text = test::PdfText(pdf());
    EXPECT_TRUE(Has(text, "Cross Reference for Project DEMO")) << text;
    EXPECT_FALSE(Has(text, "Project Tree"));
  }
}

}  // namespace
}  // namespace zel::ui::testing
