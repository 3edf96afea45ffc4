#include "app/modules/module_ops.h"

#include <gtest/gtest.h>

#include "module_test_project.h"
#include "platform/files.h"
#include "platform/timebase.h"

namespace zel::app::testing {
namespace {

using platform::Answer;
using Files = std::vector<std::pair<std::string, std::string>>;
using Lines = std::vector<std::string>;

constexpr const char* kOverwriteQuestion =
    "This program already exists.\nOverwrite the existing program?";

class ModuleOpsTest : public ModuleProjectTest {
 protected:
  void prepare(const Lines& entries, const Files& files) {
    for (const auto& [name, content] : files) writeFile(name, content);
    openProject(entries);
  }
  ModuleOperations ops() { return ModuleOperations(m_model, &m_hooks); }
};

struct InsertCopyCase {
  const char* what;
  Lines entries;
  Files files;
  std::string expectedContent;
  Lines expectedCalls;
};

TEST_F(ModuleOpsTest, InsertStartsFromNearestEarlierVersionOfSameLanguage) {
  const std::vector<InsertCopyCase> cases = {
      {"V1 and V2 exist",
       {"CZ0P05V1.awl,0,one", "CZ0P05V2.awl,0,two"},
       {{"CZ0P05V1.awl", "first"}, {"CZ0P05V2.awl", "second"}},
       "second",
       {"save CZ0P05V2.awl", "changed", "open CZ0P05V3.awl"}},
      {"only V1 exists",
       {"CZ0P05V1.awl,0,one"},
       {{"CZ0P05V1.awl", "first"}},
       "first",
       {"save CZ0P05V1.awl", "changed", "open CZ0P05V3.awl"}},
      {"V2 recorded but its source is gone",
       {"CZ0P05V1.awl,0,one", "CZ0P05V2.awl,0,two"},
       {{"CZ0P05V1.awl", "first"}},
       "first",
       {"save CZ0P05V1.awl", "changed", "open CZ0P05V3.awl"}},
      {"earlier source spelt in another case",
       {"CZ0P05V2.awl,0,two"},
       {{"cz0p05v2.AWL", "lower"}},
       "lower",
       {"save CZ0P05V2.awl", "changed", "open CZ0P05V3.awl"}},
      {"only other kinds, numbers and languages",
       {"CZ0B05V2.awl,0,b", "CZ0P06V2.awl,0,p", "CZ0P05V2.IMP,0,imp"},
       {{"CZ0B05V2.awl", "cmp"}, {"CZ0P06V2.awl", "six"}, {"CZ0P05V2.IMP", "imp"}},
       "",
       {"changed", "open CZ0P05V3.awl"}},
      {"a later version only",
       {"CZ0P05V4.awl,0,four"},
       {{"CZ0P05V4.awl", "4"}},
       "",
       {"changed", "open CZ0P05V3.awl"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TearDown();
    SetUp();
    m_hooks.calls.clear();
    prepare(c.entries, c.files);
    const auto result = ops().insertModule({ModuleKind::Program, 5, 3, "new"});
    EXPECT_EQ(result.outcome, ModuleEditOutcome::Done);
    EXPECT_EQ(result.module ? result.module->fileName : "<none>", "CZ0P05V3.awl");
    EXPECT_EQ(readFile("CZ0P05V3.awl"), c.expectedContent);
    Lines expectedEntries = c.entries;
    expectedEntries.push_back("CZ0P05V3.awl,0,new");
    EXPECT_EQ(storedEntries(), expectedEntries);
    EXPECT_EQ(m_hooks.calls, c.expectedCalls);
    EXPECT_TRUE(texts().empty());
  }
}

TEST_F(ModuleOpsTest, InsertReusesALeftOverSourceFileAndSaysSo) {
  prepare({}, {{"cz0p05v1.awl", "kept"}});
  const auto result = ops().insertModule({ModuleKind::Program, 5, 1, "again"});
  EXPECT_EQ(result.outcome, ModuleEditOutcome::Done);
  EXPECT_EQ(texts(), Lines{(m_dir / "cz0p05v1.awl").string() +
                           "'\n\nThe file already exists and will be used for the new program."});
  EXPECT_EQ(moduleFiles(), Lines{"cz0p05v1.awl"});
  EXPECT_EQ(readFile("cz0p05v1.awl"), "kept");
  EXPECT_EQ(storedEntries(), Lines{"CZ0P05V1.awl,0,again"});
}

struct EntryCheckCase {
  ModuleEntry entry;
  std::string refusal;  // empty: accepted
};

TEST_F(ModuleOpsTest, InsertChecksNumberVersionAndCommentLength) {
  const std::vector<EntryCheckCase> cases = {
      {{ModuleKind::Program, 64, 1, "c"}, "Please enter an integer between 0 and 63."},
      {{ModuleKind::Program, -1, 1, "c"}, "Please enter an integer between 0 and 63."},
      {{ModuleKind::Program, 63, 1, "c"}, ""},
      {{ModuleKind::Cmp, 99, 1, "c"}, ""},
      {{ModuleKind::Cfm, 100, 1, "c"}, "Please enter an integer between 0 and 99."},
      {{ModuleKind::Cfm, 0, 9, "c"}, ""},
      {{ModuleKind::Program, 1, 0, "c"}, "Please enter an integer between 1 and 9."},
      {{ModuleKind::Cmp, 1, 10, "c"}, "Please enter an integer between 1 and 9."},
      {{ModuleKind::Program, 2, 1, std::string(255, 'c')}, ""},
      {{ModuleKind::Program, 3, 1, std::string(256, 'c')},
       "Please enter no more than 255 characters."},
  };
  openProject({});
  std::size_t added = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.entry.number) + " V" + std::to_string(c.entry.version));
    m_answers->clear();
    const auto result = ops().insertModule(c.entry);
    if (c.refusal.empty()) {
      EXPECT_EQ(result.outcome, ModuleEditOutcome::Done);
      EXPECT_TRUE(texts().empty());
      ++added;
    } else {
      EXPECT_EQ(result.outcome, ModuleEditOutcome::Refused);
      EXPECT_TRUE(result.keepDialogOpen());
      EXPECT_EQ(texts(), Lines{c.refusal});
    }
    EXPECT_EQ(m_model.modules().size(), added);
    EXPECT_EQ(moduleFiles().size(), added);
  }
}

TEST_F(ModuleOpsTest, InsertOverAnExistingIdentityAsksFirst) {
  const Lines entries = {"CZ0P05V1.IMP,1,lib"};
  const Files files = {{"CZ0P05V1.IMP", "[Import]"},
                       {"CZ0P05V1.VM1X.OBJ", "obj"},
                       {"CZ0P05V1.MFU", "mfu"},
                       {"CZ0P05V1.LOG", "log"}};
  prepare(entries, files);

  answer(Answer::No);
  auto result = ops().insertModule({ModuleKind::Program, 5, 1, "new"});
  EXPECT_EQ(result.outcome, ModuleEditOutcome::Declined);
  EXPECT_TRUE(result.keepDialogOpen());
  EXPECT_EQ(texts(), Lines{kOverwriteQuestion});
  EXPECT_EQ(moduleFiles(),
            (Lines{"CZ0P05V1.IMP", "CZ0P05V1.LOG", "CZ0P05V1.MFU", "CZ0P05V1.VM1X.OBJ"}));
  EXPECT_EQ(storedEntries(), entries);
  EXPECT_TRUE(m_hooks.calls.empty());

  answer(Answer::Yes);
  result = ops().insertModule({ModuleKind::Program, 5, 1, "new"});
  EXPECT_EQ(result.outcome, ModuleEditOutcome::Done);
  EXPECT_EQ(moduleFiles(), Lines{"CZ0P05V1.awl"});
  EXPECT_EQ(readFile("CZ0P05V1.awl"), "");
  EXPECT_EQ(storedEntries(), Lines{"CZ0P05V1.awl,0,new"});
  EXPECT_EQ(m_hooks.calls,
            (Lines{"close CZ0P05V1.IMP", "changed", "changed", "open CZ0P05V1.awl"}));
}

TEST_F(ModuleOpsTest, FailedCopyReportsAndDropsTheNewModule) {
  prepare({"CZ0P05V1.awl,0,one"}, {});
  ASSERT_TRUE(fs::create_directory(m_dir / "CZ0P05V1.awl"));  // a source that cannot be read
  const auto result = ops().insertModule({ModuleKind::Program, 5, 2, "new"});
  EXPECT_EQ(result.outcome, ModuleEditOutcome::Failed);
  EXPECT_FALSE(result.keepDialogOpen());
  EXPECT_EQ(texts(), Lines{"Program  5 (V2)'\n\nFailed to copy the file."});
  EXPECT_EQ(m_model.modules().size(), 1u);
  EXPECT_EQ(storedEntries(), Lines{"CZ0P05V1.awl,0,one"});
  EXPECT_FALSE(hasFile("CZ0P05V2.awl"));
}

TEST_F(ModuleOpsTest, NewVersionRenamesTheWholeFileSetAndKeepsPosition) {
  prepare({"CZ0P01V1.awl,1,first", "CZ0B03V1.awl,0,cmp"}, {{"CZ0P01V1.awl", "src"},
                                                           {"CZ0P01V1.LOG", "log"},
                                                           {"cz0p01v1.xref", "xref"},
                                                           {"CZ0P01V1.BAK", "bak"},
                                                           {"CZ0P01V1.MFU", "mfu"},
                                                           {"CZ0P01V1.VM1X.OBJ", "vm1x"},
                                                           {"CZ0P01V1.rud.obj", "rud"},
                                                           {"CZ0P01V2.VM2X.OBJ", "stale"},
                                                           {"CZ0B03V1.awl", "cmp"}});
  const auto result = ops().applyProperties("CZ0P01V1.awl", {ModuleKind::Program, 1, 2, "renamed"});
  EXPECT_EQ(result.outcome, ModuleEditOutcome::Done);
  EXPECT_TRUE(texts().empty());
  EXPECT_EQ(moduleFiles(),
            (Lines{"CZ0B03V1.awl", "CZ0P01V2.BAK", "CZ0P01V2.LOG", "CZ0P01V2.MFU",
                   "CZ0P01V2.RUD.OBJ", "CZ0P01V2.VM1X.OBJ", "CZ0P01V2.XREF", "CZ0P01V2.awl"}));
  const Files moved = {{"CZ0P01V2.awl", "src"},    {"CZ0P01V2.LOG", "log"},
                       {"CZ0P01V2.XREF", "xref"},  {"CZ0P01V2.BAK", "bak"},
                       {"CZ0P01V2.MFU", "mfu"},    {"CZ0P01V2.VM1X.OBJ", "vm1x"},
                       {"CZ0P01V2.RUD.OBJ", "rud"}};
  for (const auto& [name, content] : moved) EXPECT_EQ(readFile(name), content) << name;
  EXPECT_EQ(storedEntries(), (Lines{"CZ0P01V2.awl,1,renamed", "CZ0B03V1.awl,0,cmp"}));
  EXPECT_EQ(m_hooks.calls, (Lines{"changed", "renamed CZ0P01V1.awl CZ0P01V2.awl"}));
}

TEST_F(ModuleOpsTest, RenameOntoAnotherModuleDeletesItOnlyAfterYes) {
  const Lines entries = {"CZ0P01V1.awl,0,one", "CZ0P01V2.awl,1,two"};
  prepare(entries, {{"CZ0P01V1.awl", "one"}, {"CZ0P01V2.awl", "two"}, {"CZ0P01V2.LOG", "log2"}});
  const ModuleEntry entry{ModuleKind::Program, 1, 2, "renamed"};

  answer(Answer::No);
  auto result = ops().applyProperties("CZ0P01V1.awl", entry);
  EXPECT_EQ(result.outcome, ModuleEditOutcome::Declined);
  EXPECT_EQ(texts(), Lines{kOverwriteQuestion});
  EXPECT_EQ(moduleFiles(), (Lines{"CZ0P01V1.awl", "CZ0P01V2.LOG", "CZ0P01V2.awl"}));
  EXPECT_EQ(readFile("CZ0P01V2.awl"), "two");
  EXPECT_EQ(storedEntries(), entries);
  EXPECT_TRUE(m_hooks.calls.empty());

  answer(Answer::Yes);
  result = ops().applyProperties("CZ0P01V1.awl", entry);
  EXPECT_EQ(result.outcome, ModuleEditOutcome::Done);
  EXPECT_EQ(moduleFiles(), Lines{"CZ0P01V2.awl"});
  EXPECT_EQ(readFile("CZ0P01V2.awl"), "one");
  EXPECT_EQ(storedEntries(), Lines{"CZ0P01V2.awl,0,renamed"});
  EXPECT_EQ(m_hooks.calls, (Lines{"close CZ0P01V2.awl", "changed", "changed",
                                  "renamed CZ0P01V1.awl CZ0P01V2.awl"}));
}

TEST_F(ModuleOpsTest, UnchangedIdentityTakesOnlyTheComment) {
  prepare({"CZ0P01V1.awl,1,old"}, {{"CZ0P01V1.awl", "src"}});
  const auto result =
      ops().applyProperties("CZ0P01V1", {ModuleKind::Program, 1, 1, "two\r\nlines"});
  EXPECT_EQ(result.outcome, ModuleEditOutcome::Done);
  EXPECT_EQ(storedEntries(), Lines{"CZ0P01V1.awl,1,two  lines"});
  EXPECT_EQ(moduleFiles(), Lines{"CZ0P01V1.awl"});
  EXPECT_EQ(m_hooks.calls, Lines{"changed"});
}

TEST_F(ModuleOpsTest, RenameDoesNotReplaceAStrayFileOfTheNewName) {
  const Lines entries = {"CZ0P01V1.awl,0,one"};
  prepare(entries, {{"CZ0P01V1.awl", "one"}, {"CZ0P01V1.LOG", "log"}, {"cz0p01v2.awl", "stray"}});
  const auto result = ops().applyProperties("CZ0P01V1.awl", {ModuleKind::Program, 1, 2, "x"});
  EXPECT_EQ(result.outcome, ModuleEditOutcome::Failed);
  EXPECT_EQ(texts(), Lines{"'" + (m_dir / "cz0p01v2.awl").string() +
                           "'\n\nThe file already exists. The program was not renamed."});
  EXPECT_EQ(moduleFiles(), (Lines{"CZ0P01V1.LOG", "CZ0P01V1.awl", "cz0p01v2.awl"}));
  EXPECT_EQ(readFile("cz0p01v2.awl"), "stray");
  EXPECT_EQ(storedEntries(), entries);
  EXPECT_EQ(m_model.modules().front().fileName, "CZ0P01V1.awl");
}

TEST_F(ModuleOpsTest, PropertiesRefuseAnOutOfRangeNumber) {
  prepare({"CZ0P01V1.awl,0,one"}, {{"CZ0P01V1.awl", "one"}});
  const auto result = ops().applyProperties("CZ0P01V1.awl", {ModuleKind::Program, 64, 1, "x"});
  EXPECT_EQ(result.outcome, ModuleEditOutcome::Refused);
  EXPECT_EQ(texts(), Lines{"Please enter an integer between 0 and 63."});
  EXPECT_EQ(moduleFiles(), Lines{"CZ0P01V1.awl"});
}

TEST_F(ModuleOpsTest, ToggleChangesTimestampButSelectDialogDoesNot) {
  prepare({"CZ0P01V1.awl,0,a", "CZ0P02V1.awl,1,b"}, {});
  const std::int64_t before = platform::Now();
  EXPECT_TRUE(ops().toggleDownloadSelection("CZ0P01V1.awl"));
  EXPECT_EQ(storedEntries(), (Lines{"CZ0P01V1.awl,1,a", "CZ0P02V1.awl,1,b"}));
  const auto stamp = m_model.file().timestamp();
  ASSERT_TRUE(stamp);
  EXPECT_GE(*stamp, before);
  EXPECT_LE(*stamp, platform::Now());

  m_model.file().write("PROJECT", "TIMESTAMP", "7l");
  ops().applyDownloadSelection({{"CZ0P01V1.awl", false}, {"CZ0P02V1.awl", false}});
  EXPECT_EQ(storedEntries(), (Lines{"CZ0P01V1.awl,0,a", "CZ0P02V1.awl,0,b"}));
  EXPECT_EQ(projectValue("TIMESTAMP"), "7l");
  EXPECT_FALSE(ops().toggleDownloadSelection("CZ0P09V1.awl"));
}

TEST_F(ModuleOpsTest, DeleteAsksThenRemovesTheWholeFileSetInAnyCase) {
  const Lines entries = {"CZ0P01V1.awl,1,a", "CZ0P02V1.awl,0,b"};
  prepare(entries, {{"CZ0P01V1.awl", "src"},
                    {"cz0p01v1.bak", "bak"},
                    {"CZ0P01V1.Xref", "xref"},
                    {"CZ0P01V1.LOG", "log"},
                    {"cz0p01v1.log", "log too"},
                    {"CZ0P01V1.MFU", "mfu"},
                    {"CZ0P01V1.VM1X.OBJ", "o"},
                    {"cz0p01v1.vm2x.obj", "o"},
                    {"CZ0P01V1.RUD.OBJ", "o"},
                    {"CZ0P01V1.Rud2.obj", "o"},
                    {"CZ0P01V1.VM0X.OBJ", "o"},
                    {"CZ0P01V2.awl", "not in project"},
                    {"CZ0P02V1.awl", "other"}});
  const std::size_t filesBefore = moduleFiles().size();

  answer(Answer::No);
  EXPECT_FALSE(ops().deleteModule("CZ0P01V1.awl"));
  EXPECT_EQ(texts(), Lines{"'Program  1 (V1)'\nDo you really want to delete the program?"});
  EXPECT_EQ(moduleFiles().size(), filesBefore);
  EXPECT_EQ(storedEntries(), entries);

  answer(Answer::Yes);
  EXPECT_TRUE(ops().deleteModule("CZ0P01V1.awl"));
  EXPECT_EQ(moduleFiles(), (Lines{"CZ0P01V2.awl", "CZ0P02V1.awl"}));
  EXPECT_EQ(storedEntries(), Lines{"CZ0P02V1.awl,0,b"});
  EXPECT_EQ(m_model.modules().size(), 1u);
  EXPECT_EQ(m_hooks.calls, (Lines{"close CZ0P01V1.awl", "changed"}));
}

TEST_F(ModuleOpsTest, ImportedModulesAreNotOpened) {
  prepare({"CZ0B01V1.IMP,1,lib", "CZ0P01V1.awl,0,src"}, {});
  EXPECT_FALSE(ops().openModule("CZ0B01V1.IMP"));
  EXPECT_EQ(texts(), Lines{"Sorry, imported (i.e. compiled) modules cannot be opened."});
  EXPECT_TRUE(ops().openModule("cz0p01v1"));
  EXPECT_EQ(m_hooks.calls, Lines{"open CZ0P01V1.awl"});
}

TEST_F(ModuleOpsTest, OperationsWorkWithoutHooks) {
  prepare({"CZ0P01V1.awl,0,a"}, {{"CZ0P01V1.awl", "a"}});
  ModuleOperations bare(m_model, nullptr);
  EXPECT_EQ(bare.insertModule({ModuleKind::Cfm, 7, 1, "f"}).outcome, ModuleEditOutcome::Done);
  answer(Answer::Yes);
  EXPECT_TRUE(bare.deleteModule("CZ0P01V1.awl"));
  EXPECT_EQ(moduleFiles(), Lines{"CZ0F07V1.awl"});
}

}  // namespace
}  // namespace zel::app::testing
