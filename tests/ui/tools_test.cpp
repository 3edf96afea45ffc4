// External tools in the windows: the Tools and External Tool dialogs, the Extras menu's
// entries, and a run the program waits for.

#include <gtest/gtest.h>

#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <fstream>

#include "app/tools/tool_record.h"
#include "ui/tools/frame_tool_host.h"
#include "ui/tools/tools_dialog.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

using Tools = std::vector<app::ToolRecord>;
using platform::Answer;

app::ToolRecord Tool(std::string title, std::string program = "p", int flags = 0) {
  return {std::move(title), std::move(program), "", flags};
}

QStringList Titles(const std::vector<QAction*>& actions) {
  QStringList titles;
  for (const QAction* action : actions) titles << action->text();
  return titles;
}

QMenu* ExtrasMenu(MainFrame& frame) {
  for (QAction* action : frame.menuBar()->actions()) {
    if (action->text() == "E&xtras") return action->menu();
  }
  return nullptr;
}

void ShowMenu(MainFrame& frame) {
  QMenu* extras = ExtrasMenu(frame);
  ASSERT_NE(extras, nullptr);
  emit extras->aboutToShow();
}

TEST(ToolsDialog, AddMoveRemoveAndExecute) {
  test::ScriptedAnswers answers;
  std::vector<std::string> ran;
  ToolsDialog dialog({Tool("A"), Tool("B")}, {},
                     [&](const app::ToolRecord& tool) { ran.push_back(tool.title); });
  dialog.setEditHook([](ExternalToolDialog& edit) {
    edit.titleField()->setText("C");
    edit.programField()->setText("/bin/c");
    edit.parametersField()->setText("\"a b\"");
    EXPECT_FALSE(edit.reloadProjectBox()->isEnabled());
    edit.waitBox()->setChecked(true);
    EXPECT_TRUE(edit.reloadProjectBox()->isEnabled());
    edit.reloadProjectBox()->setChecked(true);
  });
  WhenModal([](QWidget& modal) { static_cast<QDialog&>(modal).accept(); });
  dialog.addButton()->click();
  EXPECT_EQ(dialog.tools(), (Tools{Tool("A"), Tool("B"), {"C", "/bin/c", "\"a b\"", 5}}));
  EXPECT_EQ(dialog.list()->currentRow(), 2);
  EXPECT_FALSE(dialog.downButton()->isEnabled());

  dialog.upButton()->click();
  EXPECT_EQ(dialog.list()->item(1)->text(), "C");
  dialog.list()->setCurrentRow(0);
  EXPECT_FALSE(dialog.upButton()->isEnabled());
  dialog.executeButton()->click();
  EXPECT_EQ(ran, std::vector<std::string>{"A"});

  answers.push(Answer::No);
  dialog.removeButton()->click();
  EXPECT_EQ(dialog.tools().size(), 3u);
  answers.push(Answer::Yes);
  dialog.removeButton()->click();
  EXPECT_EQ(dialog.tools(), (Tools{{"C", "/bin/c", "\"a b\"", 5}, Tool("B")}));
  EXPECT_EQ(answers.texts(), std::vector<std::string>(2, "Do you really want to delete the tool?"));
}

TEST(ToolsDialog, ATitleIsRequiredAndCancelKeepsTheTool) {
  test::ScriptedAnswers answers;
  ToolsDialog dialog({Tool("A", "a", 3)}, {}, nullptr);
  EXPECT_FALSE(dialog.executeButton()->isEnabled());
  bool stayedOpen = false;
  dialog.setEditHook([](ExternalToolDialog& edit) { edit.titleField()->setText("   "); });
  WhenModal([&](QWidget& modal) {
    auto& edit = static_cast<ExternalToolDialog&>(modal);
    edit.accept();
    stayedOpen = edit.isVisible();
    edit.reject();
  });
  dialog.propertiesButton()->click();
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(answers.texts(), std::vector<std::string>{"Please enter a menu title."});
  EXPECT_EQ(dialog.tools(), Tools{Tool("A", "a", 3)});
}

TEST(ExternalToolDialog, BrowseStartsWhereTheTokensPoint) {
  app::TokenValues tokens;
  tokens.programDirectory = "/opt/zel";
  tokens.type = "VM1X";
  ExternalToolDialog dialog(Tool("T", "<<<RUNTIMEDIR>>>/term"), tokens);
  QString start;
  dialog.setChooser([&](const QString& from) {
    start = from;
    return QString("/usr/bin/chosen");
  });
  dialog.browseButton()->click();
  EXPECT_EQ(start, "/opt/zel/RUNTIME.VM1X/term");
  EXPECT_EQ(dialog.tool().program, "/usr/bin/chosen");
}

