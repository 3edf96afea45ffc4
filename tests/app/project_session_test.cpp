#include "app/project/project_session.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "app/project/exclusion_file.h"
#include "app/project/project_messages.h"
#include "app/shell/message_service.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/timebase.h"
#include "project_root_fixture.h"

namespace zel::app {
namespace {

using platform::Answer;
using platform::Buttons;
using Strings = std::vector<std::string>;

const std::string kOpenElsewhere =
    "Open project failed.\nThe project is already open in another ZEL session..";
const std::string kNotFound = "Project not found in the current project directory.";
const std::string kExists = "A project with the same name already exists.";
const std::string kRenameFailed = "Failed to rename the project directory.";

class LoggingHooks : public ShellHooks {
 public:
  bool saveModifiedDocuments() override {
    calls.push_back("save?");
    return !refuseClose;
  }
  void saveWindows(const ProjectModel& m) override { calls.push_back("windows " + m.name()); }
  void closeAllDocuments() override { calls.push_back("close-all"); }
  void restoreWindows(const ProjectModel& m) override { calls.push_back("restore " + m.name()); }
  void projectChanged(const ProjectModel& m) override { calls.push_back("title " + m.name()); }
  void resetProjectTreePlacement() override { calls.push_back("tree"); }

  bool refuseClose = false;
  Strings calls;
};

class ProjectSessionTest : public testing::ProjectRootTest {
 protected:
  void TearDown() override {
    m_session.reset();
    m_other.reset();
    ProjectRootTest::TearDown();
  }
  ProjectSession& session() {
    if (!m_session)
      m_session = std::make_unique<ProjectSession>(m_preferences, m_projects, &m_hooks);
    return *m_session;
  }
  // A second running program on the same project directory.
  ProjectSession& other() {
    if (!m_other) m_other = std::make_unique<ProjectSession>(m_root / "OTHER.INI", m_projects);
    return *m_other;
  }
  bool exclusionExists(const std::string& name) const {
    return fs::exists(projectDir(name) / "Project._PA");
  }
  Strings names(const std::vector<ProjectListEntry>& list) const {
    Strings out;
    for (const auto& e : list) out.push_back(e.name);
    return out;
  }
  Strings projectNames() const { return namesIn(m_projects); }

