#include "app/tools/run_tool.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "project_root_fixture.h"
#include "support/temp_dir.h"

namespace zel::app {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class RecordingHost : public ToolRunHost {
 public:
  bool releasePorts() override {
    calls.push_back("release");
    return releaseWorks;
  }
  void waitBegins(const ToolRecord& tool) override { calls.push_back("wait " + tool.title); }
  void waitEnds() override { calls.push_back("back"); }
  bool releaseWorks = true;
  Strings calls;
};

class CancellingHooks : public ShellHooks {
 public:
  bool saveModifiedDocuments() override { return !cancel; }
  bool cancel = false;
};

class RunToolTest : public testing::ProjectRootTest {
 protected:
  void SetUp() override {
    ProjectRootTest::SetUp();
    makeProject("DEMO");
    m_prefs.emplace(m_root);
    m_session.emplace(m_preferences, m_projects, &m_hooks);
    ASSERT_TRUE(m_session->openProject("DEMO"));
  }
  void TearDown() override {
    m_session.reset();
    ProjectRootTest::TearDown();
  }
  // A shell script in the program directory; the tool runs it without a shell of ours.
  void script(const std::string& name, const std::string& body) {
    m_temp->writeFile(name, "#!/bin/sh\n" + body + "\n");
    fs::permissions(m_root / name, fs::perms::owner_all);
  }
  ToolRunResult run(const std::string& program, const std::string& params, int flags) {
    return RunTool(ToolRecord{"Tool", program, params, flags}, *m_prefs, *m_session, m_host);
  }
  std::string out() const { return m_temp->readFile("out.txt"); }

  CancellingHooks m_hooks;
  std::optional<Preferences> m_prefs;
  std::optional<ProjectSession> m_session;
  RecordingHost m_host;
  ToolRunHost m_plainHost;
};

TEST_F(RunToolTest, WaitingRunPassesExpandedArgumentsAndGivesTheExitCode) {
  script("echo.sh", "for a in \"$@\"; do echo \"[$a]\"; done > out.txt; exit 5");
  const ToolRunResult r =
      run("echo.sh", "\"<<<CURRENTPROJECT>>>\\Project.RUN\" <<<TARGET>>> ';' $HOME", kToolWait);
  EXPECT_EQ(r.status, ToolRunStatus::Finished);
  EXPECT_EQ(r.exitCode, 5);
  EXPECT_EQ(out(),
            "[" + (m_projects / "DEMO" / "Project.RUN").string() + "]\n[VM1X]\n[';']\n[$HOME]\n");
  EXPECT_EQ(m_host.calls, (Strings{"wait Tool", "back"}));
  EXPECT_TRUE(texts().empty());
}

TEST_F(RunToolTest, FlagsDecideWhatHappensAroundTheRun) {
  script("probe.sh", "test -e \"$1/Project._PA\" && echo open > out.txt || echo closed > out.txt");
  const std::string project = (m_projects / "DEMO").string();
  struct Case {
    int flags;
    Strings calls;
    std::string seen;  // what the tool saw of the project's exclusion file
  };
  const std::vector<Case> cases = {
      {kToolWait, {"wait Tool", "back"}, "open\n"},
      {kToolWait | kToolReloadProject, {"wait Tool", "back"}, "closed\n"},
      {kToolWait | kToolReleasePorts, {"release", "wait Tool", "back"}, "open\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    m_host.calls.clear();
    const ToolRunResult r = run("probe.sh", project, c.flags);
    EXPECT_EQ(r.status, ToolRunStatus::Finished);
    EXPECT_EQ(m_host.calls, c.calls);
    EXPECT_EQ(out(), c.seen);
    EXPECT_EQ(m_session->model().name(), "DEMO");  // open again afterwards
  }
}

TEST_F(RunToolTest, ReloadWithoutWaitLeavesTheProjectOpen) {
  script("touch.sh", "echo ran > out.txt");
  const ToolRunResult r = run("touch.sh", "", kToolReloadProject);
  EXPECT_EQ(r.status, ToolRunStatus::Started);
  EXPECT_TRUE(m_session->model().isOpen());
  EXPECT_TRUE(m_host.calls.empty());
}

TEST_F(RunToolTest, RefusalsShowTheirMessage) {
  script("ok.sh", "exit 0");
  struct Case {
    const char* name;
    std::string program, params;
    int flags;
    bool cancelClose, releaseFails;
    std::string message;
    int error;
  };
  const std::vector<Case> cases = {
      {"missing program", "nothing-here", "a", kToolWait, false, false,
       "Cannot execute Command:  \"nothing-here a\", Error " + std::to_string(ENOENT), ENOENT},
      {"close cancelled", "ok.sh", "p", kToolWait | kToolReloadProject, true, false,
       "Cannot execute Command:  \"ok.sh p\", Error 1003", 1003},
      {"token without value", "ok.sh", "<<<NOPE>>>", 0, false, false,
       "Cannot execute Command:  \"ok.sh <<<NOPE>>>\", Error 1004", 1004},
      {"ports not released", "ok.sh", "", kToolReleasePorts, false, true,
       "Failed closing all Online Windows", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_answers->clear();
    m_hooks.cancel = c.cancelClose;
    m_host.releaseWorks = !c.releaseFails;
    const ToolRunResult r = run(c.program, c.params, c.flags);
    EXPECT_EQ(r.status, ToolRunStatus::Refused);
    EXPECT_EQ(r.error, c.error);
    EXPECT_EQ(texts(), Strings{c.message});
    EXPECT_EQ(m_session->model().name(), "DEMO");
  }
}

TEST_F(RunToolTest, ProjectClosedForAToolThatCannotStartIsOpenedAgain) {
  const ToolRunResult r = run("missing-tool", "", kToolWait | kToolReloadProject);
  EXPECT_EQ(r.status, ToolRunStatus::Refused);
  EXPECT_EQ(m_session->model().name(), "DEMO");
}

TEST_F(RunToolTest, MessagesAreDeliveredWhileWaiting) {
  // The tool ends with 7 only when a message posted before the run reached its handler
  // during the wait; it gives up after about ten seconds otherwise.
  script("handshake.sh",
         "i=0; while [ $i -lt 200 ]; do [ -e answered ] && exit 7; sleep 0.05; i=$((i+1)); "
         "done; exit 3");
  const platform::MessageId id = platform::RegisterMessage("ZEL4ToolTestMsg");
  platform::MessageTarget target([&](const platform::Message&) {
    m_temp->writeFile("answered", "");
    return platform::LParam{0};
  });
  ASSERT_TRUE(platform::PostMessageTo(target.id(), id, 0, 0));
  const ToolRunResult r = RunTool(ToolRecord{"T", "handshake.sh", "", kToolWait}, *m_prefs,
                                  *m_session, *static_cast<ToolRunHost*>(&m_plainHost));
  EXPECT_EQ(r.exitCode, 7);
}

}  // namespace
}  // namespace zel::app
