#include "library/io_configuration.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "library/test_io_module.h"
#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::library {
namespace {

using platform::Answer;

constexpr auto Card = testing::TestModule;

const IoModuleList& Modules() {
  static const IoModuleList list({
      Card("BASE.IOD", "Base", 0, 0, 0, 0, {}),
      Card("DI.IOD", "Digital In", 2, 0, 1, 0, {0x300, 0x301, 0x302}),
      Card("DO.IOD", "Digital Out", 0, 2, 0, 1, {0x300, 0x301, 0x302}),
  });
  return list;
}

// The entry dialog as a test plays it: each call is recorded and answered from a queue
// (nullopt: Cancel).
class ScriptedEditor : public IoEntryEditor {
 public:
  explicit ScriptedEditor(std::deque<std::optional<IoEntry>> answers = {})
      : m_answers(std::move(answers)) {}
  std::optional<IoEntry> edit(const IoEntry& entry, IoField focus) override {
    calls.push_back(FormatIoEntry(entry) + " @" + std::to_string(static_cast<int>(focus)));
    if (m_answers.empty()) return std::nullopt;
    auto answer = m_answers.front();
    m_answers.pop_front();
    return answer;
  }
  std::vector<std::string> calls;

 private:
  std::deque<std::optional<IoEntry>> m_answers;
};

class IoConfigurationTest : public ::testing::Test {
 protected:
  void writeSection(const std::string& lines) {
    dir.writeFile("Project.FW4", "[PROJECT]\r\nTARGET=VM1X\r\nTIMESTAMP=5l\r\n\r\n[VM1X_IO]\r\n" +
                                     lines + "\r\n[MODULES]\r\nSRC_0=CZ0P00V1.awl,1,Main\r\n");
  }
  app::ProjectFile file() const { return app::ProjectFile(dir / "Project.FW4"); }
  std::vector<std::string> stored() const { return config.readRawEntries(); }
  std::vector<std::string> listed() const {
    std::vector<std::string> out;
    for (const auto& e : config.entries()) out.push_back(FormatIoEntry(e));
    return out;
  }

