// The IO configuration window over the demo project and its IO module scripts: opened
// from the project tree and the menus, the entry dialog's checks, the collision loop,
// the clipboard commands, and what each change leaves in the project file.

#include "ui/io/io_config_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMenuBar>

#include "library/io_module_list.h"
#include "ui/frame/document_window.h"
#include "ui/io/io_entry_dialog.h"
#include "ui/project/project_tree.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

using library::IoField;
using platform::Answer;

using DialogAct = std::function<void(IoEntryDialog&)>;

void AnswerEntryDialogs(std::vector<DialogAct> acts) {
  AnswerDialogs<IoEntryDialog>(std::move(acts));
}

DialogAct Fill(const QString& module, int sw, int iw, int ow) {
  return [=](IoEntryDialog& dialog) {
    dialog.moduleBox()->setCurrentIndex(dialog.moduleBox()->findText(module));
    dialog.field(IoField::Switch)->setText(QString::number(sw));
    dialog.field(IoField::Iw)->setText(QString::number(iw));
    dialog.field(IoField::Ow)->setText(QString::number(ow));
    dialog.accept();
  };
}

class IoConfigViewTest : public ::testing::Test {
 protected:
  // The window the project tree's item opens.
  IoConfigView* open() {
    if (!m_ws.frame().projectTree()) m_ws.frame().showProjectTree(false);
    ProjectTree* tree = m_ws.frame().projectTree();
    tree->openItem(tree->topItem(app::TreeItem::IoConfiguration));
    return m_ws.frame().activeIoConfig();
  }
  QStringList rows(const IoConfigView& view) const {
    QStringList texts;
    for (int i = 0; i < view.list()->topLevelItemCount(); ++i) {
      const QTreeWidgetItem* item = view.list()->topLevelItem(i);
      texts << item->text(0) + "|" + item->text(1) + "|" + item->text(2) + "|" + item->text(3);
    }
    return texts;
  }
  std::vector<std::string> stored() const {
    std::vector<std::string> values;
    for (int n = 0;; ++n) {
      std::string v = m_ws.projectValue("DEMO", "VM1X_IO", "IO_" + std::to_string(n));
      if (v.empty()) return values;
      values.push_back(v);
    }
  }
  void writeSection(const std::vector<std::string>& values) {
    platform::ProfileEntries entries;
    for (std::size_t n = 0; n < values.size(); ++n)
      entries.emplace_back("IO_" + std::to_string(n), values[n]);
    ASSERT_TRUE(platform::ReplaceProfileSection(m_ws.projectFile("DEMO"), "VM1X_IO", entries));
  }

  UiWorkspace m_ws;
};

const std::vector<std::string> kDemo = {"VM1X.IOD,0,0,0", "DI16.IOD,0,1,0", "DI16.IOD,1,2,0",
                                        "DO16.IOD,0,0,1", "AI4.IOD,0,4,0",  "AO2.IOD,0,0,2"};

TEST_F(IoConfigViewTest, ProjectTreeOpensTheDemoConfiguration) {
  ASSERT_TRUE(m_ws.start());
  IoConfigView* view = open();
  ASSERT_TRUE(view);
  EXPECT_EQ(rows(*view),
            (QStringList{"VM1X base module|0|0|0", "Digital Input 16|0|1|0",
                         "Digital Input 16|1|2|0", "Digital Output 16|0|0|1",
                         "Analogue Input 4x12 Bit|0|4|0", "Analogue Output 2x12 Bit|0|0|2"}));
  EXPECT_EQ(view->countLine()->text(), "6 Entries");
  EXPECT_EQ(m_ws.answers().texts(), std::vector<std::string>{});
  // The menu item finds the open window instead of opening another.
  m_ws.frame().actions().ioConfiguration->trigger();
  EXPECT_EQ(m_ws.frame().activeIoConfig(), view);
}

TEST_F(IoConfigViewTest, InsertChecksTheDialogThenTheCollisionsAndReopensTheField) {
  ASSERT_TRUE(m_ws.start());
  IoConfigView* view = open();
  ASSERT_TRUE(view);
  view->selectEntries({2});
  AnswerEntryDialogs({
      [&](IoEntryDialog& d) {
        // A position without an address keeps the dialog open on the switch.
        Fill("Digital Input 16", 4, 5, 0)(d);
        ASSERT_TRUE(d.isVisible());
        EXPECT_EQ(d.moduleBox()->currentText(), "Digital Input 16");
        d.field(IoField::Switch)->setText("2");
        d.field(IoField::Iw)->setText("2");  // IW bytes 4-5 are entry 2's
        d.accept();
      },
      [&](IoEntryDialog& d) {
        // The dialog reopens with the cursor in the field of the collision.
        EXPECT_EQ(d.focusWidget(), d.field(IoField::Iw));
        EXPECT_EQ(d.field(IoField::Iw)->text(), "2");
        d.field(IoField::Iw)->setText("3");
        d.accept();
      },
  });
  m_ws.frame().actions().insertIoModule->trigger();
  EXPECT_EQ(m_ws.answers().texts(),
            (std::vector<std::string>{"Valid switch positions are:\n\n0, 1, 2, 3, 6, 7",
                                      "'DI16.IOD,1,2,0'\n\nZEL IW collision."}));
  std::vector<std::string> expected = kDemo;
  expected.insert(expected.begin() + 3, "DI16.IOD,2,3,0");
  EXPECT_EQ(stored(), expected);
  EXPECT_EQ(view->selectedEntries(), (std::vector<std::size_t>{3}));
  EXPECT_EQ(view->countLine()->text(), "7 Entries");
  EXPECT_NE(m_ws.projectValue("DEMO", "PROJECT", "TIMESTAMP"), "1796634000l");
}

