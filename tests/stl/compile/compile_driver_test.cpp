// The compile driver in a throw-away project: what the message window and the log say,
// which files a compilation leaves behind, and its worker as a job.

#include "stl/compile/compile_driver.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <regex>
#include <string>

#include "app/shell/message_service.h"
#include "platform/messages.h"
#include "support/step_gate.h"
#include "support/temp_dir.h"

namespace zel::stl {
namespace {

namespace fs = std::filesystem;

// Every byte of a compiled module after its code when no fieldbus station is used: the
// header, the operand usage map, the CMP and CFM usage and the station count.
constexpr std::size_t kObjectOverhead = 128 + 27298 + 200 + 200 + 2;

constexpr const char* kGoodProgram = "\"\"good\r\nsA0.0\r\nrA0.1\r\n";
// Faults on lines 3 and 7.
constexpr const char* kTwoFaults =
    "wE0.1\r\ndsA0.0\r\nwE0.0 sA0.0\r\n\"\"note\r\nwE0.2\r\ndsA0.1\r\nwE0.0 sA0.0\r\n"
    "\"\"end\r\n";

struct Outcome {
  bool started = false;
  int errors = -1;
  std::string window;
};

class CompileDriverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_window = app::ShowMessageWindow(false);
    m_dir.writeFile("Project.FW4", "[PROJECT]\r\nTARGET=VM1X\r\n");
  }
  void TearDown() override {
    WaitForCompile();
    app::CloseMessageWindow();
  }

  Outcome compile(std::string_view module) {
    m_window->clear();
    Outcome outcome;
    outcome.started = StartCompile(m_dir.path(), module);
    if (outcome.started) {
      EXPECT_TRUE(pumpUntilDone());
    }
    outcome.errors = CompileErrorCount();
    outcome.window = m_window->text();
    return outcome;
  }

  // Delivers the worker's posted lines until it has ended.
  bool pumpUntilDone() { return app::PumpUntilDone(CompileJob(), 60000); }

  // The log without its first line, which must be the 24-character time of the run.
  std::string logAfterTime(const std::string& module) {
    const std::string log = m_dir.readFile(module + ".LOG");
    static const std::regex kTime(
        "[A-Z][a-z]{2} [A-Z][a-z]{2} \\d\\d \\d\\d:\\d\\d:\\d\\d \\d{4}\n");
    EXPECT_GE(log.size(), 25u);
    EXPECT_TRUE(std::regex_match(log.substr(0, 25), kTime)) << log;
    return log.size() < 25 ? std::string() : log.substr(25);
  }

  bool exists(const std::string& name) const { return fs::exists(m_dir / name); }

  // The size line of a module compiled without stations, from its object file.
  std::string bytesLine(const std::string& module) {
    const std::size_t size = m_dir.readFile(module + ".VM1X.OBJ").size();
    char line[64];
    std::snprintf(line, sizeof line, "%5u Bytes Machine Code",
                  static_cast<unsigned>(size - kObjectOverhead));
    return line;
  }

  test::TempDir m_dir;
  app::MessageWindowService* m_window = nullptr;
};

TEST_F(CompileDriverTest, MissingOrEmptySourceEndsBeforeTheWorker) {
  for (const bool present : {false, true}) {
    SCOPED_TRACE(present ? "empty" : "missing");
    if (present) m_dir.writeFile("CZ0P02V1.AWL", "");
    const Outcome outcome = compile("CZ0P02V1");
    EXPECT_FALSE(outcome.started);
    EXPECT_FALSE(IsCompiling());
    EXPECT_EQ(outcome.errors, 1);
    EXPECT_EQ(outcome.window, "compiling CZ0P02V1\r\n\r\n File not found \r\n");
    EXPECT_EQ(logAfterTime("CZ0P02V1"), "compiling CZ0P02V1\n File not found \n");
  }
}

TEST_F(CompileDriverTest, FaultsLeaveNoIntermediateCrossReferenceOrObject) {
  m_dir.writeFile("CZ0P03V1.AWL", kTwoFaults);
  m_dir.writeFile("CZ0P03V1.VM1X.OBJ", "stale");
  const Outcome outcome = compile("CZ0P03V1");
  EXPECT_TRUE(outcome.started);
  EXPECT_EQ(outcome.errors, 2);
  EXPECT_EQ(outcome.window,
            "compiling CZ0P03V1\r\n"
            "CZ0P03V1.AWL(3) THEN expected\r\n"
            "CZ0P03V1.AWL(7) THEN expected\r\n"
            "2 Error(s) in statement list CZ0P03V1, 9 Lines\r\n");
  EXPECT_EQ(logAfterTime("CZ0P03V1"),
            "compiling CZ0P03V1\n"
            " Line: 3 THEN expected\n"
            " Line: 7 THEN expected\n"
            "2 Error(s) in statement list CZ0P03V1, 9 Lines\n");
  for (const char* name : {"CZ0P03V1.INT", "CZ0P03V1.XREF", "CZ0P03V1.VM1X.OBJ"}) {
    EXPECT_FALSE(exists(name)) << name;
  }
}

