// Every window where the user can see it: child windows inside the work area when they
// open and when they are restored, the message window's own place, Close All, and the
// shortcut bar on the screen above its frame.

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTreeView>
#include <QWindow>

#include "app/shell/message_service.h"
#include "platform/profile.h"
#include "ui/allocation/allocation_list_model.h"
#include "ui/allocation/allocation_list_view.h"
#include "ui/editor/stl_editor.h"
#include "ui/editor/stl_shortcut_bar.h"
#include "ui/editor/stl_view.h"
#include "ui/frame/document_window.h"
#include "ui/widgets/window_geometry.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

QRect WorkArea(const MainFrame& frame) {
  return QRectOf(frame.workArea());
}

void ExpectAllInside(const MainFrame& frame, const char* when) {
  const QRect area = WorkArea(frame);
  ASSERT_FALSE(area.isEmpty()) << when;
  for (const DocumentWindow* window : frame.documentWindows()) {
    EXPECT_TRUE(area.contains(window->geometry()))
        << when << ": " << window->windowTitle().toStdString() << " at " << window->geometry().x()
        << "," << window->geometry().y() << " " << window->geometry().width() << "x"
        << window->geometry().height();
  }
}

QAction* WindowMenuAction(MainFrame& frame, const QString& text) {
  for (QAction* menu : frame.menuBar()->actions()) {
    if (menu->text() != "&Window") continue;
    for (QAction* action : menu->menu()->actions()) {
      if (action->text() == text) return action;
    }
  }
  return nullptr;
}

std::string SameScreenSize(const MainFrame& frame) {
  const QSize screen = frame.screen()->size();
  return QString("%1,%2").arg(screen.width()).arg(screen.height()).toStdString();
}

// Stored places from another screen or edited by hand: each window comes back moved,
// and shrunk where it is larger than the area, never partly out of sight.
TEST(WindowPlacement, RestoredWindowsAreBroughtInsideTheWorkArea) {
  UiWorkspace ws;
  const char* const stored[][2] = {
      {"ProjectTree", "0,1,-1,-1,-1,-1,5000,4000,5250,4350"},   // another screen
      {"CZ0P01V1.awl", "0,1,-1,-1,-1,-1,-300,-200,5000,5000"},  // larger than the area
      {"AllocList", "0,1,-1,-1,-1,-1,700,500,100,100"},         // corners reversed by hand
      {"CZ0P02V1.awl", "0,1,-1,-1,-1,-1,10,20,410,320"},        // fits: stays
  };
  for (const auto& [name, placement] : stored) {
    platform::WriteProfileString(ws.projectFile("DEMO"), "WINDOWS", name, placement);
  }
  ASSERT_TRUE(ws.start());
  ws.frame().showMessageWindow(false);
  ASSERT_EQ(ws.frame().documentWindows().size(), 5u);
  ExpectAllInside(ws.frame(), "restored");
  const DocumentWindow* fits = ws.frame().findWindow(app::WindowKind::StlEditor, "CZ0P02V1.awl");
  ASSERT_NE(fits, nullptr);
  EXPECT_EQ(fits->geometry(), QRect(10, 20, 400, 300));
  const DocumentWindow* large = ws.frame().findWindow(app::WindowKind::StlEditor, "CZ0P01V1.awl");
  ASSERT_NE(large, nullptr);
  EXPECT_EQ(large->geometry(), WorkArea(ws.frame()));
}

TEST(WindowPlacement, NewWindowsOpenInsideAndClearOfTheMessageWindow) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ws.frame().showMessageWindow(false);
  const DocumentWindow* messages = ws.frame().findWindow(app::WindowKind::MessageWindow);
  ASSERT_NE(messages, nullptr);
  ws.frame().actions().allocationList->trigger();
  ASSERT_TRUE(ws.frame().openWindowByName("CZ0P01V1.awl"));
  ASSERT_TRUE(ws.frame().openWindowByName("CZ0P02V1.awl"));
  ExpectAllInside(ws.frame(), "opened");
  for (const DocumentWindow* window : ws.frame().documentWindows()) {
    if (window == messages) continue;
    EXPECT_LE(window->geometry().bottom(), messages->geometry().top())
        << window->windowTitle().toStdString() << " covers the message window's title";
  }
}