TEST_F(IoConfigViewTest, PropertiesDeleteCutCopyPaste) {
  ASSERT_TRUE(m_ws.start());
  IoConfigView* view = open();
  ASSERT_TRUE(view);
  view->selectEntries({5});
  AnswerEntryDialogs({Fill("Analogue Output 2x12 Bit", 3, 0, 10)});
  m_ws.frame().properties();
  EXPECT_EQ(stored().back(), "AO2.IOD,3,0,10");

  view->selectEntries({1, 2});
  m_ws.frame().copy();
  EXPECT_EQ(QApplication::clipboard()->text(), "DI16.IOD,0,1,0\r\nDI16.IOD,1,2,0\r\n");
  m_ws.frame().cut();
  EXPECT_EQ(stored(), (std::vector<std::string>{"VM1X.IOD,0,0,0", "DO16.IOD,0,0,1", "AI4.IOD,0,4,0",
                                                "AO2.IOD,3,0,10"}));
  // Pasted at the end: both fit again where they were cut from.
  view->selectEntries({3});
  m_ws.frame().paste();
  EXPECT_EQ(view->selectedEntries(), (std::vector<std::size_t>{4, 5}));
  // A second paste collides; the first dialog moves the entry, the second is cancelled
  // and ends the paste.
  AnswerEntryDialogs({Fill("Digital Input 16", 6, 20, 0), [](IoEntryDialog&) {}});
  m_ws.frame().paste();
  EXPECT_EQ(stored(), (std::vector<std::string>{"VM1X.IOD,0,0,0", "DO16.IOD,0,0,1", "AI4.IOD,0,4,0",
                                                "AO2.IOD,3,0,10", "DI16.IOD,0,1,0",
                                                "DI16.IOD,1,2,0", "DI16.IOD,6,20,0"}));
  view->selectEntries({0, 6});
  view->deleteSelected();
  EXPECT_EQ(view->countLine()->text(), "5 Entries");
  EXPECT_EQ(stored().front(), "DO16.IOD,0,0,1");
}

TEST_F(IoConfigViewTest, LoadingReportsBadEntriesAndKeepsUnknownModules) {
  writeSection(
      {"VM1X.IOD,0,0,0", "rubbish", "OLD.IOD, 3, 9, 9", "DI16.IOD,0,1,0", "DI16.IOD,0,7,0"});
  ASSERT_TRUE(m_ws.start());
  AnswerEntryDialogs({Fill("Digital Input 16", 7, 7, 0)});
  IoConfigView* view = open();
  ASSERT_TRUE(view);
  EXPECT_EQ(m_ws.answers().texts(),
            (std::vector<std::string>{
                "Skipping 'rubbish'\n\nInvalid format of IO entry.",
                "'OLD.IOD, 3, 9, 9'\n\nUnknown IO Module.",
                "'DI16.IOD,0,1,0'\n\nIO address collision.\nSelect another switch position."}));
  EXPECT_EQ(rows(*view)[1], "OLD.IOD|3|9|9");
  EXPECT_EQ(stored(), (std::vector<std::string>{"VM1X.IOD,0,0,0", "OLD.IOD,3,9,9", "DI16.IOD,0,1,0",
                                                "DI16.IOD,7,7,0"}));
}

TEST_F(IoConfigViewTest, CancelWhileLoadingClosesTheWindow) {
  writeSection({"bad"});
  ASSERT_TRUE(m_ws.start());
  m_ws.answers().push(Answer::Cancel);
  EXPECT_EQ(open(), nullptr);
  EXPECT_EQ(m_ws.frame().findWindow(app::WindowKind::IoConfig), nullptr);
  EXPECT_EQ(stored(), std::vector<std::string>{"bad"});
}

}  // namespace
}  // namespace zel::ui::testing