  test::TempDir dir;
  IoConfiguration config{app::ProjectFile(dir / "Project.FW4"), "VM1X", Modules()};
};

TEST_F(IoConfigurationTest, LoadReportsSkipsAndKeeps) {
  writeSection(
      "IO_0=BASE.IOD, 0, 0, 0\r\nIO_1=broken\r\nIO_2=GONE.IOD,4,5,6\r\nIO_3=DI.IOD,0,0,0\r\n"
      "IO_4=DI.IOD,0,0,0\r\nIO_6=DO.IOD,0,0,0\r\n");
  test::ScriptedAnswers answers({Answer::Ok, Answer::Ok, Answer::Ok});
  ScriptedEditor editor({IoEntry{"DI.IOD", 1, 1, 0}});
  ASSERT_TRUE(config.load(editor));
  // IO_5 is missing: the list ends there.
  EXPECT_EQ(listed(), (std::vector<std::string>{"BASE.IOD,0,0,0", "GONE.IOD,4,5,6", "DI.IOD,0,0,0",
                                                "DI.IOD,1,1,0"}));
  EXPECT_EQ(answers.texts(),
            (std::vector<std::string>{
                "Skipping 'broken'\n\nInvalid format of IO entry.",
                "'GONE.IOD,4,5,6'\n\nUnknown IO Module.",
                "'DI.IOD,0,0,0'\n\nIO address collision.\nSelect another switch position.",
            }));
  EXPECT_EQ(editor.calls, (std::vector<std::string>{"DI.IOD,0,0,0 @1"}));
  // Something changed, so the section was rewritten whole, the unknown module with it.
  EXPECT_EQ(stored(), listed());
  EXPECT_EQ(file().read("VM1X_IO", "IO_6"), "");
  EXPECT_NE(file().timestamp(), 5);
  EXPECT_EQ(file().read("MODULES", "SRC_0"), "CZ0P00V1.awl,1,Main");
}

TEST_F(IoConfigurationTest, UnchangedLoadLeavesTheFileAlone) {
  writeSection("IO_0=GONE.IOD, 1, 2, 3\r\nIO_1=DI.IOD,0,0,0\r\n");
  const std::string before = dir.readFile("Project.FW4");
  test::ScriptedAnswers answers;
  ScriptedEditor editor;
  ASSERT_TRUE(config.load(editor));
  EXPECT_EQ(listed(), (std::vector<std::string>{"GONE.IOD,1,2,3", "DI.IOD,0,0,0"}));
  EXPECT_EQ(dir.readFile("Project.FW4"), before);
  // An unknown module also survives the next rewrite of the section.
  config.remove({1});
  EXPECT_EQ(stored(), (std::vector<std::string>{"GONE.IOD,1,2,3"}));
}

TEST_F(IoConfigurationTest, CancelClosesTheWindow) {
  struct Case {
    std::string section;
    std::deque<Answer> answers;
    std::vector<std::string> texts;
  };
  const std::vector<Case> cases = {
      {"IO_0=bad\r\n", {Answer::Cancel}, {"Skipping 'bad'\n\nInvalid format of IO entry."}},
      {"IO_0=DI.IOD,0,0,0\r\nIO_1=DI.IOD,0,0,0\r\n",
       {Answer::Ok, Answer::Cancel},
       {"'DI.IOD,0,0,0'\n\nIO address collision.\nSelect another switch position.",
        "Module  'DI.IOD,0,0,0'  will be deleted!"}},
  };
  for (const auto& c : cases) {
    writeSection(c.section);
    const std::string before = dir.readFile("Project.FW4");
    test::ScriptedAnswers answers(c.answers);
    ScriptedEditor editor;  // cancels
    EXPECT_FALSE(config.load(editor)) << c.section;
    EXPECT_EQ(answers.texts(), c.texts);
    EXPECT_EQ(dir.readFile("Project.FW4"), before);
  }
}

TEST_F(IoConfigurationTest, DroppedCollisionIsRewritten) {
  writeSection("IO_0=DI.IOD,0,0,0\r\nIO_1=DI.IOD,0,0,0\r\nIO_2=DO.IOD,0,0,0\r\n");
  test::ScriptedAnswers answers({Answer::Ok, Answer::Ok});
  ScriptedEditor editor;
  ASSERT_TRUE(config.load(editor));
  EXPECT_EQ(stored(), (std::vector<std::string>{"DI.IOD,0,0,0", "DO.IOD,0,0,0"}));
}

TEST_F(IoConfigurationTest, InsertRepeatsTheDialogUntilNothingCollides) {
  writeSection("IO_0=DI.IOD,0,0,0\r\nIO_1=DO.IOD,0,0,0\r\n");
  test::ScriptedAnswers answers;
  ScriptedEditor loader;
  ASSERT_TRUE(config.load(loader));
  ScriptedEditor editor(
      {IoEntry{"DI.IOD", 1, 0, 0}, IoEntry{"DI.IOD", 1, 0, 0}, IoEntry{"DI.IOD", 1, 1, 0}});
  EXPECT_EQ(config.insert(0, editor), 1u);
  EXPECT_EQ(editor.calls,
            (std::vector<std::string>{"BASE.IOD,0,0,0 @0", "DI.IOD,1,0,0 @2", "DI.IOD,1,0,0 @2"}));
  EXPECT_EQ(answers.texts(), (std::vector<std::string>{"'DI.IOD,0,0,0'\n\nZEL IW collision.",
                                                       "'DI.IOD,0,0,0'\n\nZEL IW collision."}));
  EXPECT_EQ(stored(), (std::vector<std::string>{"DI.IOD,0,0,0", "DI.IOD,1,1,0", "DO.IOD,0,0,0"}));
  // Cancel inserts nothing; with no selection the entry goes last.
  ScriptedEditor cancel;
  EXPECT_FALSE(config.insert(std::nullopt, cancel));
  ScriptedEditor last({IoEntry{"BASE.IOD", 0, 0, 0}});
  EXPECT_EQ(config.insert(std::nullopt, last), 3u);
}

TEST_F(IoConfigurationTest, InsertWithoutScripts) {
  writeSection("");
  const IoModuleList none;
  IoConfiguration empty(file(), "VM1X", none);
  test::ScriptedAnswers answers;
  ScriptedEditor editor;
  EXPECT_FALSE(empty.insert(std::nullopt, editor));
  EXPECT_TRUE(editor.calls.empty());
  EXPECT_EQ(answers.texts(), (std::vector<std::string>{"No IO cards installed!"}));
}

TEST_F(IoConfigurationTest, PropertiesDeleteCopyCutPaste) {
  writeSection("IO_0=DI.IOD,0,0,0\r\nIO_1=DO.IOD,0,0,0\r\nIO_2=BASE.IOD,0,0,0\r\n");
  test::ScriptedAnswers answers;
  ScriptedEditor loader;
  ASSERT_TRUE(config.load(loader));

  ScriptedEditor props({IoEntry{"DO.IOD", 2, 0, 4}});
  EXPECT_TRUE(config.edit(1, props));
  EXPECT_EQ(props.calls, (std::vector<std::string>{"DO.IOD,0,0,0 @0"}));

  EXPECT_EQ(config.copy({1, 0}), "DI.IOD,0,0,0\r\nDO.IOD,2,0,4\r\n");
  config.remove({0, 2});  // Cut: the copy, then delete
  EXPECT_EQ(stored(), (std::vector<std::string>{"DO.IOD,2,0,4"}));

  // Pasted back after the first row: DI fits again, DO collides with itself and is moved.
  ScriptedEditor paste({IoEntry{"DO.IOD", 1, 0, 8}});
  EXPECT_EQ(config.paste(0, paste), (std::vector<std::size_t>{1, 2}));
  EXPECT_EQ(stored(), (std::vector<std::string>{"DO.IOD,2,0,4", "DI.IOD,0,0,0", "DO.IOD,1,0,8"}));
  EXPECT_EQ(answers.texts(),
            (std::vector<std::string>{"'DO.IOD,2,0,4'\n\nIO address collision.\nSelect another "
                                      "switch position."}));
}

TEST_F(IoConfigurationTest, PasteSkipsBadLinesAndStopsOnCancel) {
  writeSection("IO_0=DI.IOD,0,0,0\r\n");
  test::ScriptedAnswers answers;
  ScriptedEditor loader;
  ASSERT_TRUE(config.load(loader));
  config.setPasteBuffer("nonsense\r\n" + std::string(300, 'A') + ",0,0,0\r\nGONE.IOD, 1,2,3\n" +
                        "DI.IOD,0,0,0\r\nBASE.IOD,0,0,0\r\n");
  ScriptedEditor cancel;
  EXPECT_EQ(config.paste(std::nullopt, cancel), (std::vector<std::size_t>{1}));
  EXPECT_EQ(stored(), (std::vector<std::string>{"DI.IOD,0,0,0", "GONE.IOD,1,2,3"}));
  EXPECT_EQ(answers.texts(),
            (std::vector<std::string>{
                "Skipping 'nonsense'\n\nInvalid format of IO entry.",
                "'GONE.IOD, 1,2,3'\n\nUnknown IO Module.",
                "'DI.IOD,0,0,0'\n\nIO address collision.\nSelect another switch position.",
            }));
}

TEST_F(IoConfigurationTest, AddAndReplaceRefuseWithTheDialogsMessages) {
  writeSection("IO_0=DI.IOD,0,0,0\r\n");
  test::ScriptedAnswers answers;
  ScriptedEditor loader;
  ASSERT_TRUE(config.load(loader));
  struct Case {
    IoEntry entry;
    std::optional<std::string> refusal;
  };
  const std::vector<Case> cases = {
      {{"NONE.IOD", 0, 0, 0}, "'NONE.IOD'\n\nUnknown IO Module."},
      {{"DI.IOD", 5, 0, 0}, "Valid switch positions are:\n\n0, 1, 2"},
      {{"DI.IOD", 0, 4, 0},
       "'DI.IOD,0,0,0'\n\nIO address collision.\nSelect another switch position."},
      {{"DI.IOD", 1, 0, 0}, "'DI.IOD,0,0,0'\n\nZEL IW collision."},
      {{"DI.IOD", 1, 1, 0}, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(config.add(c.entry), c.refusal) << FormatIoEntry(c.entry);
  EXPECT_EQ(stored(), (std::vector<std::string>{"DI.IOD,0,0,0", "DI.IOD,1,1,0"}));
  EXPECT_EQ(config.replace(1, {"DI.IOD", 0, 1, 0}),
            "'DI.IOD,0,0,0'\n\nIO address collision.\nSelect another switch position.");
  EXPECT_EQ(config.replace(1, {"DI.IOD", 2, 1, 0}), std::nullopt);
  EXPECT_EQ(config.replace(2, {"DI.IOD", 2, 1, 0}), "No IO entry 2.");
  EXPECT_EQ(stored(), (std::vector<std::string>{"DI.IOD,0,0,0", "DI.IOD,2,1,0"}));
}

}  // namespace
}  // namespace zel::library