// Given in lower case, the module still has upper-case files and messages.
TEST_F(CompileDriverTest, GoodModuleWritesItsObjectFile) {
  m_dir.writeFile("CZ0P02V1.AWL", kGoodProgram);
  const Outcome outcome = compile("cz0p02v1");
  ASSERT_TRUE(outcome.started);
  EXPECT_EQ(outcome.errors, 0);
  const std::string object = m_dir.readFile("CZ0P02V1.VM1X.OBJ");
  ASSERT_GT(object.size(), kObjectOverhead);
  const std::size_t codeSize = object.size() - kObjectOverhead;
  const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(object[at]); };
  EXPECT_EQ(byte(0), 0xEB);
  EXPECT_EQ(byte(1), 0x7E);
  EXPECT_EQ(byte(24) + 256u * byte(25), codeSize + 128);
  char bytesLine[64];
  std::snprintf(bytesLine, sizeof bytesLine, "%5u Bytes Machine Code",
                static_cast<unsigned>(codeSize));
  const std::string summary = "0 Error(s) in statement list CZ0P02V1, 4 Lines";
  EXPECT_EQ(outcome.window,
            "compiling CZ0P02V1\r\n" + std::string(bytesLine) + "\r\n" + summary + "\r\n");
  EXPECT_EQ(logAfterTime("CZ0P02V1"),
            "compiling CZ0P02V1\n" + std::string(bytesLine) + "\n" + summary + "\n");
  EXPECT_FALSE(exists("CZ0P02V1.INT"));
  EXPECT_TRUE(exists("CZ0P02V1.XREF"));
  EXPECT_FALSE(exists("cz0p02v1.LOG"));
}

// Neither a path taken by a directory nor a project without a controller type gives an
// object file a name to be written under.
TEST_F(CompileDriverTest, ObjectThatCannotBeWrittenIsOneError) {
  for (const bool typeless : {false, true}) {
    SCOPED_TRACE(typeless ? "no controller type" : "directory in the way");
    if (typeless) {
      m_dir.writeFile("Project.FW4", "[PROJECT]\r\nCOMMENT=none\r\n");
    } else {
      fs::create_directory(m_dir / "CZ0P02V1.VM1X.OBJ");
    }
    m_dir.writeFile("CZ0P02V1.AWL", kGoodProgram);
    const Outcome outcome = compile("CZ0P02V1");
    ASSERT_TRUE(outcome.started);
    EXPECT_EQ(outcome.errors, 1);
    EXPECT_EQ(outcome.window,
              "compiling CZ0P02V1\r\nCannot open output file.\r\n"
              "1 Error(s) in statement list CZ0P02V1, 4 Lines\r\n");
    EXPECT_EQ(logAfterTime("CZ0P02V1"),
              "compiling CZ0P02V1\nCompilation terminated\n"
              "1 Error(s) in statement list CZ0P02V1, 4 Lines\n");
    EXPECT_FALSE(exists("CZ0P02V1.XREF"));
    EXPECT_FALSE(exists("CZ0P02V1.INT"));
  }
}

TEST_F(CompileDriverTest, SecondStartWhileRunningIsRefusedAndLeavesTheFirstAlone) {
  m_dir.writeFile("CZ0P02V1.AWL", kGoodProgram);
  m_dir.writeFile("CZ0P03V1.AWL", kGoodProgram);
  m_window->clear();
  Compilation compilation;
  test::StepGate gate(1);
  compilation.setStepHook([&](const app::JobProgress& p) { gate.atStep(p.step); });
  ASSERT_TRUE(compilation.start(m_dir.path(), "CZ0P02V1"));
  ASSERT_TRUE(gate.waitUntilReached());
  EXPECT_FALSE(compilation.start(m_dir.path(), "CZ0P03V1"));
  gate.release();
  ASSERT_TRUE(app::PumpUntilDone(compilation.job(), 60000));
  EXPECT_EQ(compilation.errorCount(), 0);
  EXPECT_EQ(m_window->text(),
            "compiling CZ0P02V1\r\n Could not start statement list compiler \r\n" +
                bytesLine("CZ0P02V1") + "\r\n0 Error(s) in statement list CZ0P02V1, 4 Lines\r\n");
  EXPECT_FALSE(exists("CZ0P03V1.LOG"));
  EXPECT_TRUE(exists("CZ0P02V1.VM1X.OBJ"));
  // Once it has ended, the next one starts.
  compilation.setStepHook({});
  ASSERT_TRUE(compilation.start(m_dir.path(), "CZ0P03V1"));
  ASSERT_TRUE(app::PumpUntilDone(compilation.job(), 60000));
  EXPECT_EQ(compilation.errorCount(), 0);
}

