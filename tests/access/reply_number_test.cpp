// The number rule of the controller's replies and the "=" value lists built of it.

#include "access/reply_number.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zel::access {
namespace {

TEST(ReplyNumberTest, ReadsHexAfterDollarElseSignedDecimal) {
  const struct {
    std::string text;
    std::optional<ReplyNumber> number;
    std::string rest;
  } cases[] = {
      {"123", ReplyNumber{123, false}, ""},
      {"-5,", ReplyNumber{-5, false}, ","},
      {"$1aF=", ReplyNumber{0x1AF, true}, "="},
      {"$FFFFFFFF", ReplyNumber{0xFFFFFFFFLL, true}, ""},
      {"4294967295", ReplyNumber{4294967295LL, false}, ""},
      {"-2147483648", ReplyNumber{-2147483648LL, false}, ""},
      {"0x10", ReplyNumber{0, false}, "x10"},  // stops at the first other character
      {"$G", std::nullopt, "$G"},              // no hexadecimal digit
      {"$", std::nullopt, "$"},
      {"-", std::nullopt, "-"},
      {"-$5", std::nullopt, "-$5"},
      {" 5", std::nullopt, " 5"},  // blanks are not skipped
      {"", std::nullopt, ""},
      {"$100000000", std::nullopt, "$100000000"},  // beyond 32 bits
      {"4294967296", std::nullopt, "4294967296"},
      {"-2147483649", std::nullopt, "-2147483649"},
      {"99999999999999999999999", std::nullopt, "99999999999999999999999"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string_view text = c.text;
    EXPECT_EQ(ReadReplyNumber(text), c.number);
    EXPECT_EQ(text, c.rest);
  }
}

TEST(ReplyNumberTest, ValueListsFollowEqualsAndCommas) {
  using V = std::vector<std::int64_t>;
  const struct {
    std::string reply;
    std::optional<V> values;
  } cases[] = {
      {"=1=2=3", V{1, 2, 3}},
      {"=1,2,3,", V{1, 2, 3}},
      {"=$A=-1,$b", V{10, -1, 11}},
      {"=7", V{7}},
      {"=1,x,3", V{1}},  // a separator not followed by a number ends the
                         // list
      {"=1 2", V{1}},    // so does anything else
      {"=1==2", V{1}},
      {"=", std::nullopt},  // "=" with no number
      {"1=2", std::nullopt},
      {"", std::nullopt},
      {"=x", std::nullopt},
      {" =1", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.reply);
    const auto list = ReadValueList(c.reply);
    ASSERT_EQ(list.has_value(), c.values.has_value());
    if (!list) continue;
    V values;
    for (const auto& n : *list) values.push_back(n.value);
    EXPECT_EQ(values, *c.values);
  }
}

TEST(ReplyNumberTest, ValueListsStopAtTheirLimit) {
  const auto list = ReadValueList("=1=2=3=4", 2);
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ(list->size(), 2u);
  EXPECT_FALSE(ReadValueList("=1", 0).has_value());
  EXPECT_EQ(ReadSingleValue("=-12,0,0,"), -12);
  EXPECT_EQ(ReadSingleValue("=$7FFF"), 0x7FFF);
  EXPECT_FALSE(ReadSingleValue("=").has_value());
}

}  // namespace
}  // namespace zel::access
