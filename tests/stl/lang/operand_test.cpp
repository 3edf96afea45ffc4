// Both notations of operands, their validity and their classes.

#include "stl/lang/operand.h"

#include <gtest/gtest.h>

namespace zel::stl {
namespace {

using C = OperandClass;

struct Conversion {
  std::string_view display;
  std::optional<std::string_view> stored;  // nothing: display to stored must fail
};

TEST(OperandNotation, DisplayToStoredChecksSyntaxOnly) {
  const Conversion cases[] = {
      {"TON5", "TE5"},
      {"TOFF5", "TA5"},
      {"ton5", "TE5"},
      {"toff5", "TA5"},
      {"T5", "T5"},
      {"TW5", "TW5"},
      {"TP5", "TV5"},
      {"C7", "Z7"},
      {"CW7", "ZW7"},
      {"CP7", "ZV7"},
      {"CFM3", "g3"},
      {"cmp3", "c3"},
      {"FI", "S"},
      {"FU2", "O2"},
      {"FW10", "MW10"},
      {"F0.1", "M0.1"},
      {"EW", "FW"},
      {"E", "F"},
      {"IW0", "EW0"},
      {"I0.0", "E0.0"},
      {"i1.2.3", "E1.2.3"},
      {"OW1.15", "AW1.15"},
      {"O0.0", "A0.0"},
      {"R9", "R9"},
      {"PS1", "PS1"},
      {"P1", "P1"},
      {"V$ff", "@$FF"},
      {"V+7", "@+7"},
      {"V-32768", "@-32768"},
      // Ranges are not checked here, and the groups stay exactly as typed.
      {"I256.0", "E256.0"},
      {"I007.01", "E007.01"},
      {"FI0", "S0"},
      {"V$", std::nullopt},
      {"", std::nullopt},
      {"X1", std::nullopt},
      {"I0.", std::nullopt},
      {"I.0", std::nullopt},
      {"I0..0", std::nullopt},
      {"I0.0.0.0", std::nullopt},
      {"I0.0 ", std::nullopt},
      {"TO5", std::nullopt},
      {"T5A", std::nullopt},
      {"V", std::nullopt},
      {"V-", std::nullopt},
      {"V$1G", std::nullopt},
      {"V1.2", std::nullopt},
      {"I-1.0", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.display));
    const auto stored = DisplayToStored(c.display);
    EXPECT_EQ(stored.has_value(), c.stored.has_value());
    if (stored && c.stored) {
      EXPECT_EQ(*stored, *c.stored);
    }
  }
}

struct Stored {
  std::string_view stored;
  bool parses;
  bool valid;
  C classIndex;
  std::int32_t first, second, third;
  std::string_view display;
};

TEST(OperandNotation, StoredToDisplayFillsTheRecordAndValidates) {
  const Stored cases[] = {
      {"TE5", true, true, C::TimerOn, 5, -1, -1, "TON5"},
      {"TA5", true, true, C::TimerOff, 5, -1, -1, "TOFF5"},
      {"te5", false, false, C::Cfm, -1, -1, -1, ""},  // stored prefixes keep their case
      {"E0.0", true, true, C::Input, 0, 0, -1, "I0.0"},
      {"E255.15", true, true, C::Input, 255, 15, -1, "I255.15"},
      {"E256.0", true, false, C::Input, 256, 0, -1, "I256.0"},
      {"E5", true, false, C::Input, 5, -1, -1, "I5"},
      {"E0.16", true, false, C::Input, 0, 16, -1, "I0.16"},
      {"E1.0.0", true, true, C::Input, 1, 0, 0, "I1.0.0"},
      {"E99.15.15", true, true, C::Input, 99, 15, 15, "I99.15.15"},
      {"E0.0.0", true, false, C::Input, 0, 0, 0, "I0.0.0"},
      {"E100.0.0", true, false, C::Input, 100, 0, 0, "I100.0.0"},
      {"E1.0.16", true, false, C::Input, 1, 0, 16, "I1.0.16"},
      {"A1.16.0", true, false, C::Output, 1, 16, 0, "O1.16.0"},
      {"EW255", true, true, C::InputWord, 255, -1, -1, "IW255"},
      {"EW256", true, false, C::InputWord, 256, -1, -1, "IW256"},
      {"EW1.15", true, true, C::InputWord, 1, 15, -1, "IW1.15"},
      {"EW0.1", true, false, C::InputWord, 0, 1, -1, "IW0.1"},
      {"EW1.16", true, false, C::InputWord, 1, 16, -1, "IW1.16"},
      {"AW1.1.1", true, false, C::OutputWord, 1, 1, 1, "OW1.1.1"},
      {"M9999.15", true, true, C::Flag, 9999, 15, -1, "F9999.15"},
      {"M10000.0", true, false, C::Flag, 10000, 0, -1, "F10000.0"},
      {"M5", true, false, C::Flag, 5, -1, -1, "F5"},
      {"M1.1.1", true, false, C::Flag, 1, 1, 1, "F1.1.1"},
      {"MW9999", true, true, C::FlagWord, 9999, -1, -1, "FW9999"},
      {"MW10000", true, false, C::FlagWord, 10000, -1, -1, "FW10000"},
      {"MW1.0", true, false, C::FlagWord, 1, 0, -1, "FW1.0"},
      {"P63", true, true, C::Program, 63, -1, -1, "P63"},
      {"P64", true, false, C::Program, 64, -1, -1, "P64"},
      {"PS63", true, true, C::Ps, 63, -1, -1, "PS63"},
      {"PS64", true, false, C::Ps, 64, -1, -1, "PS64"},
      {"c99", true, true, C::Cmp, 99, -1, -1, "CMP99"},
      {"c100", true, false, C::Cmp, 100, -1, -1, "CMP100"},
      {"g0", true, true, C::Cfm, 0, -1, -1, "CFM0"},
      {"S", true, true, C::Fi, -1, -1, -1, "FI"},
      {"S0", true, false, C::Fi, 0, -1, -1, "FI0"},
      {"F", true, true, C::E, -1, -1, -1, "E"},
      {"F1", true, false, C::E, 1, -1, -1, "E1"},
      {"FW", true, true, C::Ew, -1, -1, -1, "EW"},
      {"Z255", true, true, C::Counter, 255, -1, -1, "C255"},
      {"ZW256", true, false, C::CounterWord, 256, -1, -1, "CW256"},
      {"ZV0", true, true, C::CounterPreselect, 0, -1, -1, "CP0"},
      {"TW1", true, true, C::TimerWord, 1, -1, -1, "TW1"},
      {"TV1", true, true, C::TimerPreselect, 1, -1, -1, "TP1"},
      {"T", true, false, C::Timer, -1, -1, -1, "T"},
      {"R1.1", true, false, C::Register, 1, 1, -1, "R1.1"},
      {"O255", true, true, C::Fu, 255, -1, -1, "FU255"},
      {"@-32768", true, true, C::Constant, -32768, -1, -1, "V-32768"},
      {"@65535", true, true, C::Constant, 65535, -1, -1, "V65535"},
      {"@$FFFF", true, true, C::Constant, 65535, -1, -1, "V$FFFF"},
      {"@+7", true, true, C::Constant, 7, -1, -1, "V+7"},
      {"@-1", true, true, C::Constant, -1, -1, -1, "V-1"},
      {"@-32769", true, false, C::Constant, -32769, -1, -1, "V-32769"},
      {"@65536", true, false, C::Constant, 65536, -1, -1, "V65536"},
      {"@$10000", true, false, C::Constant, 65536, -1, -1, "V$10000"},
      {"@99999999999", true, false, C::Constant, 2147483647, -1, -1, "V99999999999"},
      {"E99999999999.0", true, false, C::Input, 2147483647, 0, -1, "I99999999999.0"},
      {"@$", false, false, C::Cfm, -1, -1, -1, ""},
      {"@$1G", false, false, C::Cfm, -1, -1, -1, ""},
      {"", false, false, C::Cfm, -1, -1, -1, ""},
      {"I0.0", false, false, C::Cfm, -1, -1, -1, ""},  // a display text is no stored text
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.stored));
    Operand out;
    out.display = "untouched";
    EXPECT_EQ(StoredToDisplay(c.stored, out), c.valid);
    const auto read = ReadStoredOperand(c.stored);
    EXPECT_EQ(read.has_value(), c.parses);
    if (!c.parses) {
      EXPECT_EQ(out.display, "untouched");
      continue;
    }
    if (!read) continue;
    EXPECT_EQ(out, *read);
    EXPECT_EQ(out.classIndex, c.classIndex);
    EXPECT_EQ(out.first, c.first);
    EXPECT_EQ(out.second, c.second);
    EXPECT_EQ(out.third, c.third);
    EXPECT_EQ(out.stored, c.stored);
    EXPECT_EQ(out.display, c.display);
    EXPECT_EQ(IsValidOperand(out), c.valid);
  }
}

