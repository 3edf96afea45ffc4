// The texts the editor inserts: keyword commands and module calls, and which version of a
// module a call names.

#include "stl/editor/insert.h"

#include <gtest/gtest.h>

#include "stl/editor/called_module.h"
#include "stl/editor/store.h"

namespace zel::stl {
namespace {

std::vector<std::string> Texts(bool useElse) {
  std::vector<std::string> texts;
  for (const auto& command : KeywordInsertions(useElse)) texts.push_back(InsertionText(command));
  return texts;
}

TEST(StlInsert, KeywordCommandsInSubmenuOrderWithTheChosenOtherwise) {
  const std::vector<std::string> othrw{
      " STEP  ", " IF  ",  " THEN  ", " OTHRW ",  " SET  ", " RESET  ", " LOAD  ", " TO  ",
      " AND  ",  " OR  ",  " EXOR  ", " N  ",     " CMP  ", " CFM  ",   " WITH  ", " JMP TO  ",
      " INC  ",  " DEC  ", " SWAP  ", " SHIFT  ", " SHL  ", " SHR  ",   " ROL ",   " ROR ",
      " INV  ",  " CPL  ", " BID  ",  " DEB  ",   " NOP  ", " \"  ",    " \"\"  "};
  EXPECT_EQ(Texts(false), othrw);
  std::vector<std::string> withElse = othrw;
  withElse[3] = " ELSE ";
  EXPECT_EQ(Texts(true), withElse);
}

TEST(StlInsert, ExorIsLabelledXorAndEveryKeywordCommandStoresAsItsKeyword) {
  for (const auto& command : KeywordInsertions(false)) {
    if (command.text == "EXOR ") {
      EXPECT_EQ(command.label, "XOR");
    }
    if (command.text.front() == '"') continue;
    const StoreResult stored = DisplayLineToStored(InsertionText(command));
    EXPECT_TRUE(stored.converted) << command.text;
  }
}

TEST(StlInsert, ModuleCallWithCommentsAndFilledParameterRowsOnly) {
  ModuleCallRequest request;
  request.module = {app::ModuleKind::Cmp, 10};
  request.moduleComment = "Filling valve";
  request.parameters[0] = {"V100", "litres"};
  request.parameters[1] = {"   ", "no parameter, no line"};
  request.parameters[3] = {"F1.0", ""};
  request.parameters[5] = {"R2", "line\nbreak"};
  EXPECT_EQ(ModuleCallText(request),
            "CMP10 \" Filling valve\r\nWITH V100 \" litres\r\nWITH F1.0\r\n"
            "WITH R2 \" line break\r\n");

  ModuleCallRequest bare;
  bare.module = {app::ModuleKind::Cfm, 7};
  EXPECT_EQ(ModuleCallText(bare), "CFM7\r\n");
  const StoreResult stored = DisplayTextToStored(ModuleCallText(request));
  EXPECT_EQ(stored.lines, (std::vector<std::string>{"c10\" Filling valve", "m@100\" litres",
                                                    "mM1.0", "mR2\" line break"}));
}

app::ModuleRecord Module(app::ModuleKind kind, int number, int version, bool selected) {
  app::ModuleRecord module;
  module.kind = kind;
  module.number = number;
  module.version = version;
  module.selected = selected;
  module.comment = "V" + std::to_string(version);
  return module;
}

TEST(StlCalledModule, TheDialogPrefersTheSelectedVersionTheCommentTheHighest) {
  using K = app::ModuleKind;
  const std::vector<app::ModuleRecord> modules{
      Module(K::Cmp, 10, 2, true),  Module(K::Cmp, 10, 5, false), Module(K::Cfm, 10, 7, false),
      Module(K::Cmp, 11, 3, false), Module(K::Cmp, 11, 1, false), Module(K::Program, 12, 1, true)};
  EXPECT_EQ(FindCalledModule(modules, K::Cmp, 10, CalledVersion::SelectedFirst)->version, 2);
  EXPECT_EQ(FindCalledModule(modules, K::Cmp, 10, CalledVersion::Highest)->version, 5);
  EXPECT_EQ(FindCalledModule(modules, K::Cmp, 11, CalledVersion::SelectedFirst)->version, 3);
  EXPECT_EQ(FindCalledModule(modules, K::Cfm, 10, CalledVersion::Highest)->version, 7);
  EXPECT_EQ(FindCalledModule(modules, K::Cmp, 12, CalledVersion::Highest), nullptr);
  const auto lookup = ModuleCommentsOf(modules);
  EXPECT_EQ(lookup(K::Cmp, 10), "V5");
  EXPECT_EQ(lookup(K::Cfm, 11), std::nullopt);
}

}  // namespace
}  // namespace zel::stl
