// The "STL Shortcuts" bar: what its buttons ask for, the OTHRW/ELSE switch, and its
// place and width as kept in the preferences.

#include "ui/editor/stl_shortcut_bar.h"

#include <gtest/gtest.h>

#include <QMainWindow>
#include <QScreen>
#include <QTextEdit>
#include <QToolButton>
#include <cstdlib>

#include "stl/editor/insert.h"
#include "ui/widgets/stored_text.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

QToolButton* Button(const StlShortcutBar& bar, const QString& label) {
  for (QToolButton* button : bar.findChildren<QToolButton*>())
    if (button->text() == label) return button;
  return nullptr;
}

QStringList Labels(const StlShortcutBar& bar) {
  QStringList labels;
  for (const QToolButton* button : bar.widget()->findChildren<QToolButton*>()) {
    labels << button->text();
  }
  return labels;
}

// A frame with a central window, shown, and the bar docked as the main frame docks it.
struct Frame {
  Frame() {
    window.setCentralWidget(new QTextEdit(&window));
    window.resize(1000, 700);
    window.show();
    bar = new StlShortcutBar(&window);
    window.addDockWidget(Qt::RightDockWidgetArea, bar);
    ProcessEvents();
  }
  QMainWindow window;
  StlShortcutBar* bar;
};

TEST(StlShortcutBar, EveryKeywordButtonAsksForItsInsertionText) {
  for (const bool useElse : {false, true}) {
    StlShortcutBar bar;
    bar.setElseForOtherwise(useElse);
    QStringList asked;
    QObject::connect(&bar, &StlShortcutBar::insertRequested,
                     [&asked](const QString& text) { asked << text; });
    const auto commands = stl::KeywordInsertions(useElse);
    EXPECT_EQ(Labels(bar).size(), static_cast<qsizetype>(commands.size()) + 2);
    for (const auto& command : commands) {
      QToolButton* button = Button(bar, FromStored(command.label));
      ASSERT_NE(button, nullptr) << command.label;
      button->click();
      ASSERT_FALSE(asked.isEmpty());
      EXPECT_EQ(asked.takeLast(), FromStored(stl::InsertionText(command))) << command.label;
      EXPECT_TRUE(asked.isEmpty());
    }
  }
}

TEST(StlShortcutBar, TheDialogButtonsAskForTheirDialogs) {
  StlShortcutBar bar;
  int moduleCalls = 0;
  int operands = 0;
  QObject::connect(&bar, &StlShortcutBar::moduleCallRequested, [&moduleCalls] { ++moduleCalls; });
  QObject::connect(&bar, &StlShortcutBar::operandRequested, [&operands] { ++operands; });
  Button(bar, "Module Call...")->click();
  EXPECT_EQ(moduleCalls, 1);
  EXPECT_EQ(operands, 0);
  Button(bar, "Operand...")->click();
  EXPECT_EQ(operands, 1);
  EXPECT_EQ(Labels(bar).mid(Labels(bar).size() - 2), QStringList({"Module Call...", "Operand..."}));
}

TEST(StlShortcutBar, TheElseSwitchReplacesTheOtherwiseButtonInItsPlace) {
  StlShortcutBar bar;
  EXPECT_EQ(bar.windowTitle(), "STL Shortcuts");
  EXPECT_EQ(bar.objectName(), "StlShortcutBar");
  const auto labels = [](const QString& otherwise) {
    return QStringList{
        "STEP",      "IF",  "THEN", otherwise, "SET", "RESET",   "LOAD",         "TO",
        "AND",       "OR",  "XOR",  "N",       "CMP", "CFM",     "WITH",         "JMP TO",
        "INC",       "DEC", "SWAP", "SHIFT",   "SHL", "SHR",     "ROL",          "ROR",
        "INV",       "CPL", "BID",  "DEB",     "NOP", "Comment", "Long Comment", "Module Call...",
        "Operand..."};
  };
  EXPECT_EQ(Labels(bar), labels("OTHRW"));
  bar.setCommandsEnabled(false);
  bar.setElseForOtherwise(true);
  const QStringList expected = labels("ELSE");
  EXPECT_EQ(Labels(bar), expected);
  EXPECT_EQ(bar.findChildren<QToolButton*>().size(), expected.size());  // the old ones are gone
  EXPECT_FALSE(Button(bar, "ELSE")->isEnabled());  // still off after the rebuild
  bar.setCommandsEnabled(true);
  EXPECT_TRUE(Button(bar, "ELSE")->isEnabled());
  EXPECT_TRUE(Button(bar, "Module Call...")->isEnabled());
}

