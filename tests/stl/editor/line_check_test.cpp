// The check of the editor's shown lines: the findings land on the display lines that
// caused them, also where a display line holds several stored lines.

#include "stl/editor/line_check.h"

#include <gtest/gtest.h>

#include "stl/alloc/allocation_list.h"

namespace zel::stl {
namespace {

struct LineCheckCase {
  const char* name;
  std::vector<std::string> lines;
  std::vector<int> marked;  // the 0-based lines with findings
};

class LineCheck : public ::testing::TestWithParam<LineCheckCase> {
 protected:
  LineCheck() {
    m_list.append({*ParseDisplayOperand("I0.0"), "Start", ""});
    m_list.append({*ParseDisplayOperand("O0.0"), "Pump", ""});
    m_setup.module = "CZ0P01V1";
    m_setup.symbols = &m_list;
  }
  AllocationList m_list;
  LineCheckSetup m_setup;
};

TEST_P(LineCheck, MarksTheLinesTheCompilationRefuses) {
  const LineCheckCase& c = GetParam();
  std::vector<int> marked;
  for (const LineFinding& finding : CheckDisplayLines(c.lines, m_setup)) {
    EXPECT_FALSE(finding.text.empty());
    marked.push_back(finding.line);
  }
  EXPECT_EQ(marked, c.marked);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, LineCheck,
    ::testing::Values(
        LineCheckCase{"Sound", {" IF                   Start", " THEN  SET            Pump"}, {}},
        LineCheckCase{
            "UnknownSymbol", {" IF                   Start", " THEN  SET            valve"}, {1}},
        LineCheckCase{"TwoOperandsInARow",
                      {" IF                   foo", "                      bar",
                       " THEN  SET            Pump"},
                      {0, 1}},
        // A line typed but never committed holds two stored lines; both are its own.
        LineCheckCase{"UncommittedLine",
                      {"\" program", "if Start then set Pump", " IF I0.0", " THEN SET nothing"},
                      {3}},
        LineCheckCase{
            "UnconvertibleLine",
            {" IF                   Start", "IF I0.0 THEN SET #5", " THEN  SET            Pump"},
            {1}},
        LineCheckCase{
            "DuplicateStep",
            {"STEP one", " IF I0.0", " THEN SET O0.0", "STEP one", " IF I0.0", " THEN SET O0.0"},
            {3}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LineCheckEnd, AFindingPastTheLastLineBelongsToTheLastLine) {
  const auto findings = CheckDisplayLines({" IF                   I0.0"}, LineCheckSetup{});
  ASSERT_FALSE(findings.empty());
  EXPECT_EQ(findings.back().line, 0);
}

// Several findings on one line read as one text, in the order the check found them.
TEST(LineCheckEnd, FindingsOfOneLineAreJoined) {
  const auto findings = CheckDisplayLines(
      {" IF                   foo", " THEN  SET            bar"}, LineCheckSetup{});
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0].line, 0);
  EXPECT_EQ(findings[1].line, 1);
  EXPECT_EQ(findings[0].text,
            " Unknown operand FOO\n No or invalid operator/operand in logic operation ");
}

}  // namespace
}  // namespace zel::stl