TEST(WindowPlacement, TheMessageWindowComesBackWhereItStood) {
  struct Case {
    const char* what;
    QRect set;           // where the user puts it before the exit
    const char* edited;  // a hand-edited "MESSAGE_WINDOW" instead, when not null
  };
  const Case cases[] = {
      {"as left", QRect(40, 30, 500, 200), nullptr},
      {"hand-edited off the area", {}, "0,1,-1,-1,-1,-1,-4000,9000,-3500,9200"},
  };
  for (const Case& c : cases) {
    UiWorkspace ws;
    ASSERT_TRUE(ws.start());
    ws.frame().showMessageWindow(false);
    DocumentWindow* messages = ws.frame().findWindow(app::WindowKind::MessageWindow);
    ASSERT_NE(messages, nullptr) << c.what;
    if (!c.edited) messages->setGeometry(c.set);
    ws.frame().close();
    ws.dropFrame();
    if (c.edited) ws.preferences().write("MESSAGE_WINDOW", c.edited);
    ASSERT_TRUE(ws.start()) << c.what;
    ws.frame().showMessageWindow(false);
    messages = ws.frame().findWindow(app::WindowKind::MessageWindow);
    ASSERT_NE(messages, nullptr) << c.what;
    if (c.edited) {
      EXPECT_EQ(messages->size(), QSize(500, 200)) << c.what;
      ExpectAllInside(ws.frame(), c.what);
    } else {
      EXPECT_EQ(messages->geometry(), c.set) << c.what;
    }
  }
}

TEST(WindowPlacement, CloseAllClosesTheDocumentsButNotTheMessageWindow) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ws.frame().showMessageWindow(false);
  ws.frame().actions().allocationList->trigger();
  ASSERT_TRUE(ws.frame().openWindowByName("CZ0P01V1.awl"));
  ASSERT_GE(ws.frame().documentWindows().size(), 4u);
  QAction* closeAll = WindowMenuAction(ws.frame(), "Close &All");
  ASSERT_NE(closeAll, nullptr);
  closeAll->trigger();
  ProcessEvents();
  const auto left = ws.frame().documentWindows();
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left.front()->kind(), app::WindowKind::MessageWindow);
  EXPECT_NE(app::FindMessageWindow(), nullptr);
}

// An editor with changes asks; Cancel keeps it, and the windows after it, open.
TEST(WindowPlacement, CloseAllStopsAtADocumentTheUserKeeps) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ASSERT_TRUE(ws.frame().openWindowByName("CZ0P01V1.awl"));
  StlView* view = ws.frame().stlView("CZ0P01V1.awl");
  ASSERT_NE(view, nullptr);
  view->editor()->insertPlainText("      NOP 0\n");
  ws.answers().push(platform::Answer::Cancel);
  WindowMenuAction(ws.frame(), "Close &All")->trigger();
  ProcessEvents();
  EXPECT_NE(ws.frame().findWindow(app::WindowKind::StlEditor, "CZ0P01V1.awl"), nullptr);
  EXPECT_EQ(ws.answers().texts().size(), 1u);
}

TEST(WindowPlacement, TheShortcutBarFloatsOnTheScreenAboveItsFrame) {
  struct Case {
    const char* what;
    const char* stored;  // "STL_BAR" on this screen size; null: the first start
  };
  const Case cases[] = {
      {"first start", nullptr},
      {"left of the screen", "1,1,230,-131,40,0"},
      {"hand-edited far away", "1,1,230,99999,-99999,0"},
      {"wider than the screen", "1,1,99999,10,10,0"},
  };
  for (const Case& c : cases) {
    UiWorkspace ws;
    if (c.stored) {
      ASSERT_TRUE(ws.start());
      const std::string screen = SameScreenSize(ws.frame());
      ws.dropFrame();
      ws.preferences().write("SCREEN_SIZE", screen);
      ws.preferences().write("STL_BAR", c.stored);
    } else {
      ws.preferences().write("STL_BAR", "");
    }
    ASSERT_TRUE(ws.start()) << c.what;
    StlShortcutBar* bar = ws.frame().shortcutBar();
    ASSERT_TRUE(bar->isFloating()) << c.what;
    const QRect screen = ws.frame().screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(bar->frameGeometry()))
        << c.what << ": " << bar->x() << "," << bar->y() << " " << bar->frameGeometry().width()
        << "x" << bar->frameGeometry().height();
    EXPECT_EQ(bar->windowType(), Qt::Tool) << c.what;
    ASSERT_NE(bar->windowHandle(), nullptr) << c.what;
    EXPECT_EQ(bar->windowHandle()->transientParent(), ws.frame().windowHandle()) << c.what;
    // What the exit writes is the place it was shown at, never the one off screen.
    ws.frame().close();
    const auto written = app::ParseStlBar(ws.pref("STL_BAR"));
    ASSERT_TRUE(written) << c.what;
    EXPECT_EQ(QPoint(written->left, written->top), bar->pos()) << c.what;
  }
}