namespace zel::ui::testing {
namespace {

QMenu* IoConfigMenu(MainFrame& frame) {
  for (QAction* action : frame.menuBar()->actions())
    if (action->text() == "&IO Config") return action->menu();
  return nullptr;
}

TEST_F(IoConfigViewTest, IoConfigMenuFollowsTheActiveWindowAndItsSelection) {
  ASSERT_TRUE(m_ws.start());
  QMenu* menu = IoConfigMenu(m_ws.frame());
  ASSERT_TRUE(menu);
  emit menu->aboutToShow();
  EXPECT_FALSE(menu->menuAction()->isVisible());
  IoConfigView* view = open();
  ASSERT_TRUE(view);
  emit menu->aboutToShow();
  EXPECT_TRUE(menu->menuAction()->isVisible());
  QStringList enabled;
  for (QAction* item : menu->actions())
    if (!item->isSeparator() && item->isEnabled()) enabled << item->text();
  EXPECT_EQ(enabled, QStringList{"&Insert IO Module..."});
  view->selectEntries({4});
  emit menu->aboutToShow();
  enabled.clear();
  for (QAction* item : menu->actions())
    if (!item->isSeparator() && item->isEnabled()) enabled << item->text();
  EXPECT_EQ(enabled,
            (QStringList{"&Insert IO Module...", "Cu&t", "&Copy", "&Delete", "P&roperties..."}));
  for (QAction* item : menu->actions())
    if (item->text() == "&Delete") item->trigger();
  std::vector<std::string> expected = kDemo;
  expected.erase(expected.begin() + 4);
  EXPECT_EQ(stored(), expected);
}

}  // namespace
}  // namespace zel::ui::testing

namespace zel::ui::testing {
namespace {

// The user's way through the menus: open the window, add a card, close the project with
// the window open and find both again when the project opens.
TEST_F(IoConfigViewTest, WalkThroughTheMenusAndAReopenedProject) {
  ASSERT_TRUE(m_ws.start());
  m_ws.frame().actions().ioConfiguration->trigger();
  ASSERT_TRUE(m_ws.frame().activeIoConfig());
  AnswerEntryDialogs({Fill("Analogue Input 4x12 Bit", 3, 20, 0)});
  m_ws.frame().actions().insertIoModule->trigger();
  ASSERT_TRUE(m_ws.frame().closeProjectCommand());
  EXPECT_EQ(m_ws.frame().findWindow(app::WindowKind::IoConfig), nullptr);
  m_ws.frame().session()->openProject("DEMO");
  IoConfigView* view = m_ws.frame().activeIoConfig();
  if (!view) {
    DocumentWindow* window = m_ws.frame().findWindow(app::WindowKind::IoConfig);
    ASSERT_TRUE(window) << "the window list did not bring the window back";
    view = qobject_cast<IoConfigView*>(window->widget());
  }
  ASSERT_TRUE(view);
  EXPECT_EQ(view->countLine()->text(), "7 Entries");
  EXPECT_EQ(view->list()->topLevelItem(6)->text(0), "Analogue Input 4x12 Bit");
  EXPECT_EQ(m_ws.answers().texts(), std::vector<std::string>{});
}

}  // namespace
}  // namespace zel::ui::testing

namespace zel::ui::testing {
namespace {

TEST(IoEntryDialog, RefusesWhatTheChecksRefuseAndStaysOnTheField) {
  UiWorkspace ws;
  const auto modules = library::LoadIoModules(ws.dir(), "VM1X");
  struct Case {
    QString module;  // empty: none chosen
    QString sw, iw, ow;
    std::string message;
    IoField field;
  };
  const std::vector<Case> cases = {
      {"", "0", "0", "0", "No Module Type selected!", IoField::Module},
      {"Digital Input 16", "5", "0", "0", "Valid switch positions are:\n\n0, 1, 2, 3, 6, 7",
       IoField::Switch},
      {"Digital Input 16", "0", "x", "0", "Please enter an integer between 0 and 65535.",
       IoField::Iw},
      {"Digital Input 16", "0", "0", "-1", "Please enter an integer between 0 and 65535.",
       IoField::Ow},
      {"Analogue Input 4x12 Bit", "0", "248", "0", "Please enter an integer between 0 and 247.",
       IoField::Iw},
  };
  for (const auto& c : cases) {
    IoEntryDialog dialog(modules, {"", 0, 0, 0}, IoField::Module);
    dialog.show();
    dialog.moduleBox()->setCurrentIndex(
        c.module.isEmpty() ? -1 : dialog.moduleBox()->findText(c.module));
    dialog.field(IoField::Switch)->setText(c.sw);
    dialog.field(IoField::Iw)->setText(c.iw);
    dialog.field(IoField::Ow)->setText(c.ow);
    ws.answers().clear();
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible()) << c.message;
    EXPECT_FALSE(dialog.entry());
    EXPECT_EQ(ws.answers().texts(), std::vector<std::string>{c.message});
    QWidget* expected = c.field == IoField::Module ? static_cast<QWidget*>(dialog.moduleBox())
                                                   : dialog.field(c.field);
    EXPECT_EQ(dialog.focusWidget(), expected) << c.message;
  }
  IoEntryDialog dialog(modules, {"ai4.iod", 1, 247, 9}, IoField::Module);
  EXPECT_EQ(dialog.moduleBox()->currentText(), "Analogue Input 4x12 Bit");
  dialog.accept();
  EXPECT_EQ(dialog.entry(), (library::IoEntry{"AI4.IOD", 1, 247, 9}));
}

}  // namespace
}  // namespace zel::ui::testing