TEST(OperandNotation, DisplayOperandsRoundTripThroughTheStoredForm) {
  for (std::string_view display :
       {"I0.0", "O1.2.3", "IW1.15", "TON0", "TOFF255", "CW1", "CP2", "TP3", "FI", "EW", "E", "FU1",
        "PS2", "CFM1", "CMP2", "V-5", "V$ABCD", "F12.3", "FW4"}) {
    SCOPED_TRACE(std::string(display));
    const auto operand = ParseDisplayOperand(display);
    ASSERT_TRUE(operand.has_value());
    EXPECT_EQ(operand->display, display);
    EXPECT_EQ(static_cast<unsigned>(*MatchDisplayPrefix(display)),
              static_cast<unsigned>(operand->classIndex));
  }
  EXPECT_FALSE(ParseDisplayOperand("I256.0"));
  EXPECT_FALSE(ParseDisplayOperand("I0"));
  EXPECT_FALSE(ParseDisplayOperand(""));
  EXPECT_EQ(ParseDisplayOperand("v$ff")->display, "V$FF");
  EXPECT_EQ(ParseDisplayOperand("ton5")->display, "TON5");
}

TEST(OperandTable, RowNumbersAreTheClassIndexAndLongerPrefixesComeFirst) {
  const auto& rows = OperandPrefixes();
  EXPECT_EQ(rows[7].display, "TON");
  EXPECT_EQ(rows[7].stored, "TE");
  EXPECT_EQ(rows[19].display, "IW");
  EXPECT_EQ(rows[19].stored, "EW");
  EXPECT_EQ(rows[23].stored, "@");
  // A prefix that begins a later one would hide it from the first-match search.
  for (std::size_t i = 0; i < rows.size(); ++i) {
    for (std::size_t j = i + 1; j < rows.size(); ++j) {
      SCOPED_TRACE(std::string(rows[i].display) + " / " + std::string(rows[j].display));
      EXPECT_FALSE(rows[j].display.starts_with(rows[i].display));
      EXPECT_FALSE(rows[j].stored.starts_with(rows[i].stored));
    }
  }
}

