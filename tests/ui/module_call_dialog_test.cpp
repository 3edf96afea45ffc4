// The "Module Call" dialog: which version's comment it shows and the lines it hands on.

#include "ui/editor/module_call_dialog.h"

#include <gtest/gtest.h>

#include <vector>

namespace zel::ui::testing {
namespace {

using app::ModuleKind;

app::ModuleRecord Module(ModuleKind kind, int number, int version, std::string comment,
                         bool selected = false) {
  app::ModuleRecord module =
      app::MakeModule(app::Language::Stl, kind, number, version, std::move(comment));
  module.selected = selected;
  return module;
}

std::vector<app::ModuleRecord> Project() {
  return {
      Module(ModuleKind::Program, 5, 1, "Main program", true),
      Module(ModuleKind::Cmp, 5, 1, "Pump V1", true),
      Module(ModuleKind::Cmp, 5, 2, "Pump V2", true),
      Module(ModuleKind::Cmp, 5, 3, "Pump V3"),
      Module(ModuleKind::Cfm, 5, 4, "Filter V4"),
      Module(ModuleKind::Cmp, 7, 2, "Valve V2"),
      Module(ModuleKind::Cmp, 7, 6, "Valve V6"),
      Module(ModuleKind::Cmp, 0, 1, "First"),
      Module(ModuleKind::Cmp, 3, 1, ""),
  };
}

void Choose(ModuleCallDialog& dialog, int kind, int number) {
  dialog.kind->setCurrentIndex(kind);
  dialog.number->setValue(number);
}

TEST(ModuleCallDialog, ShowsTheCommentOfTheModuleItWouldCall) {
  const std::vector<app::ModuleRecord> modules = Project();
  ModuleCallDialog dialog(modules);
  EXPECT_EQ(dialog.windowTitle(), "Module Call");
  EXPECT_EQ(dialog.moduleComment->text(), "First");  // CMP 0 when it opens
  struct Row {
    int kind;  // 0 CMP, 1 CFM
    int number;
    QString comment;
  };
  // One dialog, changed from row to row: the comment follows the kind and the number.
  const std::vector<Row> rows = {
      {0, 5, "Pump V2"},    // the highest selected version, not the highest one
      {1, 5, "Filter V4"},  // same number, the other kind
      {0, 7, "Valve V6"},   // nothing selected: the highest version
      {1, 7, ""},           // no CFM 7
      {0, 8, ""},           // no module with that number
      {0, 3, ""},           // a module without a comment
      {0, 5, "Pump V2"},
  };
  for (const auto& row : rows) {
    Choose(dialog, row.kind, row.number);
    EXPECT_EQ(dialog.moduleComment->text(), row.comment) << row.kind << " " << row.number;
  }
}

TEST(ModuleCallDialog, HandsOnOneLinePerFilledParameterRow) {
  const std::vector<app::ModuleRecord> modules = Project();
  ModuleCallDialog dialog(modules);
  Choose(dialog, 0, 5);
  const std::array<std::pair<QString, QString>, stl::kMaxCallParameters> rows = {{
      {"FW10", "speed"},
      {"", "a comment without a parameter"},
      {"   ", ""},
      {"O0.1", ""},
      {"", ""},
      {" T3 ", " delay "},
  }};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    dialog.parameters[i]->setText(rows[i].first);
    dialog.comments[i]->setText(rows[i].second);
  }
  EXPECT_EQ(dialog.callText(),
            "CMP5 \" Pump V2\r\n"
            "WITH FW10 \" speed\r\n"
            "WITH O0.1\r\n"
            "WITH T3 \" delay\r\n");
}

TEST(ModuleCallDialog, LeavesTheCommentOutWhenTheModuleHasNone) {
  struct Row {
    int kind;
    int number;
    std::string text;
  };
  const std::vector<Row> rows = {
      {0, 40, "CMP40\r\n"},  // no such module
      {1, 99, "CFM99\r\n"},  // the highest number
      {0, 3, "CMP3\r\n"},    // a module with an empty comment
      {1, 5, "CFM5 \" Filter V4\r\n"},
  };
  const std::vector<app::ModuleRecord> modules = Project();
  for (const auto& row : rows) {
    ModuleCallDialog dialog(modules);
    Choose(dialog, row.kind, row.number);
    EXPECT_EQ(dialog.callText(), row.text);
  }
}

TEST(ModuleCallDialog, KeepsWindows1252TextsThroughTheFields) {
  const std::vector<app::ModuleRecord> modules = {
      Module(ModuleKind::Cfm, 12, 1, "K\xFChlung \x80", true)};
  ModuleCallDialog dialog(modules);
  Choose(dialog, 1, 12);
  EXPECT_EQ(dialog.moduleComment->text(), QString::fromUtf8("Kühlung €"));
  dialog.parameters[0]->setText(QString::fromUtf8("Größe"));
  dialog.comments[0]->setText(QString::fromUtf8("Maß"));
  EXPECT_EQ(dialog.callText(),
            "CFM12 \" K\xFChlung \x80\r\nWITH Gr\xF6\xDF"
            "e \" Ma\xDF\r\n");
}

}  // namespace
}  // namespace zel::ui::testing