// Two owners compile two modules at once; one module is never compiled twice at a time,
// since both would write its files.
TEST_F(CompileDriverTest, OtherModulesCompileMeanwhileButTheSameModuleWaits) {
  m_dir.writeFile("CZ0P02V1.AWL", kGoodProgram);
  m_dir.writeFile("CZ0P03V1.AWL", kGoodProgram);
  Compilation held;
  test::StepGate gate(1);
  held.setStepHook([&](const app::JobProgress& p) { gate.atStep(p.step); });
  ASSERT_TRUE(held.start(m_dir.path(), "CZ0P02V1"));
  ASSERT_TRUE(gate.waitUntilReached());

  Compilation other;
  ASSERT_TRUE(other.start(m_dir.path(), "CZ0P03V1"));
  ASSERT_TRUE(app::PumpUntilDone(other.job(), 60000));
  EXPECT_EQ(other.errorCount(), 0);
  EXPECT_TRUE(exists("CZ0P03V1.VM1X.OBJ"));

  m_window->clear();
  Compilation same;
  EXPECT_FALSE(same.start(m_dir / ".", "cz0p02v1"));
  EXPECT_EQ(same.errorCount(), 1);
  EXPECT_EQ(m_window->text(), " Could not start statement list compiler \r\n");

  gate.release();
  ASSERT_TRUE(app::PumpUntilDone(held.job(), 60000));
  EXPECT_EQ(held.errorCount(), 0);
  EXPECT_TRUE(exists("CZ0P02V1.VM1X.OBJ"));
}

// Cancelled while its code is generated, a compilation writes no object file, removes the
// stale one and its intermediate and cross-reference files, and its log still ends with
// the count.
TEST_F(CompileDriverTest, CancelLeavesNothingHalfWritten) {
  m_dir.writeFile("CZ0P02V1.AWL", kGoodProgram);
  m_dir.writeFile("CZ0P02V1.VM1X.OBJ", "stale");
  m_window->clear();
  Compilation compilation;
  test::StepGate gate(2);
  compilation.setStepHook([&](const app::JobProgress& p) { gate.atStep(p.step); });
  ASSERT_TRUE(compilation.start(m_dir.path(), "CZ0P02V1"));
  ASSERT_TRUE(gate.waitUntilReached());
  compilation.cancel();
  gate.release();
  ASSERT_TRUE(app::PumpUntilDone(compilation.job(), 60000));
  EXPECT_EQ(compilation.job().outcome()->result, app::JobResult::Cancelled);
  EXPECT_EQ(compilation.errorCount(), 1);
  EXPECT_EQ(m_window->text(),
            "compiling CZ0P02V1\r\nCompilation cancelled\r\n"
            "1 Error(s) in statement list CZ0P02V1, 4 Lines\r\n");
  EXPECT_EQ(logAfterTime("CZ0P02V1"),
            "compiling CZ0P02V1\nCompilation cancelled\n"
            "1 Error(s) in statement list CZ0P02V1, 4 Lines\n");
  for (const char* name : {"CZ0P02V1.INT", "CZ0P02V1.XREF", "CZ0P02V1.VM1X.OBJ"}) {
    EXPECT_FALSE(exists(name)) << name;
  }
}

TEST(LadderModule, IsKnownByItsExtensionAndReportedAsOneError) {
  const std::pair<const char*, bool> cases[] = {
      {"CZ0P05V1.KOP", true},  {"cz0p05v1.kop", true}, {"CZ0P05V1.AWL", false}, {"CZ0P05V1", false},
      {"CZ0P05V1.IMP", false}, {"KOP", false},         {"CZ0P05V1.KOPX", false}};
  for (const auto& [name, ladder] : cases) EXPECT_EQ(IsLadderModule(name), ladder) << name;

  app::MessageWindowService* window = app::ShowMessageWindow(false);
  window->clear();
  EXPECT_EQ(ReportLadderModule(), 1);
  EXPECT_EQ(window->text(), "ERROR: Sorry, Ladder Diagram is not implemented yet\r\n");
  app::CloseMessageWindow();
}

}  // namespace
}  // namespace zel::stl
