// End-to-end: operand conversion and the allocation list commands of zelc on a copy of
// the demo workspace.

#include <gtest/gtest.h>

#include <fstream>

#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

fs::path ListFile(const DemoWorkspace& ws) {
  return ws.project("DEMO") / "C.BEL";
}

// Each test starts from the demo project without its own list.
class ZelcAlloc : public ::testing::Test {
 protected:
  void SetUp() override { fs::remove(ListFile(ws)); }
  DemoWorkspace ws;
};

TEST(ZelcOperand, OneLinePerTextWithStoredClassValidityAndDisplay) {
  DemoWorkspace ws;
  const auto r = ws.run({"operand", "TON5", "ton5", "I256.0", "X1", "I1.0.0", "V$ff", "FI0"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "TON5\tTE5\t7\tvalid\tTON5\n"
            "ton5\tTE5\t7\tvalid\tTON5\n"
            "I256.0\tE256.0\t20\tinvalid\tI256.0\n"
            "X1\t-\n"
            "I1.0.0\tE1.0.0\t20\tvalid\tI1.0.0\n"
            "V$ff\t@$FF\t23\tvalid\tV$FF\n"
            "FI0\tS0\t10\tinvalid\tFI0\n");
}

TEST(ZelcAllocDemo, TheDemoProjectsListLoadsCompletely) {
  DemoWorkspace ws;
  const auto r = ws.run({"alloc", "-p", "DEMO"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "O0.0\tPUMP1\tPump 1 contactor\n"
            "O0.1\tPUMP2\tPump 2 contactor\n"
            "O0.2\tALARM\tAlarm horn\n"
            "I0.0\tSTART\tStart button\n"
            "I0.1\tSTOP\tStop button, normally closed\n"
            "I0.2\tLEVEL_LO\tTank level low\n"
            "I0.3\tLEVEL_HI\tTank level high\n"
            "IW0\tANALOG1\tLevel sensor raw\n"
            "F0.0\tRUNNING\tPlant running\n"
            "F0.1\tFAULT\tFault latched\n"
            "FW10\tSETPOINT\tLevel set point\n"
            "FW11\tACTUAL\tLevel actual value\n"
            "R1\tTEMP\tScratch register\n"
            "T1\tDELAY\tStart delay\n"
            "C1\tCYCLES\tPump cycles\n");
}

TEST_F(ZelcAlloc, AddedEntriesAreSavedAndListedInOperandOrder) {
  for (const std::vector<std::string>& add :
       {std::vector<std::string>{"F0.0", "RUNNING", "Plant running"},
        std::vector<std::string>{"I0.1", "STOP"},
        std::vector<std::string>{"O0.0", "PUMP1", "Pump 1 contactor"},
        std::vector<std::string>{"i0.0"}}) {
    std::vector<std::string> args{"alloc-add", "-p", "DEMO"};
    args.insert(args.end(), add.begin(), add.end());
    const auto r = ws.run(args);
    ASSERT_EQ(r.status, 0) << r.err;
  }
  EXPECT_EQ(fs::file_size(ListFile(ws)), 4 * 64u);
  const auto r = ws.run({"alloc", "-p", "DEMO"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "O0.0\tPUMP1\tPump 1 contactor\n"
            "I0.0\t\t\n"
            "I0.1\tSTOP\t\n"
            "F0.0\tRUNNING\tPlant running\n");
  EXPECT_FALSE(fs::exists(ws.project("DEMO") / "Project._PA"));
}

TEST_F(ZelcAlloc, RefusedEntriesShowTheDialogsMessageAndChangeNothing) {
  ASSERT_EQ(ws.run({"alloc-add", "-p", "DEMO", "O0.0", "PUMP"}).status, 0);
  const std::string before = ReadFile(ListFile(ws));
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"I256.0"}, "Invalid absolute operand!"},
      {{"o0.0", "OTHER"}, "Absolute operand already used."},
      {{"I0.0", "I0.0"}, "Invalid symbolic operand!"},
      {{"I0.0", "SYMBOL_TOO_LONG"}, "Invalid symbolic operand!"},
      {{"I0.0", "pump"}, "Symbolic operand already used."},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"alloc-add", "-p", "DEMO"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const auto r = ws.run(args);
    EXPECT_EQ(r.status, 1) << c.message;
    EXPECT_EQ(r.err, "ZEL: " + c.message + "\n");
  }
  EXPECT_EQ(ReadFile(ListFile(ws)), before);
}

TEST_F(ZelcAlloc, TextsAreStoredAsWindows1252AndShownAsUtf8) {
  ASSERT_EQ(ws.run({"alloc-add", "-p", "DEMO", "FW1", "\xC3\x84NDERUNG",
                    "Gr\xC3\xB6\xC3\x9F"
                    "e"})
                .status,
            0);
  const std::string file = ReadFile(ListFile(ws));
  EXPECT_EQ(file.substr(10, 9), "\x08\xC4NDERUNG");
  EXPECT_EQ(file.substr(20, 6),
            "\x05Gr\xF6\xDF"
            "e");
  EXPECT_EQ(ws.run({"alloc", "-p", "DEMO"}).out,
            "FW1\t\xC3\x84NDERUNG\tGr\xC3\xB6\xC3\x9F"
            "e\n");
}

TEST_F(ZelcAlloc, DeleteFindsTheOperandWithoutRegardToCase) {
  ASSERT_EQ(ws.run({"alloc-add", "-p", "DEMO", "O0.0", "A"}).status, 0);
  ASSERT_EQ(ws.run({"alloc-add", "-p", "DEMO", "O0.1", "B"}).status, 0);
  const auto missing = ws.run({"alloc-del", "-p", "DEMO", "O0.2"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "ZEL: 'O0.2' is not in the allocation list.\n");
  const auto noOperand = ws.run({"alloc-del", "-p", "DEMO", "X"});
  EXPECT_EQ(noOperand.status, 1);
  EXPECT_EQ(noOperand.err, "ZEL: 'X' is not in the allocation list.\n");
  ASSERT_EQ(ws.run({"alloc-del", "-p", "DEMO", "o0.0"}).status, 0);
  EXPECT_EQ(ws.run({"alloc", "-p", "DEMO"}).out, "O0.1\tB\t\n");
}

TEST_F(ZelcAlloc, AListThatStopsLoadingEarlyIsNotOverwritten) {
  ASSERT_EQ(ws.run({"alloc-add", "-p", "DEMO", "O0.0", "A"}).status, 0);
  std::string damaged = ReadFile(ListFile(ws));
  damaged += std::string(64, '\0');  // an empty operand ends loading
  damaged += damaged.substr(0, 64);
  std::ofstream(ListFile(ws), std::ios::binary) << damaged;
  const auto list = ws.run({"alloc", "-p", "DEMO"});
  EXPECT_EQ(list.status, 1);
  EXPECT_EQ(list.out, "O0.0\tA\t\n");
  EXPECT_EQ(ws.run({"alloc-add", "-p", "DEMO", "O0.1"}).status, 1);
  EXPECT_EQ(ReadFile(ListFile(ws)), damaged);
}

TEST_F(ZelcAlloc, UnknownProjectFails) {
  for (const auto& args : {std::vector<std::string>{"alloc", "-p", "NOSUCH"},
                           std::vector<std::string>{"alloc-add", "-p", "NOSUCH", "I0.0"}}) {
    const auto r = ws.run(args);
    EXPECT_EQ(r.status, 1) << args[0];
    EXPECT_EQ(r.err, "ZEL: Project not found in the current project directory.\n") << args[0];
  }
}

}  // namespace
}  // namespace zel::testing
