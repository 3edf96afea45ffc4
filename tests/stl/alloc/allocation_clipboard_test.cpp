// Copy and paste of allocation list entries as text.

#include "stl/alloc/allocation_clipboard.h"

#include <gtest/gtest.h>

namespace zel::stl {

void PrintTo(const EntryTexts& t, std::ostream* out) {
  *out << '{' << t.operand << '|' << t.symbol << '|' << t.comment << '}';
}

namespace {

TEST(AllocationClipboard, CopyWritesTheSelectedEntriesInTheGivenOrder) {
  AllocationList list;
  list.append({*ParseDisplayOperand("I0.0"), "START", "Start button"});
  list.append({*ParseDisplayOperand("ton5"), "", ""});
  list.append({*ParseDisplayOperand("FW1"), "X", "c"});
  EXPECT_EQ(AllocationClipboardText(list, {1, 0}), "TON5\t\t\r\nI0.0\tSTART\tStart button\r\n");
  EXPECT_EQ(AllocationClipboardText(list, {}), "");
}

TEST(AllocationClipboard, PasteSplitsLinesAndFields) {
  struct Case {
    std::string_view text;
    std::vector<EntryTexts> lines;
  };
  const Case cases[] = {
      {"I0.0\tSTART\tStart button\r\n", {{"I0.0", "START", "Start button"}}},
      {"a\r\nb\nc\rd", {{"a", "", ""}, {"b", "", ""}, {"c", "", ""}, {"d", "", ""}}},
      {"a\r\rb", {{"a", "", ""}, {"b", "", ""}}},  // an empty line opens no dialog
      {"I0.0", {{"I0.0", "", ""}}},
      {"I0.0\tS", {{"I0.0", "S", ""}}},
      {"\tS\tc", {{"", "S", "c"}}},
      {"I0.0\tS\tc\twith\ttabs", {{"I0.0", "S", "c\twith\ttabs"}}},
      {"", {}},
      {"\r\n\r\n", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text));
    EXPECT_EQ(ParseAllocationClipboard(c.text), c.lines);
  }
}

TEST(AllocationClipboard, PastedLinesKeepAtMost255Characters) {
  const std::string longComment(300, 'c');
  const auto lines = ParseAllocationClipboard("I0.0\tS\t" + longComment + "\r\nO0.0");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].comment.size(), 255u - 7u);
  EXPECT_EQ(lines[1].operand, "O0.0");
  // The cut happens before the split: a TAB beyond 255 characters separates nothing.
  const auto cut = ParseAllocationClipboard(std::string(255, 'x') + "\tS");
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].operand.size(), 255u);
  EXPECT_EQ(cut[0].symbol, "");
}

TEST(AllocationClipboard, CopiedTextPastesBack) {
  AllocationList list;
  list.append({*ParseDisplayOperand("O1.2.3"), "\xC4X", "Comment, with; marks"});
  list.append({*ParseDisplayOperand("V$FF"), "MASK", ""});
  const auto lines = ParseAllocationClipboard(AllocationClipboardText(list, {0, 1}));
  EXPECT_EQ(lines, (std::vector<EntryTexts>{{"O1.2.3", "\xC4X", "Comment, with; marks"},
                                            {"V$FF", "MASK", ""}}));
}

}  // namespace
}  // namespace zel::stl
