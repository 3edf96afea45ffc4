// Reading a message window line back to the module and line it points at.

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <ostream>
#include <string>

#include "stl/check/check_output.h"
#include "stl/lang/text_lines.h"

namespace zel::stl {

// Found by the test framework through the type's namespace, for readable failures.
void PrintTo(const SourceLocation& location, std::ostream* out) {
  *out << location.module << ":" << location.line;
}

namespace {

struct LocationCase {
  std::string line;
  std::optional<SourceLocation> expected;
};

void PrintTo(const LocationCase& c, std::ostream* out) {
  *out << c.line;
}

class SourceLocationCases : public ::testing::TestWithParam<LocationCase> {};

TEST_P(SourceLocationCases, ReadsTheLine) {
  EXPECT_EQ(SourceLocationOf(GetParam().line), GetParam().expected);
}

SourceLocation At(std::string module, int line) {
  return {std::move(module), line};
}

INSTANTIATE_TEST_SUITE_P(
    Locations, SourceLocationCases,
    ::testing::Values(LocationCase{"CZ0P05V1.AWL(12) THEN expected\r\n", At("CZ0P05V1", 12)},
                      LocationCase{"cz0p05v1.awl(3) x", At("cz0p05v1", 3)},
                      LocationCase{"CZ0B10V1.Awl(1)", At("CZ0B10V1", 1)},
                      LocationCase{"  \tCZ0F20V1.AWL(7) Unknown STL expression", At("CZ0F20V1", 7)},
                      LocationCase{"A.AWL(1)", At("A", 1)},
                      LocationCase{"CZ0P05V1.AWL(007)", At("CZ0P05V1", 7)},
                      LocationCase{"CZ0P05V1.AWL(2147483647)", At("CZ0P05V1", INT_MAX)},
                      LocationCase{"\xC4\xD6.AWL(4) (5)", At("\xC4\xD6", 4)}));

INSTANTIATE_TEST_SUITE_P(
    NoLocations, SourceLocationCases,
    ::testing::Values(
        LocationCase{"CZ0P05V1(12)  Compiler: Syntax error", std::nullopt},
        LocationCase{"compiling CZ0P05V1", std::nullopt},
        LocationCase{"1 Error(s) in statement list CZ0P05V1, 12 Lines", std::nullopt},
        LocationCase{"ERROR: CZ0P05V1.AWL(3) x", std::nullopt}, LocationCase{"", std::nullopt},
        LocationCase{" \t ", std::nullopt}, LocationCase{"\r\n", std::nullopt},
        // the line number
        LocationCase{"CZ0P05V1.AWL(99999999999) x", std::nullopt},
        LocationCase{"CZ0P05V1.AWL(2147483648)", std::nullopt},
        LocationCase{"CZ0P05V1.AWL(0)", std::nullopt},
        LocationCase{"CZ0P05V1.AWL(-3)", std::nullopt},
        LocationCase{"CZ0P05V1.AWL(+3)", std::nullopt},
        LocationCase{"CZ0P05V1.AWL( 3)", std::nullopt},
        LocationCase{"CZ0P05V1.AWL(3 )", std::nullopt},
        LocationCase{"CZ0P05V1.AWL(3x)", std::nullopt},
        LocationCase{"CZ0P05V1.AWL(3", std::nullopt}, LocationCase{"CZ0P05V1.AWL()", std::nullopt},
        LocationCase{"CZ0P05V1.AWL", std::nullopt},
        // the extension
        LocationCase{"CZ0P05V1.AWL (3)", std::nullopt},
        LocationCase{"CZ0P05V1.AWLX(3)", std::nullopt},
        LocationCase{"CZ0P05V1.AW(3)", std::nullopt}, LocationCase{"CZ0P05V1.INT(3)", std::nullopt},
        // the module name
        LocationCase{".AWL(1)", std::nullopt}, LocationCase{"CZ0P05V12.AWL(1)", std::nullopt},
        LocationCase{"C:\\X.AWL(1)", std::nullopt}, LocationCase{"dir/X.AWL(1)", std::nullopt},
        LocationCase{"A B.AWL(1)", std::nullopt}, LocationCase{"A(B.AWL(1)", std::nullopt},
        LocationCase{"A.B.AWL(1)", std::nullopt}, LocationCase{"\x01X.AWL(1)", std::nullopt},
        LocationCase{std::string("X\0.AWL(1)", 9), std::nullopt},
        LocationCase{"\xFF\xFE\x80(((((", std::nullopt}));

// Every error line the checker writes leads back to its module and line; notices do not.
TEST(SourceLocation, MessageWindowLinesLeadBackToTheirSource) {
  for (const int line : {1, 9, 10, 4711, INT_MAX}) {
    const std::string text = MessageWindowLine("CZ0P05V1", line, " Text (with brackets) 12)");
    EXPECT_EQ(SourceLocationOf(text), At("CZ0P05V1", line)) << text;
  }
  MessageLines messages("CZ0F20V1");
  messages.notice("compiling CZ0F20V1");
  messages.error(3, " THEN expected");
  messages.error(17, "\r\nbroken\x01text");
  messages.notice("2 Error(s) in statement list CZ0F20V1, 17 Lines");
  std::vector<std::optional<SourceLocation>> found;
  for (const TextLine& line : SplitLines(messages.text()))
    found.push_back(SourceLocationOf(line.text));
  const std::vector<std::optional<SourceLocation>> expected{std::nullopt, At("CZ0F20V1", 3),
                                                            At("CZ0F20V1", 17), std::nullopt};
  EXPECT_EQ(found, expected);
}

}  // namespace
}  // namespace zel::stl
