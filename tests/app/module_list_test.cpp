#include <gtest/gtest.h>

#include <algorithm>

#include "app/modules/module_list_filter.h"
#include "app/modules/module_tree.h"

namespace zel::app {
namespace {

using Lines = std::vector<std::string>;

std::vector<ModuleRecord> Modules(const Lines& entries) {
  std::vector<ModuleRecord> modules;
  for (const auto& entry : entries) {
    auto module = ParseModuleEntry(entry);
    EXPECT_TRUE(module) << entry;
    if (module) modules.push_back(*module);
  }
  return modules;
}

Lines FileNames(const std::vector<ModuleRecord>& modules) {
  Lines names;
  for (const auto& module : modules) names.push_back(module.fileName);
  return names;
}

TEST(ModuleTree, PrintOutListsEachGroupSortedWithSelectionMarks) {
  const auto modules = Modules({"CZ0P03V1.awl,1,Third", "CZ0B10V2.awl,1,Valve, left",
                                "cz0p02v1.awl,0,Second", "CZ0P01V1.IMP,1,First"});
  EXPECT_EQ(ProjectTreePrintout(modules),
            "Project Tree\n"
            "\n"
            "Programs\n"
            "\n"
            "  * Program  1 (V1) - First\n"
            "    Program  2 (V1) - Second\n"
            "  * Program  3 (V1) - Third\n"
            "\n"
            "CMPs\n"
            "\n"
            "  * CMP 10 (V2) - Valve, left\n"
            "\n"
            "CFMs\n"
            "\n");
}

TEST(ModuleTree, ChildrenOfAGroupAreItsKindSortedByFileName) {
  const auto modules = Modules(
      {"CZ0F01V1.awl,0,f", "CZ0P10V1.awl,1,ten", "cz0p09v2.kop,0,nine", "CZ0P09V1.IMP,0,lib"});
  const auto children = TreeChildren(modules, ModuleKind::Program);
  ASSERT_EQ(children.size(), 3u);
  EXPECT_EQ(children[0].label, "Program  9 (V1) - lib");
  EXPECT_EQ(children[0].language, Language::Imported);
  EXPECT_EQ(children[1].label, "Program  9 (V2) - nine");
  EXPECT_EQ(children[1].language, Language::Ladder);
  EXPECT_EQ(children[2].fileName, "CZ0P10V1.awl");
  EXPECT_TRUE(children[2].selected);
  EXPECT_TRUE(TreeChildren(modules, ModuleKind::Cmp).empty());
  EXPECT_EQ(GroupKind(TreeItem::Cfms), ModuleKind::Cfm);
  EXPECT_EQ(GroupKind(TreeItem::AllocationList), std::nullopt);
}

struct FilterCase {
  LanguageFilter language;
  TypeFilter type;
  Lines expected;
};

TEST(ModuleListFilter, FiltersByLanguageAndTypeInFileNameOrder) {
  const auto modules = Modules({"CZ0P01V1.awl,0,a", "CZ0P02V1.IMP,0,b", "cz0b03v1.awl,0,c",
                                "CZ0F04V1.kop,0,d", "CZ0F05V1.txt,0,e"});
  const std::vector<FilterCase> cases = {
      {LanguageFilter::All,
       TypeFilter::All,
       {"cz0b03v1.awl", "CZ0F04V1.kop", "CZ0F05V1.txt", "CZ0P01V1.awl", "CZ0P02V1.IMP"}},
      {LanguageFilter::Stl, TypeFilter::All, {"cz0b03v1.awl", "CZ0P01V1.awl"}},
      {LanguageFilter::Imported, TypeFilter::Programs, {"CZ0P02V1.IMP"}},
      {LanguageFilter::Ladder, TypeFilter::Cmps, {}},
      {LanguageFilter::All, TypeFilter::Cfms, {"CZ0F04V1.kop", "CZ0F05V1.txt"}},
      {LanguageFilter::Stl, TypeFilter::Cmps, {"cz0b03v1.awl"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(kLanguageFilterLabels[static_cast<int>(c.language)]) + " / " +
                 std::string(kTypeFilterLabels[static_cast<int>(c.type)]));
    EXPECT_EQ(FileNames(FilterModules(modules, c.language, c.type)), c.expected);
  }
}

TEST(ModuleListFilter, ListsAtMostTheLimitTakingTheFirstByName) {
  std::vector<ModuleRecord> modules;
  for (int version = 4; version >= 1; --version) {
    for (int number = 0; number <= kMaxProgramNumber; ++number) {
      modules.push_back(MakeModule(Language::Stl, ModuleKind::Program, number, version, "p"));
    }
  }
  for (int number = 43; number >= 0; --number) {
    modules.push_back(MakeModule(Language::Stl, ModuleKind::Cmp, number, 1, "b"));
  }
  ASSERT_EQ(modules.size(), 300u);
  const auto listed = FilterModules(modules, LanguageFilter::All, TypeFilter::All);
  ASSERT_EQ(listed.size(), kMaxListedModules);
  EXPECT_TRUE(std::is_sorted(listed.begin(), listed.end(), FileNameLess));
  EXPECT_EQ(listed.front().fileName, "CZ0B00V1.awl");
  EXPECT_EQ(listed.back().fileName, "CZ0P54V4.awl");
}

}  // namespace
}  // namespace zel::app
