#include "app/tools/tool_record.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/tools/tool_merge.h"
#include "platform/profile.h"
#include "support/temp_dir.h"

namespace zel::app {
namespace {

using Tools = std::vector<ToolRecord>;

ToolRecord Tool(std::string title, std::string program = "prog", std::string params = "",
                int flags = 0) {
  return {std::move(title), std::move(program), std::move(params), flags};
}

class ToolListTest : public ::testing::Test {
 protected:
  std::filesystem::path ini() const { return m_temp / "ZEL.INI"; }
  std::string raw(const std::string& key) const {
    return platform::ReadProfileString(ini(), "TOOLS", key, "<absent>");
  }
  test::TempDir m_temp;
};

TEST_F(ToolListTest, ReadsKeysOfTheLanguageUntilTheFirstEmptyTitle) {
  m_temp.writeFile("ZEL.INI",
                   "[TOOLS]\r\nTOOL_0_GB=Terminal\r\nCALL_0_GB=<<<ZELDIR>>>\\term\r\n"
                   "PARAM_0_GB=-p <<<COM_PORT>>>\r\nFLAGS_0_GB=3\r\n"
                   "tool_1_gb=Second\r\nCALL_1_GB=two\r\n"
                   "TOOL_3_GB=After the gap\r\nCALL_3_GB=never\r\n");
  const Tools expected = {Tool("Terminal", "<<<ZELDIR>>>\\term", "-p <<<COM_PORT>>>", 3),
                          Tool("Second", "two", "", 0)};
  EXPECT_EQ(ReadTools(ini()), expected);
}

TEST_F(ToolListTest, RoundTripRemovesTheKeysOfRemovedTools) {
  const Tools three = {Tool("A", "a", "x y", 1), Tool("B", "b", "", 7), Tool("C", "c", "z", 2)};
  struct Case {
    const char* name;
    Tools after;
  };
  const std::vector<Case> cases = {
      {"last removed", {three[0], three[1]}},
      {"first removed", {three[1], three[2]}},
      {"reordered", {three[2], three[0], three[1]}},
      {"all removed", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WriteTools(ini(), three));
    ASSERT_EQ(ReadTools(ini()), three);
    ASSERT_TRUE(WriteTools(ini(), c.after));
    EXPECT_EQ(ReadTools(ini()), c.after);
    const std::size_t n = c.after.size();
    for (std::size_t i = n; i < three.size(); ++i) {
      EXPECT_EQ(raw(ToolTitleKey(i)), "<absent>") << i;
      EXPECT_EQ(raw(ToolProgramKey(i)), "<absent>") << i;
      EXPECT_EQ(raw(ToolParametersKey(i)), "<absent>") << i;
      EXPECT_EQ(raw(ToolFlagsKey(i)), "<absent>") << i;
    }
  }
}

TEST_F(ToolListTest, RewriteKeepsOtherLanguagesAndOtherSections) {
  m_temp.writeFile("ZEL.INI",
                   "[PREFERENCES]\r\nLANGUAGE=GB\r\n[TOOLS]\r\nTOOL_0_D=Werkzeug\r\n"
                   "TOOL_0_GB=Old\r\nTOOL_1_GB=Older\r\n");
  ASSERT_TRUE(WriteTools(ini(), {Tool("New")}));
  EXPECT_EQ(raw("TOOL_0_D"), "Werkzeug");
  EXPECT_EQ(raw("TOOL_0_GB"), "New");
  EXPECT_EQ(raw("TOOL_1_GB"), "<absent>");
  EXPECT_EQ(platform::ReadProfileString(ini(), "PREFERENCES", "LANGUAGE", ""), "GB");
}

TEST_F(ToolListTest, ValuesAreKeptToTheirSizesAndUntitledToolsLeftOut) {
  const std::string longText(400, 'x');
  ASSERT_TRUE(WriteTools(ini(), {Tool(""), Tool(longText, longText, longText, 1)}));
  const Tools read = ReadTools(ini());
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].title.size(), kToolTitleMax);
  EXPECT_EQ(read[0].program.size(), kToolProgramMax);
  EXPECT_EQ(read[0].parameters.size(), kToolParametersMax);
}

