#include "library/driver_option.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "library/driver_script.h"

namespace zel::library {
namespace {

struct GrammarCase {
  const char* line;
  const char* key;
  const char* def;
  OptionType type;
  const char* range;
  std::optional<int> minLength;
  std::optional<int> maxLength;
  std::vector<std::string> choices;
  std::vector<NumberRange> ranges;
};

TEST(OptionGrammar, ReadsEveryTypeAndRangeForm) {
  const std::vector<GrammarCase> cases = {
      {"BAUD \"9600\" $DEC [300..19200]",
       "BAUD",
       "9600",
       OptionType::Decimal,
       "300..19200",
       {},
       {},
       {},
       {{300, 19200}}},
      {"CH \"3\" $dec [1..4;8; 10 .. 12 ]",
       "CH",
       "3",
       OptionType::Decimal,
       "1..4;8; 10 .. 12 ",
       {},
       {},
       {},
       {{1, 4}, {8, 8}}},
      {"ADDR \"3f8\" $HEX [2f8;3e8..3ff]",
       "ADDR",
       "3f8",
       OptionType::Hex,
       "2f8;3e8..3ff",
       {},
       {},
       {},
       {{0x2f8, 0x2f8}, {0x3e8, 0x3ff}}},
      {"LOG \"J\" $YESNO", "LOG", "J", OptionType::YesNo, "", {}, {}, {}, {}},
      {"DRV \"C\" $IDV", "DRV", "C", OptionType::Drive, "", {}, {}, {"A", "B", "C", "D"}, {}},
      {"DRV \"C\" $IDV [X]", "DRV", "C", OptionType::Drive, "X", {}, {}, {}, {}},
      {"NAME \"abc\" $TEXT [2..8]", "NAME", "abc", OptionType::Text, "2..8", 2, 8, {}, {}},
      {"NAME \"abc\" $TEXT [2-8]", "NAME", "abc", OptionType::Text, "2-8", {}, {}, {}, {}},
      {"NAME \"\" $TEXT", "NAME", "", OptionType::Text, "", {}, {}, {}, {}},
      {"MODE \"fast\" $Text [\"fast\" \"slow\"]",
       "MODE",
       "fast",
       OptionType::TextList,
       "\"fast\" \"slow\"",
       {},
       {},
       {"fast", "slow"},
       {}},
      {"X \"1\" $COLOUR [1..2]", "X", "1", OptionType::Other, "1..2", {}, {}, {}, {}},
      {"K \"with blank\" $TEXT[0..20]",
       "K",
       "with blank",
       OptionType::Text,
       "0..20",
       0,
       20,
       {},
       {}},
      {"ONLYKEY", "ONLYKEY", "", OptionType::Other, "", {}, {}, {}, {}},
      {"K \"open $DEC [1..2]", "K", "open $DEC [1..2]", OptionType::Other, "", {}, {}, {}, {}},
      {"K \"5\" $DEC [1..2", "K", "5", OptionType::Decimal, "1..2", {}, {}, {}, {{1, 2}}},
      {"K \"5\" $DEC [a..b;..3;4..;5..x;7]",
       "K",
       "5",
       OptionType::Decimal,
       "a..b;..3;4..;5..x;7",
       {},
       {},
       {},
       {{7, 7}}},
      {"K \"5\" $DEC [99999999999999999999;1]",
       "K",
       "5",
       OptionType::Decimal,
       "99999999999999999999;1",
       {},
       {},
       {},
       {{1, 1}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const auto option = ParseOptionControl(c.line);
    ASSERT_TRUE(option.has_value());
    EXPECT_EQ(option->key, c.key);
    EXPECT_EQ(option->defaultValue, c.def);
    EXPECT_EQ(option->type, c.type);
    EXPECT_EQ(option->range, c.range);
    EXPECT_EQ(option->minLength, c.minLength);
    EXPECT_EQ(option->maxLength, c.maxLength);
    EXPECT_EQ(option->choices, c.choices);
    EXPECT_EQ(option->ranges, c.ranges);
  }
  EXPECT_FALSE(ParseOptionControl("").has_value());
  EXPECT_FALSE(ParseOptionControl("   ").has_value());
}

TEST(OptionGrammar, YesNoReading) {
  for (const char* no : {"", "N", "n", "0", "No", "0x1"}) EXPECT_FALSE(IsYes(no)) << no;
  for (const char* yes : {"J", "j", "1", "Y", "yes", " N"}) EXPECT_TRUE(IsYes(yes)) << yes;
}

TEST(OptionValues, AreCheckedWithTheMessagesOfTheirType) {
  struct Case {
    const char* line;
    const char* value;
    std::optional<std::string> message;
  };
  const std::string dec = "Please enter a decimal number in the range of [1..4;8].";
  const std::string hex = "Please enter a hexadecimal number in the range of [2f8;3e8..3ff].";
  const std::vector<Case> cases = {
      {"K \"1\" $DEC [1..4;8]", "3", std::nullopt},
      {"K \"1\" $DEC [1..4;8]", "8", std::nullopt},
      {"K \"1\" $DEC [1..4;8]", " 1 ", std::nullopt},
      {"K \"1\" $DEC [1..4;8]", "5", dec},
      {"K \"1\" $DEC [1..4;8]", "", dec},
      {"K \"1\" $DEC [1..4;8]", "3x", dec},
      {"K \"1\" $DEC [1..4;8]", "0x3", dec},
      {"K \"1\" $DEC", "-12", std::nullopt},
      {"K \"1\" $DEC", "twelve", "Please enter a decimal number in the range of []."},
      {"K \"1\" $DEC [-5..-1]", "-3", std::nullopt},
      {"K \"1\" $HEX [2f8;3e8..3ff]", "2F8", std::nullopt},
      {"K \"1\" $HEX [2f8;3e8..3ff]", "3f0", std::nullopt},
      {"K \"1\" $HEX [2f8;3e8..3ff]", "0x3F0", std::nullopt},
      {"K \"1\" $HEX [2f8;3e8..3ff]", "300", hex},
      {"K \"1\" $HEX [2f8;3e8..3ff]", "G", hex},
      {"K \"1\" $TEXT [3..8]", "ab", "Please enter at least 3 characters."},
      {"K \"1\" $TEXT [3..8]", "abc", std::nullopt},
      {"K \"1\" $TEXT [3-8]", "", std::nullopt},
      {"K \"1\" $TEXT [\"a\" \"b\"]", "anything", std::nullopt},
      {"K \"1\" $YESNO", "maybe", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.line) + " <- " + c.value);
    const auto option = ParseOptionControl(c.line);
    ASSERT_TRUE(option.has_value());
    EXPECT_EQ(CheckOptionValue(*option, c.value), c.message);
  }
}

TEST(DriverScriptOptions, EndAtTheFirstEmptyControlLineAndAtOneHundred) {
  std::string text =
      "[EDIT]\nGB_0=First\nCTRL_0=A \"1\" $DEC [1..2]\nCTRL_1=B \"J\" $YESNO\n"
      "GB_1=Second\nCTRL_3=D \"x\" $TEXT\n";
  auto script = DriverScript::parse(text, "X");
  auto options = script.options();
  ASSERT_EQ(options.size(), 2u);
  EXPECT_EQ(options[0].description, "First");
  EXPECT_EQ(options[1].key, "B");
  EXPECT_EQ(options[1].description, "Second");
  EXPECT_FALSE(script.option(2).has_value());

  std::string many = "[EDIT]\n";
  for (int i = 0; i < 120; ++i) {
    many += "CTRL_" + std::to_string(i) + "=K" + std::to_string(i) + " \"0\" $DEC\n";
  }
  EXPECT_EQ(DriverScript::parse(many, "M").options().size(), 100u);
  EXPECT_TRUE(DriverScript::parse("[EDIT]\nCTRL_1=A \"1\" $DEC\n", "E").options().empty());
}

TEST(DriverScriptOptions, ControlLineIsCutAt1023Characters) {
  const std::string line = "K \"1\" $TEXT [\"a\" \"" + std::string(2000, 'b') + "\"]";
  auto script = DriverScript::parse("[EDIT]\nCTRL_0=" + line + "\n", "C");
  const auto option = script.option(0);
  ASSERT_TRUE(option.has_value());
  EXPECT_EQ(option->type, OptionType::TextList);
  // The cut falls inside the second choice, which then has no closing quote.
  EXPECT_EQ(option->choices, std::vector<std::string>{"a"});
  EXPECT_EQ(option->range.size(), 1023u - 13u);
}

}  // namespace
}  // namespace zel::library
