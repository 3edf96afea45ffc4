// Find and replace in the allocation list's comments.

#include "stl/alloc/allocation_find.h"

#include <gtest/gtest.h>

namespace zel::stl {
namespace {

AllocationList Comments(std::initializer_list<const char*> comments) {
  AllocationList list;
  int n = 0;
  for (const char* comment : comments)
    list.append({*ParseDisplayOperand("F0." + std::to_string(n++)), "", comment});
  return list;
}

TEST(AllocationFind, MessageForNoHit) {
  EXPECT_EQ(CannotFindMessage("pump"), "Cannot find the string 'pump'.");
}

TEST(AllocationFind, SearchesRowsFromTheSelectionInEitherDirection) {
  const AllocationList list = Comments({"Pump one", "valve", "PUMP two", "pump three"});
  const std::vector<std::size_t> rows = {3, 2, 1, 0};  // the view's order
  struct Case {
    std::optional<std::size_t> selected;
    FindOptions options;
    std::optional<std::size_t> hit;
  };
  const Case cases[] = {
      {std::nullopt, {"pump", false, true}, 0},
      {0, {"pump", false, true}, 1},
      {1, {"pump", false, true}, 3},
      {3, {"pump", false, true}, std::nullopt},  // no wrap
      {0, {"pump", true, true}, std::nullopt},
      {std::nullopt, {"PUMP", true, true}, 1},
      {std::nullopt, {"pump", false, false}, 3},
      {3, {"pump", false, false}, 1},
      {1, {"pump", false, false}, 0},
      {0, {"pump", false, false}, std::nullopt},
      {std::nullopt, {"Pump", true, false}, 3},
      {std::nullopt, {"", false, true}, std::nullopt},
      {std::nullopt, {"xyz", false, true}, std::nullopt},
      {7, {"pump", false, true}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options.text + (c.options.down ? " down" : " up"));
    EXPECT_EQ(FindInComments(list, rows, c.selected, c.options), c.hit);
  }
  EXPECT_EQ(FindInComments(list, {}, std::nullopt, {"pump", false, true}), std::nullopt);
}

TEST(AllocationFind, CaseFoldsAccentedLetters) {
  EXPECT_TRUE(CommentContains("\xC4nderung", {"\xE4NDER", false, true}));
  EXPECT_FALSE(CommentContains("\xC4nderung", {"\xE4nder", true, true}));
}

TEST(AllocationFind, ReplaceInsideAComment) {
  struct Case {
    std::string_view comment;
    FindOptions options;
    std::string_view replacement;
    std::optional<std::string_view> result;
  };
  const std::string fifty(50, 'y');
  const std::string forty(40, 'y');
  const Case cases[] = {
      {"Pump 1 on pump rail", {"pump", false, true}, "Motor", "Motor 1 on Motor rail"},
      {"Pump 1 on pump rail", {"pump", true, true}, "Motor", "Pump 1 on Motor rail"},
      {"aaa", {"a", false, true}, "aa", "aaaaaa"},  // the replacement is not searched again
      {"abc", {"x", false, true}, "y", std::nullopt},
      {"abc", {"", false, true}, "y", std::nullopt},
      {"abc", {"b", false, true}, "", "ac"},
      {"x", {"x", false, true}, fifty, forty},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.comment));
    const auto result = ReplaceInComment(c.comment, c.options, c.replacement);
    EXPECT_EQ(result.has_value(), c.result.has_value());
    if (result && c.result) {
      EXPECT_EQ(*result, *c.result);
    }
  }
}

TEST(AllocationFind, ReplaceInOneEntryAndInAll) {
  AllocationList list = Comments({"old pump", "valve", "Old motor", "old"});
  const FindOptions options{"old", false, true};
  EXPECT_TRUE(ReplaceInEntry(list, 2, options, "new"));
  EXPECT_EQ(list.at(2).comment, "new motor");
  EXPECT_EQ(list.at(0).comment, "old pump");
  EXPECT_FALSE(ReplaceInEntry(list, 1, options, "new"));
  EXPECT_FALSE(ReplaceInEntry(list, 9, options, "new"));
  EXPECT_EQ(ReplaceAllInComments(list, options, std::string(45, 'N')), 2u);
  EXPECT_EQ(list.at(0).comment, std::string(40, 'N'));
  EXPECT_EQ(list.at(1).comment, "valve");
  EXPECT_EQ(list.at(3).comment, std::string(40, 'N'));
}

}  // namespace
}  // namespace zel::stl
