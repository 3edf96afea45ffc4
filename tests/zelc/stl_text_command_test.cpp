// End-to-end: showing and storing statement-list program text with zelc on a copy of the
// demo workspace.

#include <gtest/gtest.h>

#include <fstream>

#include "stl/alloc/allocation_list.h"
#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

void Write(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

std::string Column(std::size_t column, const std::string& head, const std::string& token) {
  return head + std::string(column > head.size() ? column - head.size() : 1, ' ') + token;
}

class ZelcStlText : public ::testing::Test {
 protected:
  void SetUp() override {
    stl::AllocationEntry pump;
    pump.operand = *stl::ParseDisplayOperand("O0.0");
    pump.symbol = "PUMP";
    pump.comment = "Hauptpumpe \xF6l";  // Windows-1252
    Write(ws.project("DEMO") / "C.BEL", stl::EncodeAllocationRecord(pump));
  }
  fs::path program() const { return ws.project("DEMO") / "CZ0P01V1.awl"; }
  DemoWorkspace ws;
};

TEST_F(ZelcStlText, ShowsAModuleWithListAndModuleCommentsAndReportsBadLines) {
  Write(program(), "\"\" Conveyor\r\nwE0.0\r\nds:pump;\r\nc10\r\ng20\"own\r\nsX1\r\nsA0.0");
  const auto r = ws.run({"stl-show", "-p", "demo", "cz0p01v1"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "\"\" Conveyor\n" + Column(22, " IF", "I0.0") + "\n" +
                       Column(37, Column(22, " THEN  SET", "pump"), "'Hauptpumpe \xC3\xB6l") +
                       "\n" + Column(37, "       CMP 10", "'Filling valve") + "\n" +
                       Column(37, "       CFM 20", "\"own") + "\n" + "       SET ????? X1\n" +
                       Column(37, Column(22, "       SET", "O0.0"), "'Hauptpumpe \xC3\xB6l") +
                       "\n");
  // The last line, without its line end, is shown like every other.
  EXPECT_EQ(r.err, "ZEL: Invalid file format (Line 6).\n");
}

TEST_F(ZelcStlText, ShowsAFileByPathWithoutAProjectAndHonoursTheElsePreference) {
  const fs::path file = ws.dir() / "loose.AWL";
  Write(file, "fsA0.0\r\n");
  const auto othrw = ws.run({"stl-show", file.string()});
  ASSERT_EQ(othrw.status, 0) << othrw.err;
  EXPECT_EQ(othrw.out, Column(22, " OTHRW SET", "O0.0") + "\n");

  std::string ini = ReadFile(ws.dir() / "ZEL.INI");
  ini.replace(ini.find("STL_ELSE_OTHRW=0"), 16, "STL_ELSE_OTHRW=1");
  Write(ws.dir() / "ZEL.INI", ini);
  EXPECT_EQ(ws.run({"stl-show", file.string()}).out, Column(22, " ELSE  SET", "O0.0") + "\n");
}

TEST_F(ZelcStlText, StoresDisplayTextInTheStoredFormAndKeepsWhatItCannotConvert) {
  const fs::path input = ws.dir() / "typed.txt";
  Write(input, "step s1\nif i0.0 then set \xC3\x84rger\n\nSET T1 WITH 2s \" warm up\nFR$B\n");
  const auto r = ws.run({"stl-store", "-p", "DEMO", "CZ0P01V1.awl"}, input);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadFile(program()),
            "#s1;\r\nwE0.0\r\nds:\xC4rger;\r\n\r\nsT1\r\nm2\" warm up\r\n?FR$B\r\n");
  EXPECT_EQ(r.err, "ZEL: 'FR$B'\n\nUnknown instruction\n");

  // What was stored shows again and stores to the same bytes.
  const auto shown = ws.run({"stl-show", "-p", "DEMO", "CZ0P01V1.awl"});
  ASSERT_EQ(shown.status, 0) << shown.err;
  Write(input, shown.out);
  ASSERT_EQ(ws.run({"stl-store", "-p", "DEMO", "CZ0P01V1.awl"}, input).status, 0);
  EXPECT_EQ(ReadFile(program()),
            "#s1;\r\nwE0.0\r\nds:\xC4rger;\r\n\r\nsT1\r\nm2\" warm up\r\n?FR$B\r\n");
}

TEST_F(ZelcStlText, FailuresAreReported) {
  const auto missing = ws.run({"stl-show", (ws.dir() / "none.AWL").string()});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "ZEL: Cannot read the program file \"" + (ws.dir() / "none.AWL").string() + "\".\n");
  const auto noProject = ws.run({"stl-store", "x.AWL"});
  EXPECT_EQ(noProject.status, 2);
  EXPECT_EQ(noProject.err, "--project is required\nRun with --help for more information.\n");
  const auto unknown = ws.run({"stl-show", "-p", "NOSUCH", "x.AWL"});
  EXPECT_EQ(unknown.status, 1);
  EXPECT_EQ(unknown.err, "ZEL: Project not found in the current project directory.\n");
}

}  // namespace
}  // namespace zel::testing