TEST(OperandClasses, OneBitMultiBitAndModuleCalls) {
  const std::string_view oneBit[] = {"F0.0", "O0.0", "I0.0", "T1", "TON1", "TOFF1",
                                     "C1",   "P1",   "PS1",  "FI", "E"};
  const std::string_view multiBit[] = {"FU1", "TW1", "CW1", "R1",  "IW1", "OW1",
                                       "V1",  "TP1", "CP1", "FW1", "EW"};
  for (auto display : oneBit) {
    SCOPED_TRACE(std::string(display));
    const auto c = ParseDisplayOperand(display)->classIndex;
    EXPECT_TRUE(IsOneBit(c));
    EXPECT_FALSE(IsMultiBit(c));
    EXPECT_FALSE(IsModuleCall(c));
  }
  for (auto display : multiBit) {
    SCOPED_TRACE(std::string(display));
    const auto c = ParseDisplayOperand(display)->classIndex;
    EXPECT_TRUE(IsMultiBit(c));
    EXPECT_FALSE(IsOneBit(c));
  }
  for (auto display : {"CFM1", "CMP1"}) {
    const auto c = ParseDisplayOperand(display)->classIndex;
    EXPECT_TRUE(IsModuleCall(c));
    EXPECT_FALSE(IsOneBit(c) || IsMultiBit(c));
  }
}