TEST(ToolKeys, RecogniseOnlyTheFourFormsOfOurLanguage) {
  struct Case {
    const char* key;
    bool tool;
  };
  const Case cases[] = {{"TOOL_0_GB", true},   {"call_12_gb", true}, {"PARAM_3_GB", true},
                        {"FLAGS_99_GB", true}, {"TOOL_0_D", false},  {"TOOL__GB", false},
                        {"TOOL_1GB", false},   {"TOOLS", false},     {"FLAGS_x_GB", false},
                        {"CALL_1_GB_", false}};
  for (const Case& c : cases) EXPECT_EQ(IsToolKey(c.key), c.tool) << c.key;
}

TEST(ToolFlags, ReloadOnlyTogetherWithWait) {
  struct Case {
    int flags;
    bool waits, releases, reloads;
  };
  const Case cases[] = {{0, false, false, false}, {1, true, false, false}, {2, false, true, false},
                        {4, false, false, false}, {5, true, false, true},  {7, true, true, true},
                        {6, false, true, false}};
  for (const Case& c : cases) {
    const ToolRecord tool = Tool("t", "p", "", c.flags);
    EXPECT_EQ(tool.waits(), c.waits) << c.flags;
    EXPECT_EQ(tool.releasesPorts(), c.releases) << c.flags;
    EXPECT_EQ(tool.reloadsProject(), c.reloads) << c.flags;
  }
}

TEST(ToolMenu, ShowsAtMostTwentyFive) {
  EXPECT_EQ(MenuToolCount(Tools(0)), 0u);
  EXPECT_EQ(MenuToolCount(Tools(25, Tool("t"))), 25u);
  EXPECT_EQ(MenuToolCount(Tools(26, Tool("t"))), 25u);
}

TEST(ToolMerge, ReplacesTheSameToolInPlaceAndAppendsOthers) {
  const Tools list = {Tool("Edit", "ed", "a", 0), Tool("Term", "/bin/term", "b", 1),
                      Tool("Other", "o", "", 0)};
  struct Case {
    const char* name;
    Tools added;
    Tools expected;
  };
  const std::vector<Case> cases = {
      {"same title, program and flags, other case",
       {Tool("TERM", "/BIN/term", "new", 1)},
       {list[0], Tool("TERM", "/BIN/term", "new", 1), list[2]}},
      {"other flags append",
       {Tool("Term", "/bin/term", "b", 3)},
       {list[0], list[1], list[2], Tool("Term", "/bin/term", "b", 3)}},
      {"other program appends",
       {Tool("Term", "/bin/xterm", "b", 1)},
       {list[0], list[1], list[2], Tool("Term", "/bin/xterm", "b", 1)}},
      {"untitled tool ignored", {Tool("", "x")}, list},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Tools merged = list;
    MergeTools(merged, c.added);
    EXPECT_EQ(merged, c.expected);
    MergeTools(merged, c.added);  // installing twice adds nothing more
    EXPECT_EQ(merged, c.expected);
  }
}

TEST(ToolMerge, RemovesByMatchOrByTitle) {
  const Tools list = {Tool("Term", "t", "", 1), Tool("Edit", "e", "", 0),
                      Tool("term", "other", "", 0)};
  Tools bySame = list;
  EXPECT_EQ(RemoveSameTools(bySame, {Tool("TERM", "T", "x", 1)}), 1u);
  EXPECT_EQ(bySame, (Tools{list[1], list[2]}));
  Tools byTitle = list;
  EXPECT_EQ(RemoveToolsByTitle(byTitle, {Tool("TERM")}), 2u);
  EXPECT_EQ(byTitle, (Tools{list[1]}));
}

TEST_F(ToolListTest, MergeIntoAndRemoveFromTheFile) {
  ASSERT_TRUE(WriteTools(ini(), {Tool("A"), Tool("B")}));
  ASSERT_TRUE(MergeToolsInto(ini(), {Tool("B", "prog", "new"), Tool("C")}));
  EXPECT_EQ(ReadTools(ini()), (Tools{Tool("A"), Tool("B", "prog", "new"), Tool("C")}));
  ASSERT_TRUE(RemoveSameToolsFrom(ini(), {Tool("C")}));
  EXPECT_EQ(ReadTools(ini()), (Tools{Tool("A"), Tool("B", "prog", "new")}));
  EXPECT_EQ(raw(ToolTitleKey(2)), "<absent>");
}

}  // namespace
}  // namespace zel::app