TEST(StlShortcutBar, EveryLabelFitsTheDefaultWidth) {
  Frame frame;
  frame.bar->applyState(
      app::StlBarState{true, false, app::kDefaultStlBarWidth, -1, -1, app::kDockRight},
      frame.window);
  ProcessEvents();
  EXPECT_NEAR(frame.bar->width(), static_cast<int>(app::kDefaultStlBarWidth), 4);
  for (const QToolButton* button : frame.bar->widget()->findChildren<QToolButton*>()) {
    EXPECT_GE(button->width(), button->fontMetrics().horizontalAdvance(button->text()))
        << button->text().toStdString();
  }
}

TEST(StlShortcutBar, ItsStateComesBackAsItWasApplied) {
  using app::StlBarState;
  struct Row {
    StlBarState state;
    Qt::DockWidgetArea area;  // where the frame holds it when docked
  };
  const std::vector<Row> rows = {
      {{true, false, 240, -1, -1, app::kDockRight}, Qt::RightDockWidgetArea},
      {{true, false, 200, -1, -1, app::kDockLeft}, Qt::LeftDockWidgetArea},
      // Spans the frame, and keeps its own width for later.
      {{true, false, 210, -1, -1, app::kDockTop}, Qt::TopDockWidgetArea},
      {{true, false, 260, -1, -1, app::kDockBottom}, Qt::BottomDockWidgetArea},
      {{true, true, 250, 300, 200, 0}, Qt::NoDockWidgetArea},
      {{false, false, 220, -1, -1, app::kDockLeft}, Qt::LeftDockWidgetArea},
      {{false, true, 230, 120, 80, 0}, Qt::NoDockWidgetArea},
      {{true, false, 230, -1, -1, app::kDockRight}, Qt::RightDockWidgetArea},
  };
  // One bar taken from place to place, as a user would.
  Frame frame;
  for (const auto& [applied, area] : rows) {
    frame.bar->applyState(applied, frame.window);
    ProcessEvents();
    const StlBarState state = frame.bar->currentState(frame.window);
    const std::string text = app::FormatStlBar(applied);
    EXPECT_EQ(state.visible, applied.visible) << text;
    EXPECT_EQ(state.floating, applied.floating) << text;
    EXPECT_EQ(state.dockSide, applied.dockSide) << text;
    EXPECT_NEAR(state.width, applied.width, 4) << text;
    EXPECT_NEAR(state.left, applied.left, 40) << text;
    EXPECT_NEAR(state.top, applied.top, 40) << text;
    if (area != Qt::NoDockWidgetArea) {
      EXPECT_EQ(frame.window.dockWidgetArea(frame.bar), area) << text;
    }
  }
}

TEST(StlShortcutBar, AnEditedWidthIsKeptWithinTheScreen) {
  Frame frame;
  const int screenWidth = frame.window.screen()->availableGeometry().width();
  for (const unsigned width : {0u, 4294967295u, 1000000u}) {
    for (const bool floating : {true, false}) {
      const app::StlBarState applied{true, floating, width,
                                     100,  100,      floating ? 0 : app::kDockRight};
      frame.bar->applyState(applied, frame.window);
      ProcessEvents();
      const std::string text = app::FormatStlBar(applied);
      EXPECT_GT(frame.bar->width(), 0) << text;
      EXPECT_LE(frame.bar->width(), screenWidth) << text;
      const unsigned kept = frame.bar->currentState(frame.window).width;
      EXPECT_GT(kept, 0u) << text;
      EXPECT_LE(kept, static_cast<unsigned>(screenWidth)) << text;
    }
  }
}

TEST(StlShortcutBar, AClosedBarIsKeptInvisible) {
  Frame frame;
  frame.bar->applyState(app::StlBarState{true, false, 230, -1, -1, app::kDockLeft}, frame.window);
  frame.bar->close();
  ProcessEvents();
  EXPECT_FALSE(frame.bar->currentState(frame.window).visible);
  EXPECT_EQ(frame.bar->currentState(frame.window).dockSide, app::kDockLeft);
}

}  // namespace
}  // namespace zel::ui::testing