TEST(OperandClasses, FieldbusByTheNumberOfGroups) {
  const std::pair<std::string_view, bool> cases[] = {
      {"I1.0.0", true},   {"O99.15.15", true}, {"IW1.15", true}, {"OW2.0", true}, {"I0.0", false},
      {"O255.15", false}, {"IW0", false},      {"OW255", false}, {"F1.1", false}, {"V1", false},
  };
  for (const auto& [display, fieldbus] : cases) {
    SCOPED_TRACE(std::string(display));
    EXPECT_EQ(IsFieldbus(*ParseDisplayOperand(display)), fieldbus);
  }
}

TEST(OperandNumbers, HexadecimalSignedDecimalAndStopAtTheFirstStranger) {
  const std::pair<std::string_view, std::int64_t> cases[] = {
      {"$FF", 255},
      {"$ff", 255},
      {"$1g", 1},
      {"$", 0},
      {"-12", -12},
      {"12ab", 12},
      {"", 0},
      {"-", 0},
      {"+5", 0},
      {"007", 7},
      {"$-1", 0},
      {"1.5", 1},
      {"99999999999", 2147483648LL},
      {"-99999999999", -2147483648LL},
      {"$FFFFFFFFFFFF", 2147483647},
  };
  for (const auto& [text, value] : cases) {
    SCOPED_TRACE(std::string(text));
    EXPECT_EQ(ParseOperandNumber(text), value);
  }
}

TEST(OperandSymbols, SyntaxOfPossibleSymbolicNames) {
  const std::pair<std::string_view, bool> cases[] = {
      {"START", true},         {"start", true},  {"_x", true},
      {"A1.2", true},          {"I0", true},     {"\xC4pfel", true},
      {"\xE4pfel", true},      {"\xD1o", true},  {"\x83x", true},
      {"\xD7", true},          {"\xA3", true},   {"\xFF", true},
      {"x\xC7\xFC\xE9", true}, {"a_b.c9", true}, {"", false},
      {"1A", false},           {".A", false},    {"A-B", false},
      {"A B", false},          {"\xC0x", false}, {"\xDF", false},
      {"\x80", false},         {"x\xF7", false}, {"\xB5", false},
      {"A$", false},           {"$A", false},
  };
  for (const auto& [text, symbol] : cases) {
    SCOPED_TRACE(std::string(text));
    EXPECT_EQ(IsSymbolSyntax(text), symbol);
  }
}

TEST(OperandSymbols, AllThirtyEightAccentedLettersAndNoOtherHighByte) {
  const std::string_view accented =
      "\xD1\xF1\xFA\xF3\xED\xE1\x83\xD7\xD8\xA3\xF8\xDC\xD6\xFF\xF9\xFB\xF2\xF6\xF4"
      "\xC6\xE6\xC9\xC5\xC4\xEC\xEE\xEF\xE8\xEB\xEA\xE7\xE5\xE0\xE4\xE2\xE9\xFC\xC7";
  ASSERT_EQ(accented.size(), 38u);
  int accepted = 0;
  for (int byte = 0x80; byte <= 0xFF; ++byte) {
    const char c = static_cast<char>(byte);
    const bool listed = accented.find(c) != std::string_view::npos;
    EXPECT_EQ(IsSymbolCharacter(static_cast<unsigned char>(byte)), listed) << byte;
    accepted += IsSymbolSyntax(std::string(1, c)) ? 1 : 0;
  }
  EXPECT_EQ(accepted, 38);
}

}  // namespace
}  // namespace zel::stl