  LoggingHooks m_hooks;
  std::unique_ptr<ProjectSession> m_session;
  std::unique_ptr<ProjectSession> m_other;
};

// ---- listing

TEST_F(ProjectSessionTest, ListShowsOnlyDirectoriesWithAProjectFile) {
  makeProject("B1", "RUD", "beta");
  makeProject("a2", "VM1X", "Alpha");
  fs::create_directories(projectDir("EMPTY"));
  writeFile("NOTPROJ/readme.txt");
  writeFile("LOOSE.FW4");
  writeFile("FILEDIR/project.fw4");  // any case of the file name counts
  const auto list = session().listProjects("(all)", ProjectColumn::Name, false);
  EXPECT_EQ(names(list), (Strings{"a2", "B1", "FILEDIR"}));
  EXPECT_EQ(list[0].comment, "Alpha");
  EXPECT_EQ(list[1].target, "RUD");
}

TEST_F(ProjectSessionTest, ListFiltersByTypeAndSortsEitherWay) {
  makeProject("P1", "VM1X", "zulu");
  makeProject("P2", "rud", "alpha");
  makeProject("P3", "RUD2", "Mike");
  makeProject("P4", "vm1x", "bravo");
  EXPECT_EQ(names(session().listProjects("VM1X", ProjectColumn::Name, false)),
            (Strings{"P1", "P4"}));
  EXPECT_EQ(names(session().listProjects("RUD Compact", ProjectColumn::Name, false)),
            (Strings{"P2"}));
  EXPECT_EQ(names(session().listProjects("(all)", ProjectColumn::Comment, false)),
            (Strings{"P2", "P4", "P3", "P1"}));
  EXPECT_EQ(names(session().listProjects("(all)", ProjectColumn::Comment, true)),
            (Strings{"P1", "P3", "P4", "P2"}));
  // By the label shown: "RUD Compact" < "RUD Standard" < "VM1X"; equal labels by name.
  EXPECT_EQ(names(session().listProjects("(all)", ProjectColumn::Type, false)),
            (Strings{"P2", "P3", "P1", "P4"}));
  EXPECT_EQ(names(session().listProjects("(all)", ProjectColumn::Name, true)),
            (Strings{"P4", "P3", "P2", "P1"}));
  EXPECT_EQ(ProjectTypeFilterLabels(),
            (Strings{"(all)", "RUD Compact", "RUD Standard", "VM0X", "VM1X", "VM2X"}));
}

// ---- new

TEST_F(ProjectSessionTest, NewProjectWritesItsFileAndOpensIt) {
  ASSERT_TRUE(session().newProject("NEW1"));
  EXPECT_TRUE(texts().empty());
  EXPECT_EQ(namesIn(projectDir("NEW1")), (Strings{"Project.FW4", "Project._PA", "Project.txt"}));
  EXPECT_EQ(platform::ReadWholeFile(projectDir("NEW1") / "Project.txt"), "");
  EXPECT_EQ(read("NEW1", "PROJECT", "TARGET"), "VM1X");
  EXPECT_EQ(read("NEW1", "PROJECT", "COMMENT"), "No comment");
  EXPECT_EQ(read("NEW1", "PROJECT", "USE_MPRAM_IO"), "0");
  EXPECT_EQ(read("NEW1", "RUD_IO", "IO_0"), "RUD.IOD,0,0,0");
  EXPECT_EQ(read("NEW1", "VM0X_IO", "IO_0"), "VM0X.IOD,0,0,0");
  EXPECT_EQ(platform::ProfileKeys(projectFile("NEW1"), "PROJECT"),
            (Strings{"CREATED", "TARGET", "COMMENT", "USE_MPRAM_IO", "TIMESTAMP"}));
  // The creation text names the time of the project's time stamp, in the locale's words.
  const std::string stamp = read("NEW1", "PROJECT", "TIMESTAMP");
  ASSERT_TRUE(std::regex_match(stamp, std::regex("[0-9]+l"))) << stamp;
  std::string user = platform::UserLoginName().value_or("");
  if (user.empty()) user = "NOBODY";
  EXPECT_EQ(read("NEW1", "PROJECT", "CREATED"),
            "ZEL: " + platform::LocaleDateTime(std::stoll(stamp)) + " by " + user);

  EXPECT_EQ(session().model().name(), "NEW1");
  EXPECT_EQ(m_hooks.calls, (Strings{"restore NEW1", "title NEW1", "tree"}));
  EXPECT_EQ(session().recentProjects(), (Strings{(m_projects / "NEW1").generic_string()}));
}

TEST_F(ProjectSessionTest, NewProjectRefusesBadNames) {
  makeProject("OLD");
  fs::create_directories(projectDir("PLAIN"));
  writeFile("file1");
  const struct {
    std::string name;
    std::string message;
  } cases[] = {
      {"", "Please enter a project name."},
      {"A B", "The  project name must not contain spaces."},
      {"ABCDEFGHI", "The project name must not be longer than 8 characters."},
      {"..", std::string(kMsgProjectNameInvalid)},
      {".", std::string(kMsgProjectNameInvalid)},
      {"../X", std::string(kMsgProjectNameInvalid)},
      {"A\\B", std::string(kMsgProjectNameInvalid)},
      {"A\tB", std::string(kMsgProjectNameInvalid)},
      {"old", kExists},
      {"plain", "A directory with the same name already exists."},
      {"FILE1", "Failed to create project directory."},
  };
  for (const auto& c : cases) {
    m_answers->clear();
    EXPECT_FALSE(session().newProject(c.name)) << c.name;
    EXPECT_EQ(texts(), Strings{c.message}) << c.name;
  }
  EXPECT_EQ(projectNames(), (Strings{"OLD", "PLAIN", "file1"}));
  EXPECT_TRUE(namesIn(m_root).size() == 1) << "nothing created outside the project directory";
  // Eight characters, non-ASCII letters counting once, are fine.
  EXPECT_TRUE(session().newProject("ÄBCDEFGH"));
}

TEST_F(ProjectSessionTest, NewProjectReportsAProjectDirectoryItCannotCreateIn) {
  fs::remove(m_projects);
  ASSERT_TRUE(platform::WriteFileAtomically(m_projects, "not a directory"));
  EXPECT_FALSE(session().newProject("NEW1"));
  EXPECT_EQ(texts(), Strings{"Failed to create project directory."});
}

// ---- open and close

TEST_F(ProjectSessionTest, OpenHoldsTheExclusionFileAndCloseDeletesIt) {
  makeProject("P1");
  makeProject("P2");
  ASSERT_TRUE(session().openProject("p1"));
  EXPECT_EQ(session().model().name(), "P1");
  EXPECT_TRUE(exclusionExists("P1"));
  ASSERT_TRUE(session().openProject("P2"));
  EXPECT_FALSE(exclusionExists("P1"));
  EXPECT_TRUE(exclusionExists("P2"));
  EXPECT_EQ(m_hooks.calls, (Strings{"restore P1", "title P1", "save?", "windows P1", "close-all",
                                    "title ", "restore P2", "title P2"}));
  ASSERT_TRUE(session().closeProject());
  EXPECT_FALSE(session().model().isOpen());
  EXPECT_FALSE(exclusionExists("P2"));
  EXPECT_TRUE(texts().empty());
}

TEST_F(ProjectSessionTest, CancelledCloseKeepsTheOpenProject) {
  makeProject("P1");
  makeProject("P2");
  ASSERT_TRUE(session().openProject("P1"));
  m_hooks.refuseClose = true;
  EXPECT_FALSE(session().openProject("P2"));
  EXPECT_FALSE(session().closeProject());
  EXPECT_EQ(session().model().name(), "P1");
  EXPECT_TRUE(exclusionExists("P1"));
  EXPECT_FALSE(exclusionExists("P2"));
}

TEST_F(ProjectSessionTest, OpenOfNoProjectSaysNotFound) {
  makeProject("P1");
  fs::create_directories(projectDir("EMPTY"));
  for (const std::string name : {"NONE", "EMPTY", "../Projects/P1", ""}) {
    m_answers->clear();
    EXPECT_FALSE(session().openProject(name)) << name;
    EXPECT_EQ(texts(), Strings{kNotFound}) << name;
  }
  EXPECT_FALSE(exclusionExists("EMPTY"));
}

TEST_F(ProjectSessionTest, SecondProgramIsAskedAndAbortLeavesTheFirstAlone) {
  makeProject("P1");
  ASSERT_TRUE(session().openProject("P1"));
  answer(Answer::Retry);
  answer(Answer::Abort);
  EXPECT_FALSE(other().openProject("P1"));
  ASSERT_EQ(shown().size(), 2u);
  for (const auto& request : shown()) {
    EXPECT_EQ(request.text, kOpenElsewhere);
    EXPECT_EQ(request.buttons, Buttons::AbortRetryIgnore);
  }
  EXPECT_FALSE(other().model().isOpen());
  EXPECT_TRUE(exclusionExists("P1"));
}

TEST_F(ProjectSessionTest, SecondProgramIgnoringTheQuestionOpensAnyway) {
  makeProject("P1");
  ASSERT_TRUE(session().openProject("P1"));
  answer(Answer::Ignore);
  EXPECT_TRUE(other().openProject("P1"));
  EXPECT_EQ(texts(), Strings{kOpenElsewhere});
  EXPECT_TRUE(other().model().isOpen());
  EXPECT_TRUE(exclusionExists("P1"));
}

// A program that was killed leaves its file without the lock: the next one takes the
// project over, says so in the message window and asks nothing; a live holder is still
// asked about.
TEST_F(ProjectSessionTest, StaleExclusionFileIsTakenOverWhileALiveOneAsks) {
  struct Case {
    const char* what;
    bool liveHolder;
    Strings asked;
    std::string messages;
  };
  const Case cases[] = {
      {"stale file",
       false,
       {},
       "Project 'P1': the lock left by a program that has ended was "
       "taken over.\r\n"},
      {"live holder", true, {kOpenElsewhere}, ""},
  };
  makeProject("P1");
  for (const Case& c : cases) {
    ClearMessages();
    m_answers->clear();
    if (c.liveHolder) {
      ASSERT_TRUE(other().openProject("P1")) << c.what;
    } else {
      writeFile("P1/project._pa", "old!");
    }
    answer(Answer::Ignore);
    ASSERT_TRUE(session().openProject("P1")) << c.what;
    EXPECT_EQ(texts(), c.asked) << c.what;
    EXPECT_EQ(MessageWindowText(), c.messages) << c.what;
    EXPECT_EQ(namesIn(projectDir("P1")), (Strings{"Project.FW4", "Project._PA"})) << c.what;
    EXPECT_TRUE(IsExclusionFileHeld(projectDir("P1") / "Project._PA")) << c.what;
    session().closeProject();
    if (c.liveHolder) other().closeProject();
    EXPECT_EQ(namesIn(projectDir("P1")), (Strings{"Project.FW4"})) << c.what;
  }
  CloseMessageWindow();
}

TEST_F(ProjectSessionTest, RetryAfterTheOtherProgramClosedOpens) {
  makeProject("P1");
  ASSERT_TRUE(other().openProject("P1"));
  struct ClosingHost : platform::MessageBoxHost {
    ProjectSession* holder;
    int asked = 0;
    Answer show(const platform::MessageBoxRequest&) override {
      holder->closeProject();
      return ++asked < 3 ? Answer::Retry : Answer::Abort;
    }
  };
  auto host = std::make_shared<ClosingHost>();
  host->holder = &other();
  platform::SetMessageBoxHost(host);
  EXPECT_TRUE(session().openProject("P1"));
  EXPECT_EQ(host->asked, 1);
}

// ---- settings

TEST_F(ProjectSessionTest, SettingsWriteCommentAndReopenOnTypeChange) {
  makeProject("P1", "VM1X");
  ASSERT_TRUE(platform::WriteProfileString(projectFile("P1"), "VM1X_SETTINGS", "RUN_MODE", "12"));
  ASSERT_TRUE(session().openProject("P1"));
  m_hooks.calls.clear();
  ASSERT_TRUE(session().applySettings("P1", {"P1", "Line\n2", "RUD Standard"}));
  EXPECT_EQ(read("P1", "PROJECT", "COMMENT"), "Line 2");
  EXPECT_EQ(read("P1", "PROJECT", "TARGET"), "RUD2");
  EXPECT_EQ(read("P1", "VM1X_SETTINGS", "RUN_MODE"), "12");
  EXPECT_EQ(m_hooks.calls, (Strings{"title P1", "save?", "windows P1", "close-all", "title ",
                                    "restore P1", "title P1"}));
  EXPECT_TRUE(session().model().isOpen());
  m_hooks.calls.clear();
  ASSERT_TRUE(session().applySettings("P1", {"P1", "c", "rud2"}));
  EXPECT_EQ(m_hooks.calls, (Strings{"title P1"})) << "same type: no reopen";
  EXPECT_TRUE(texts().empty());
}

TEST_F(ProjectSessionTest, SettingsRefuseEmptyNamesUnknownTypesAndTakenNames) {
  makeProject("P1");
  makeProject("P2");
  const struct {
    ProjectSession::Settings settings;
    std::string message;
  } cases[] = {
      {{"", "c", "VM1X"}, "Please enter a project name."},
      {{"P1", "c", "VM9X"}, "'VM9X'\n\nThis is not a known controller type."},
      {{"p2", "c", "VM1X"}, kExists},
  };
  for (const auto& c : cases) {
    m_answers->clear();
    EXPECT_FALSE(session().applySettings("P1", c.settings));
    EXPECT_EQ(texts(), Strings{c.message});
  }
  EXPECT_EQ(read("P1", "PROJECT", "COMMENT"), "");
}

TEST_F(ProjectSessionTest, SettingsRenameTheOpenProject) {
  makeProject("P1", "VM1X");
  ASSERT_TRUE(session().openProject("P1"));
  ASSERT_TRUE(session().applySettings("P1", {"Q1", "renamed", "VM2X"}));
  EXPECT_EQ(projectNames(), (Strings{"Q1"}));
  EXPECT_EQ(session().model().name(), "Q1");
  EXPECT_EQ(read("Q1", "PROJECT", "COMMENT"), "renamed");
  EXPECT_EQ(read("Q1", "PROJECT", "TARGET"), "VM2X");
  EXPECT_TRUE(exclusionExists("Q1"));
}

// ---- rename

TEST_F(ProjectSessionTest, RenameOfTheOpenProjectOntoAnExistingOneKeepsItOpen) {
  makeProject("P1");
  makeProject("P2");
  ASSERT_TRUE(session().openProject("P1"));
  m_hooks.calls.clear();
  EXPECT_FALSE(session().renameProject("P1", "p2"));
  EXPECT_EQ(texts(), Strings{kExists});
  EXPECT_TRUE(m_hooks.calls.empty());
  EXPECT_EQ(session().model().name(), "P1");
  EXPECT_TRUE(exclusionExists("P1"));
}

TEST_F(ProjectSessionTest, RenameOfTheOpenProjectReopensItUnderTheNewName) {
  makeProject("P1");
  ASSERT_TRUE(session().openProject("P1"));
  ASSERT_TRUE(session().renameProject("p1", "P9"));
  EXPECT_EQ(projectNames(), (Strings{"P9"}));
  EXPECT_EQ(session().model().name(), "P9");
  EXPECT_EQ(session().model().projectFilePath(), projectFile("P9"));
  EXPECT_EQ(namesIn(projectDir("P9")), (Strings{"Project.FW4", "Project._PA"}));
}

TEST_F(ProjectSessionTest, RenameRulesOfTheExplorer) {
  makeProject("P1");
  fs::create_directories(projectDir("TAKEN"));
  EXPECT_TRUE(session().renameProject("P1", "p1"));  // unchanged ignoring case
  EXPECT_TRUE(texts().empty());
  const struct {
    std::string to;
    std::string message;
  } cases[] = {
      {"", "Please enter a project name."},
      {"A B", "The  project name must not contain spaces."},
      {"../P1", std::string(kMsgProjectNameInvalid)},
      {"taken", kRenameFailed},
  };
  for (const auto& c : cases) {
    m_answers->clear();
    EXPECT_FALSE(session().renameProject("P1", c.to)) << c.to;
    EXPECT_EQ(texts(), Strings{c.message}) << c.to;
  }
  EXPECT_EQ(projectNames(), (Strings{"P1", "TAKEN"}));
  EXPECT_TRUE(fs::is_empty(projectDir("TAKEN")));
}

TEST_F(ProjectSessionTest, RenameRefusesAProjectAnotherProgramHasOpen) {
  makeProject("P1");
  ASSERT_TRUE(other().openProject("P1"));
  EXPECT_FALSE(session().renameProject("P1", "P2"));
  EXPECT_EQ(texts(), Strings{kRenameFailed});
  EXPECT_EQ(projectNames(), (Strings{"P1"}));
}

// ---- delete

TEST_F(ProjectSessionTest, DeleteAsksAndLeavesSubdirectories) {
  makeProject("P1");
  writeFile("P1/CZ0P01V1.awl");
  writeFile("P1/Backup/old.zip");
  answer(Answer::No);
  EXPECT_FALSE(session().deleteProject("p1"));
  ASSERT_EQ(shown().size(), 1u);
  EXPECT_EQ(shown()[0].text, "'P1'\n\nDo you really want to delete this project?");
  EXPECT_EQ(shown()[0].buttons, Buttons::YesNo);
  EXPECT_EQ(namesIn(projectDir("P1")), (Strings{"Backup", "CZ0P01V1.awl", "Project.FW4"}));

  answer(Answer::Yes);
  EXPECT_TRUE(session().deleteProject("P1"));
  EXPECT_EQ(namesIn(projectDir("P1")), (Strings{"Backup"}));
  EXPECT_EQ(namesIn(projectDir("P1") / "Backup"), (Strings{"old.zip"}));
  EXPECT_FALSE(session().isProject("P1"));
}

TEST_F(ProjectSessionTest, DeleteOfTheOpenProjectClosesItAndRemovesTheDirectory) {
  makeProject("P1");
  ASSERT_TRUE(session().openProject("P1"));
  answer(Answer::Yes);
  EXPECT_TRUE(session().deleteProject("P1"));
  EXPECT_FALSE(session().model().isOpen());
  EXPECT_TRUE(projectNames().empty());
}

TEST_F(ProjectSessionTest, DeleteCancelledAtCloseKeepsEverything) {
  makeProject("P1");
  ASSERT_TRUE(session().openProject("P1"));
  m_hooks.refuseClose = true;
  answer(Answer::Yes);
  EXPECT_FALSE(session().deleteProject("P1"));
  EXPECT_EQ(namesIn(projectDir("P1")), (Strings{"Project.FW4", "Project._PA"}));
}

TEST_F(ProjectSessionTest, DeleteRefusesAProjectAnotherProgramHasOpen) {
  makeProject("P1");
  writeFile("P1/CZ0P01V1.awl");
  ASSERT_TRUE(other().openProject("P1"));
  answer(Answer::Yes);
  EXPECT_FALSE(session().deleteProject("P1"));
  EXPECT_EQ(texts().back(),
            "'" + (projectDir("P1") / "Project._PA").string() + "'\n\nFailed to delete the file.");
  EXPECT_EQ(namesIn(projectDir("P1")), (Strings{"CZ0P01V1.awl", "Project.FW4", "Project._PA"}));
}

// ---- copy

TEST_F(ProjectSessionTest, CopyCopiesTheFilesButNotSubdirectories) {
  makeProject("P1", "VM1X", "source");
  writeFile("P1/CZ0P01V1.awl", "code");
  writeFile("P1/Backup/old.zip");
  ASSERT_TRUE(session().copyProject("P1", "P2"));
  EXPECT_EQ(namesIn(projectDir("P2")), (Strings{"CZ0P01V1.awl", "Project.FW4"}));
  EXPECT_EQ(platform::ReadWholeFile(projectDir("P2") / "CZ0P01V1.awl"), "code");
  EXPECT_EQ(read("P2", "PROJECT", "COMMENT"), "source");
  EXPECT_FALSE(session().model().isOpen());
  EXPECT_TRUE(texts().empty());
}

TEST_F(ProjectSessionTest, CopyOfTheOpenProjectOpensTheCopy) {
  makeProject("P1");
  ASSERT_TRUE(session().openProject("P1"));
  ASSERT_TRUE(session().copyProject("P1", "P2"));
  EXPECT_EQ(session().model().name(), "P2");
  EXPECT_FALSE(exclusionExists("P1"));
  EXPECT_TRUE(exclusionExists("P2"));
}

TEST_F(ProjectSessionTest, FailedCopyOfTheOpenProjectReopensTheSource) {
  makeProject("P1");
  fs::create_directories(projectDir("p2"));
  ASSERT_TRUE(session().openProject("P1"));
  EXPECT_FALSE(session().copyProject("P1", "P2"));
  EXPECT_EQ(texts(), Strings{"Failed to create project directory."});
  EXPECT_EQ(session().model().name(), "P1");
  EXPECT_TRUE(exclusionExists("P1"));
}

TEST_F(ProjectSessionTest, CopyRefusesTakenAndBadNames) {
  makeProject("P1");
  makeProject("P2");
  EXPECT_FALSE(session().copyProject("P1", "P2"));
  EXPECT_FALSE(session().copyProject("P1", "A B"));
  EXPECT_FALSE(session().copyProject("NONE", "P3"));
  EXPECT_EQ(texts(), (Strings{kExists, "The  project name must not contain spaces.", kNotFound}));
  EXPECT_EQ(projectNames(), (Strings{"P1", "P2"}));
}

TEST_F(ProjectSessionTest, CopySkipsAnotherProgramsExclusionFile) {
  makeProject("P1");
  ASSERT_TRUE(other().openProject("P1"));
  ASSERT_TRUE(session().copyProject("P1", "P2"));
  EXPECT_EQ(namesIn(projectDir("P2")), (Strings{"Project.FW4"}));
}

// ---- recent projects

TEST_F(ProjectSessionTest, RecentListKeepsEightMostRecentFirstWithoutDuplicates) {
  for (int i = 1; i <= 9; ++i) makeProject("P" + std::to_string(i));
  for (int i = 1; i <= 9; ++i) ASSERT_TRUE(session().openProject("P" + std::to_string(i)));
  ASSERT_TRUE(session().openProject("p5"));
  Strings expected;
  for (const char* n : {"P5", "P9", "P8", "P7", "P6", "P4", "P3", "P2"}) {
    expected.push_back((m_projects / n).generic_string());
  }
  EXPECT_EQ(session().recentProjects(), expected);
  EXPECT_EQ(platform::ReadProfileString(m_preferences, "Recent File List", "File1", ""),
            expected[0]);
  EXPECT_EQ(platform::ReadProfileString(m_preferences, "Recent File List", "File8", ""),
            expected[7]);
}

TEST_F(ProjectSessionTest, OpenRecentTakesTheLastComponentInTheCurrentDirectory) {
  makeProject("P1");
  ASSERT_TRUE(platform::WriteProfileString(m_preferences, "Recent File List", "File1",
                                           "C:\\Old\\Projects\\P1"));
  ASSERT_TRUE(session().openRecent(0));
  EXPECT_EQ(session().model().name(), "P1");
  EXPECT_EQ(session().recentProjects(),
            (Strings{(m_projects / "P1").generic_string(), "C:\\Old\\Projects\\P1"}));
  EXPECT_FALSE(session().openRecent(5));
  EXPECT_TRUE(texts().empty());
}

TEST_F(ProjectSessionTest, OpenRecentOfAVanishedProjectRemovesTheEntry) {
  makeProject("P1");
  makeProject("P2");
  ASSERT_TRUE(session().openProject("P2"));
  ASSERT_TRUE(session().openProject("P1"));
  fs::remove_all(projectDir("P2"));
  EXPECT_FALSE(session().openRecent(1));
  EXPECT_EQ(texts(), Strings{kNotFound});
  EXPECT_FALSE(session().model().isOpen()) << "the open project was closed first";
  EXPECT_EQ(session().recentProjects(), (Strings{(m_projects / "P1").generic_string()}));
}

TEST_F(ProjectSessionTest, OpenRecentThatFailsRemovesTheEntry) {
  makeProject("P1");
  ASSERT_TRUE(session().openProject("P1"));
  ASSERT_TRUE(session().closeProject());
  ASSERT_TRUE(other().openProject("P1"));
  answer(Answer::Abort);
  EXPECT_FALSE(session().openRecent(0));
  EXPECT_EQ(texts(), Strings{kOpenElsewhere});
  EXPECT_TRUE(session().recentProjects().empty());
}

}  // namespace
}  // namespace zel::app