// Mapped before its frame, a floating bar would be stacked as a window without an owner,
// below the frame: it waits for the frame to show.
TEST(WindowPlacement, AFloatingShortcutBarShowsWithItsFrame) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ws.dropFrame();
  ws.preferences().write("STL_BAR", "1,1,230,100,100,0");
  MainFrame frame(ws.preferences());
  frame.applyStoredPlacement();
  StlShortcutBar* bar = frame.shortcutBar();
  EXPECT_TRUE(bar->isFloating());
  EXPECT_FALSE(bar->isVisible());
  EXPECT_TRUE(bar->currentState(frame).visible);  // an exit now keeps it shown
  frame.show();
  EXPECT_TRUE(bar->isVisible());
  ASSERT_NE(bar->windowHandle(), nullptr);
  EXPECT_EQ(bar->windowHandle()->transientParent(), frame.windowHandle());
  // Shown again after the user closed it, the frame leaves it closed.
  bar->close();
  frame.hide();
  frame.show();
  EXPECT_FALSE(bar->isVisible());
}

// Whether the project closes with the list open or the user closes the list first, it
// comes back sorted as it was.
TEST(WindowPlacement, TheAllocationListComesBackInItsOrder) {
  for (const bool closeListFirst : {false, true}) {
    UiWorkspace ws;
    ASSERT_TRUE(ws.start());
    ws.frame().actions().allocationList->trigger();
    AllocationListView* list = ws.frame().allocationList();
    ASSERT_NE(list, nullptr);
    list->clickColumn(static_cast<int>(stl::AllocationColumn::Symbol));
    list->clickColumn(static_cast<int>(stl::AllocationColumn::Symbol));  // reversed
    if (closeListFirst) {
      ws.frame().findWindow(app::WindowKind::AllocList)->close();
      ProcessEvents();
    }
    ASSERT_TRUE(ws.frame().closeProjectCommand());
    ASSERT_TRUE(ws.frame().session()->openProject("DEMO"));
    ws.frame().actions().allocationList->trigger();
    list = ws.frame().allocationList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->model().column(), stl::AllocationColumn::Symbol) << closeListFirst;
    EXPECT_TRUE(list->model().reversed()) << closeListFirst;
    EXPECT_EQ(list->list()->header()->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(list->list()->header()->sortIndicatorSection(),
              static_cast<int>(stl::AllocationColumn::Symbol));
  }
}

// A menu's status tip covers the state for a moment; it comes back when the tip goes.
TEST(WindowPlacement, TheStatusBarKeepsProjectAndState) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  EXPECT_TRUE(ws.frame().projectStatus()->text().startsWith("DEMO - "))
      << ws.frame().projectStatus()->text().toStdString();
  QStatusTipEvent tip("Opens a project");
  QCoreApplication::sendEvent(&ws.frame(), &tip);
  QStatusTipEvent gone(QString{});
  QCoreApplication::sendEvent(&ws.frame(), &gone);
  EXPECT_TRUE(ws.frame().stateStatus()->isVisible());
  EXPECT_EQ(ws.frame().stateStatus()->text(), "Ready");
  ASSERT_TRUE(ws.frame().closeProjectCommand());
  EXPECT_EQ(ws.frame().projectStatus()->text(), "No project");
}

}  // namespace
}  // namespace zel::ui::testing
