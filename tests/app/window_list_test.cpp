#include "app/shell/window_list.h"

#include <gtest/gtest.h>

#include <set>

#include "app/project/project_model.h"
#include "app/shell/window_registry.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::app {
namespace {

using test::ScriptedAnswers;
using test::TempDir;

class WindowListTest : public ::testing::Test {
 protected:
  WindowListTest() {
    m_dir.writeFile("P/Project.FW4",
                    "[PROJECT]\r\nTARGET=VM1X\r\n[MODULES]\r\n"
                    "SRC_0=CZ0P01V1.awl,1,Main\r\nSRC_1=CZ0B02V1.kop,0,Ladder\r\n"
                    "SRC_2=CZ0F03V1.IMP,0,Imported\r\nSRC_3=CZ0P04V1.txt,0,Odd\r\n"
                    "[WINDOWS]\r\nOld=0,1,-1,-1,-1,-1,0,0,10,10\r\n");
    m_model.open("P", m_dir.path(), ExclusionFile());
  }

  TempDir m_dir;
  ProjectModel m_model;
};

TEST(WindowRegistryTest, ElevenKindsAndEightNamesThatReopen) {
  const auto& registry = WindowRegistry();
  EXPECT_EQ(registry.size(), 11u);
  std::set<std::string_view> names;
  for (const auto& info : registry) {
    EXPECT_FALSE(info.title.empty());
    if (!info.windowName.empty()) names.insert(info.windowName);
  }
  EXPECT_EQ(names, (std::set<std::string_view>{"AllocList", "ProjectTree", "IOConfig", "Drivers",
                                               "OnlineDisplay", "OnlineTerminal",
                                               "OnlineControlPanel", "OnlineFileTransfer"}));
}

TEST_F(WindowListTest, NamesResolveToFixedWindowsOrModuleEditors) {
  struct {
    const char* name;
    std::optional<WindowKind> kind;
    const char* module;
  } const cases[] = {
      {"AllocList", WindowKind::AllocList, ""},
      {"IOConfig", WindowKind::IoConfig, ""},
      {"Drivers", WindowKind::DriverConfig, ""},
      {"ProjectTree", WindowKind::ProjectTree, ""},
      {"OnlineDisplay", WindowKind::OnlineDisplay, ""},
      {"OnlineTerminal", WindowKind::CiTerminal, ""},
      {"OnlineControlPanel", WindowKind::ControlPanel, ""},
      {"OnlineFileTransfer", WindowKind::FileTransfer, ""},
      {"cz0p01v1.AWL", WindowKind::StlEditor, "CZ0P01V1.awl"},
      {"CZ0P01V1", WindowKind::StlEditor, "CZ0P01V1.awl"},
      {"CZ0B02V1.kop", WindowKind::LadderEditor, "CZ0B02V1.kop"},
      {"CZ0F03V1.IMP", std::nullopt, ""},  // imported: no editor
      {"CZ0P04V1.txt", std::nullopt, ""},  // unknown language
      {"CZ0P09V1.awl", std::nullopt, ""},  // not in the project
      {"Message Window", std::nullopt, ""},
  };
  for (const auto& c : cases) {
    const WindowResolution r = ResolveWindowName(c.name, m_model);
    ASSERT_EQ(r.target.has_value(), c.kind.has_value()) << c.name;
    if (!c.kind) {
      EXPECT_EQ(r.failure, "'" + std::string(c.name) + "'\n\nFailed to open this program.");
      continue;
    }
    EXPECT_EQ(r.target->kind, *c.kind) << c.name;
    EXPECT_EQ(r.target->module ? r.target->module->fileName : "", c.module) << c.name;
  }
}

TEST_F(WindowListTest, OpenWindowByNameReportsWhatItCannotOpen) {
  ScriptedAnswers answers;
  int opened = 0;
  const auto open = [&](const WindowTarget&) { return ++opened, true; };
  EXPECT_TRUE(OpenWindowByName("AllocList", m_model, open));
  EXPECT_FALSE(OpenWindowByName("CZ0F03V1.IMP", m_model, open));
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(answers.texts(),
            std::vector<std::string>{"'CZ0F03V1.IMP'\n\nFailed to open this program."});
}

TEST_F(WindowListTest, SavingRewritesTheSectionDocumentsFirstThenFixedWindows) {
  const WindowPlacement p = *ParsePlacement("0,1,-1,-1,-1,-1,5,6,300,400");
  const std::vector<WindowSnapshot> documents = {
      {(m_dir / "P" / "CZ0P01V1.awl").string(), p, true, false},
      {"CZ0B02V1.kop", p, false, true},
  };
  const std::vector<WindowSnapshot> fixed = {
      {"ProjectTree", p}, {"OnlineDisplay", p}, {"Drivers", p}, {"AllocList", p}, {"IOConfig", p},
  };
  ASSERT_TRUE(SaveWindowList(m_model.file(), documents, fixed));
  EXPECT_EQ(m_model.file().keys(kSectionWindows),
            (std::vector<std::string>{"CZ0P01V1.awl", "CZ0B02V1.kop", "AllocList", "IOConfig",
                                      "Drivers", "ProjectTree"}));
  EXPECT_EQ(m_model.file().read(kSectionWindows, "CZ0P01V1.awl"), "2,1,-1,-1,-1,-1,5,6,300,400");
  EXPECT_EQ(m_model.file().read(kSectionWindows, "CZ0B02V1.kop"), "1,1,-1,-1,-1,-1,5,6,300,400");
}

TEST_F(WindowListTest, RestoringOpensInFileOrderAndPlacesOnlyReadablePlacements) {
  m_model.file().removeSection(kSectionWindows);
  m_model.file().write(kSectionWindows, "ProjectTree", "0,1,-1,-1,-1,-1,0,0,250,350");
  m_model.file().write(kSectionWindows, "CZ0P01V1.awl", "");
  m_model.file().write(kSectionWindows, "CZ0F03V1.IMP", "0,1,-1,-1,-1,-1,0,0,250,350");
  m_model.file().write(kSectionWindows, "AllocList", "garbage");

  const auto saved = ReadWindowList(m_model.file());
  ASSERT_EQ(saved.size(), 4u);
  EXPECT_TRUE(saved[0].placement);
  EXPECT_FALSE(saved[1].placement);
  EXPECT_FALSE(saved[3].placement);

  ScriptedAnswers answers;
  std::vector<WindowKind> opened;
  std::vector<WindowKind> placed;
  RestoreWindowList(
      m_model.file(), m_model,
      [&](const WindowTarget& t) { return opened.push_back(t.kind), true; },
      [&](const WindowTarget& t, const WindowPlacement&) { placed.push_back(t.kind); });
  EXPECT_EQ(opened, (std::vector<WindowKind>{WindowKind::ProjectTree, WindowKind::StlEditor,
                                             WindowKind::AllocList}));
  EXPECT_EQ(placed, std::vector<WindowKind>{WindowKind::ProjectTree});
  EXPECT_EQ(answers.texts(),
            std::vector<std::string>{"'CZ0F03V1.IMP'\n\nFailed to open this program."});
}

}  // namespace
}  // namespace zel::app
