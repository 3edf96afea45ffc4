// Display lines back to the stored form: codes, stored operands, line breaks by category,
// and the `?` line that keeps whatever cannot be converted.

#include "stl/editor/store.h"

#include <gtest/gtest.h>

#include "stl/editor/display.h"

namespace zel::stl {
namespace {

using Lines = std::vector<std::string>;

struct StoreCase {
  std::string display;
  Lines stored;
};

// Test names show the line, not the bytes of the struct.
void PrintTo(const StoreCase& c, std::ostream* out) {
  *out << c.display;
}

class StlStoreCases : public ::testing::TestWithParam<StoreCase> {};

TEST_P(StlStoreCases, StoresTheLine) {
  const StoreResult result = DisplayLineToStored(GetParam().display);
  EXPECT_TRUE(result.converted) << result.rejected;
  EXPECT_EQ(result.lines, GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StlStoreCases,
    ::testing::Values(
        StoreCase{"if i0.0 then set o0.0", {"wE0.0", "dsA0.0"}}, StoreCase{"", {""}},
        StoreCase{"   \t", {""}},
        // keywords without regard to case, each by its code
        StoreCase{"If I0.0 AnD n I0.1 oR ( F1.2 )", {"wE0.0", "unE0.1", "o(M1.2)"}},
        StoreCase{"OTHRW RESET O1.0", {"frA1.0"}}, StoreCase{"else reset O1.0", {"frA1.0"}},
        StoreCase{"EXOR I0.0", {"xE0.0"}}, StoreCase{"LOAD R1 + R2 TO R3", {"lR1", "+R2", "qR3"}},
        StoreCase{"load FW10 shl swap rol to FW12", {"lMW10", "z1z0z3qMW12"}},
        StoreCase{"inv cpl bid deb ror shr", {"z5z6z7z8z4z2"}},
        StoreCase{"IF R1 >= V5", {"wR1", ">=@5"}}, StoreCase{"IF R1 < > R2", {"wR1", "<>R2"}},
        StoreCase{"IF R1 = R2 * R3 / R4 - R5", {"wR1", "=R2", "*R3", "/R4", "-R5"}},
        StoreCase{"INC C1 DEC CW2 SHIFT R3", {"iZ1", "jZW2", "vR3"}}, StoreCase{"NOP", {"a"}},
        StoreCase{"IF N ( I0.0 )", {"wn(E0.0)"}},
        // times: the unit is dropped, the number kept as typed
        StoreCase{"SET T1 WITH 2s", {"sT1", "m2"}}, StoreCase{"WITH 1.5S", {"m1.5"}},
        StoreCase{"WITH 10", {"m10"}}, StoreCase{"WITH 2.", {"m2."}},
        // steps, jumps, module calls
        StoreCase{"STEP S1 IF I0.0", {"#S1;", "wE0.0"}},
        StoreCase{"STEP ABCDEFGHIJKL", {"#ABCDEFGHI;"}}, StoreCase{"THEN JMP TO NEXT", {"dbNEXT;"}},
        StoreCase{"jmp next", {"bnext;"}}, StoreCase{"JMP TO TO", {"bTO;"}},
        StoreCase{"JMP TOP", {"bTOP;"}}, StoreCase{"JMP TO LONGLABEL123", {"bLONGLABEL;"}},
        StoreCase{"STEP", {"#;"}},
        StoreCase{"THEN CMP 10 WITH V1 WITH F1.0", {"dc10", "m@1", "mM1.0"}},
        StoreCase{"CMP10", {"c10"}}, StoreCase{"cfm 7", {"g7"}}, StoreCase{"CMP", {"c"}},
        StoreCase{"SET CMP 5", {"s", "c5"}}, StoreCase{"CMP X1", {"c", ":X1;"}},
        // operands in stored notation, symbols delimited
        StoreCase{"SET ton5", {"sTE5"}}, StoreCase{"SET toff5", {"sTA5"}},
        StoreCase{"LOAD V$ff TO OW1.3", {"l@$FF", "qAW1.3"}},
        StoreCase{"LOAD V-32768 TO R1", {"l@-32768", "qR1"}}, StoreCase{"LOAD V+7", {"l@+7"}},
        StoreCase{"SET Motor_1", {"s:Motor_1;"}}, StoreCase{"SET I0", {"s:I0;"}},
        StoreCase{"SET I256.0", {"s:I256.0;"}}, StoreCase{"SET E", {"sF"}},
        StoreCase{"SET FI", {"sS"}}, StoreCase{"LOAD EW", {"lFW"}},
        StoreCase{"SET \xC4rger", {"s:\xC4rger;"}},
        // tokens the stored form would run together are kept apart
        StoreCase{"IF I0.0 I0.1", {"wE0.0", "E0.1"}}, StoreCase{"IF E I0.0", {"wF", "E0.0"}},
        StoreCase{"ROL 5", {"z3 5"}}, StoreCase{"CMP 1 5", {"c1", "5"}},
        // comments: kept as typed; a displayed list comment is dropped
        StoreCase{"IF I0.0 \" start ", {"wE0.0\" start "}},
        StoreCase{"\"\" header", {"\"\" header"}}, StoreCase{"  \" note", {"\" note"}},
        StoreCase{"SET O0.0          'Main pump", {"sA0.0"}},
        StoreCase{"'only a list comment", {""}}));

struct FailCase {
  std::string display;
  std::string rejected;
};

void PrintTo(const FailCase& c, std::ostream* out) {
  *out << c.display;
}

class StlStoreFailures : public ::testing::TestWithParam<FailCase> {};

TEST_P(StlStoreFailures, KeepsTheWholeLineBehindAQuestionMark) {
  const StoreResult result = DisplayLineToStored(GetParam().display);
  EXPECT_FALSE(result.converted);
  EXPECT_EQ(result.rejected, GetParam().rejected);
  EXPECT_EQ(result.lines, Lines{"?" + GetParam().display});
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StlStoreFailures,
    ::testing::Values(FailCase{"IF I0.0 THEN FR$B O0.0", "FR$B O0.0"},
                      FailCase{"SET TOOLONGNAME", "TOOLONGNAME"}, FailCase{"SET 1abc", "1abc"},
                      FailCase{"WITH 2ms", "2ms"}, FailCase{"IF.5", ".5"},
                      FailCase{"LOAD V-", "V-"}, FailCase{"STEP A;B", "STEP A;B"},
                      FailCase{"JMP TO X;", "JMP TO X;"}, FailCase{"SET :MOTOR;", ":MOTOR;"},
                      FailCase{"?x", "?x"}, FailCase{"SET O0.0 ?????  junk", "?????  junk"}));

TEST(StlStore, LineBreaksInsideALineAreNeverKeptInAStoredLine) {
  const StoreResult result = DisplayLineToStored("IF I0.0\r\nFR$B\rSET O0.0");
  EXPECT_FALSE(result.converted);
  EXPECT_EQ(result.rejected, "FR$B");
  EXPECT_EQ(result.lines, (Lines{"wE0.0", "?FR$B", "sA0.0"}));
}

ConversionContext WithElse(bool useElse) {
  ConversionContext context;
  context.elseForOtherwise = useElse;
  return context;
}

TEST(StlStore, ElseAndOthrwStoreAlikeAndShowByThePreference) {
  for (const char* typed : {"ELSE", "othrw"}) {
    const auto stored = DisplayLineToStored(typed).lines;
    EXPECT_EQ(stored, Lines{"f"}) << typed;
    if (stored.size() != 1) continue;
    EXPECT_EQ(StoredLineToDisplay(stored[0], WithElse(true)).text, " ELSE");
    EXPECT_EQ(StoredLineToDisplay(stored[0], WithElse(false)).text, " OTHRW");
  }
}

// Display -> stored -> display -> stored: the second conversion changes nothing, and every
// line shown from the stored form reads back without leftovers.
class StlRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(StlRoundTrip, StoredFormIsStable) {
  const StoreResult first = DisplayLineToStored(GetParam());
  for (const auto& stored : first.lines) {
    const DisplayLine shown = StoredLineToDisplay(stored, {});
    EXPECT_FALSE(shown.hasLeftover) << stored;
    const StoreResult again = DisplayLineToStored(shown.text);
    EXPECT_TRUE(again.converted) << shown.text;
    EXPECT_EQ(again.lines, Lines{stored}) << shown.text;
  }
}

INSTANTIATE_TEST_SUITE_P(Programs, StlRoundTrip,
                         ::testing::Values("if i0.0 then set o0.0",
                                           "STEP S1 IF I0.0 AND N ( F1.0 OR I0.1 )",
                                           "THEN SET T1 WITH 2.5s", "OTHRW JMP TO LOOP \" back",
                                           "LOAD V$1F + R1 TO FW3 \"\" done",
                                           "IF E I0.0 I0.1 FI O1.0", "ROL 5 CMP 1 5 2.",
                                           "SET Motor ' list", "CMP 3 WITH TOFF7", "FROB THE LINE",
                                           "IF R1 <= V-5 >= V+3 <> R2", "\" only a note"));

}  // namespace
}  // namespace zel::stl