TEST(ToolsMenu, ShowsAtMostTwentyFiveToolsOrOneDisabledEntry) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ShowMenu(ws.frame());
  ASSERT_EQ(Titles(ws.frame().toolActions()), QStringList{"Convert panel screens"});
  ASSERT_TRUE(app::WriteTools(ws.iniFile(), {}));
  ShowMenu(ws.frame());
  ASSERT_EQ(Titles(ws.frame().toolActions()), QStringList{"(External Tools)"});
  EXPECT_FALSE(ws.frame().toolActions().front()->isEnabled());
  Tools tools;
  QStringList expected;
  for (int i = 0; i < 26; ++i) {
    tools.push_back(Tool("Tool " + std::to_string(i)));
    if (i < 25) expected << QString("Tool %1").arg(i);
  }
  ASSERT_TRUE(app::WriteTools(ws.iniFile(), tools));
  ShowMenu(ws.frame());
  EXPECT_EQ(Titles(ws.frame().toolActions()), expected);
}

TEST(ToolsMenu, ConfigureToolsRewritesTheSectionWithoutTheRemovedLastTool) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ASSERT_TRUE(app::WriteTools(ws.iniFile(), {Tool("First"), Tool("Last")}));
  WhenModal([&ws](QWidget& modal) {
    auto& dialog = static_cast<ToolsDialog&>(modal);
    dialog.list()->setCurrentRow(1);
    ws.answers().push(Answer::Yes);
    dialog.removeButton()->click();
    dialog.accept();
  });
  ws.frame().actions().configureTools->trigger();
  EXPECT_EQ(app::ReadTools(ws.iniFile()), Tools{Tool("First")});
  EXPECT_EQ(platform::ReadProfileString(ws.iniFile(), "TOOLS", "TOOL_1_GB", "<absent>"),
            "<absent>");
  EXPECT_EQ(Titles(ws.frame().toolActions()), QStringList{"First"});
}

TEST(ToolsMenu, AWaitingRunStepsAsideAndComesBackWithTheProject) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  // The tool records whether the project was open and waits (at most ten seconds) for the
  // program to answer while it runs: only a live event loop creates "answered".
  const fs::path script = ws.dir() / "tool.sh";
  {
    std::FILE* f = std::fopen(script.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fputs(
        "#!/bin/sh\n"
        "test -e Projects/DEMO/Project._PA && echo open > seen || echo closed > seen\n"
        "i=0; while [ $i -lt 200 ]; do [ -e answered ] && exit 0; sleep 0.05; i=$((i+1)); "
        "done; exit 3\n",
        f);
    std::fclose(f);
  }
  fs::permissions(script, fs::perms::owner_all);
  ASSERT_TRUE(app::WriteTools(
      ws.iniFile(), {Tool("Probe", "tool.sh", app::kToolWait | app::kToolReloadProject)}));
  ShowMenu(ws.frame());
  ASSERT_EQ(ws.frame().toolActions().size(), 1u);

  MainFrame& frame = ws.frame();
  bool enabledMeanwhile = true;
  bool minimisedMeanwhile = false;
  QString statusMeanwhile;
  QTimer probe;
  probe.setInterval(20);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    if (!frame.waitingForTool() || fs::exists(ws.dir() / "answered")) return;
    enabledMeanwhile = frame.isEnabled();
    minimisedMeanwhile = frame.isMinimized();
    statusMeanwhile = frame.statusBar()->currentMessage();
    std::ofstream(ws.dir() / "answered").put('\n');
  });
  probe.start();
  frame.toolActions().front()->trigger();
  probe.stop();

  EXPECT_TRUE(ws.answers().texts().empty());
  EXPECT_EQ(test::ReadFile(ws.dir() / "seen"), "closed\n");
  EXPECT_TRUE(fs::exists(ws.dir() / "answered"));
  EXPECT_FALSE(enabledMeanwhile);
  EXPECT_TRUE(minimisedMeanwhile);
  EXPECT_EQ(statusMeanwhile, "Waiting for 'Probe' to end...");
  EXPECT_TRUE(frame.isEnabled());
  EXPECT_FALSE(frame.isMinimized());
  EXPECT_FALSE(frame.waitingForTool());
  EXPECT_EQ(frame.session()->model().name(), "DEMO");
}

}  // namespace
}  // namespace zel::ui::testing
