// The allocation list window over the demo project's "C.BEL": its orders and filter, the
// entry dialog, the clipboard, find and replace, and what each change leaves on disk.

#include "ui/allocation/allocation_list_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <fstream>

#include "stl/alloc/allocation_list.h"
#include "ui/allocation/allocation_entry_dialog.h"
#include "ui/frame/document_window.h"
#include "ui/project/project_tree.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

using stl::EntryField;

const QStringList kOperandOrder = {"O0.0", "O0.1", "O0.2", "I0.0", "I0.1", "I0.2", "I0.3", "IW0",
                                   "F0.0", "F0.1", "FW10", "FW11", "R1",   "T1",   "C1"};

QStringList Column(const AllocationListView& view, int column) {
  QStringList texts;
  const auto& model = view.model();
  for (int row = 0; row < model.rowCount(); ++row)
    texts << model.data(model.index(row, column), Qt::DisplayRole).toString();
  return texts;
}

QStringList Reversed(QStringList texts) {
  std::reverse(texts.begin(), texts.end());
  return texts;
}

// The entry with this display operand, by its index in the list.
std::size_t EntryOf(const AllocationListView& view, const std::string& display) {
  const auto& entries = view.model().list().entries();
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (entries[i].operand.display == display) return i;
  ADD_FAILURE() << "no entry " << display;
  return 0;
}

void Select(AllocationListView& view, const std::vector<std::string>& displays) {
  std::vector<std::size_t> entries;
  for (const auto& display : displays) entries.push_back(EntryOf(view, display));
  view.selectEntries(entries);
}

QStringList Selected(const AllocationListView& view) {
  QStringList displays;
  for (const std::size_t i : view.selectedEntries())
    displays << QString::fromStdString(view.model().list().at(i).operand.display);
  return displays;
}

using DialogAct = std::function<void(AllocationEntryDialog&)>;

void AnswerEntryDialogs(std::vector<DialogAct> acts) {
  AnswerDialogs<AllocationEntryDialog>(std::move(acts));
}

void Fill(AllocationEntryDialog& dialog, const QString& operand, const QString& symbol,
          const QString& comment) {
  dialog.field(EntryField::Operand)->setText(operand);
  dialog.field(EntryField::Symbol)->setText(symbol);
  dialog.field(EntryField::Comment)->setText(comment);
}

class AllocationListViewTest : public ::testing::Test {
 protected:
  void SetUp() override { m_view = std::make_unique<AllocationListView>(dir()); }
  fs::path dir() const { return m_ws.projects() / "DEMO"; }
  fs::path file() const { return dir() / "C.BEL"; }
  // What the file holds now, read back by the core.
  stl::AllocationList onDisk() const {
    stl::AllocationList list;
    EXPECT_TRUE(list.load(file()));
    return list;
  }
  const stl::AllocationEntry* storedEntry(const std::string& stored) const {
    m_disk = onDisk();
    return m_disk.findByOperand(stored);
  }

  UiWorkspace m_ws;
  std::unique_ptr<AllocationListView> m_view;
  mutable stl::AllocationList m_disk;
};

TEST_F(AllocationListViewTest, StartsByOperandAndHeaderClicksSortAndReverse) {
  EXPECT_EQ(Column(*m_view, 0), kOperandOrder);
  EXPECT_EQ(m_view->countLine()->text(), "15 Entries");
  const QStringList symbols = {"ACTUAL",  "ALARM",    "ANALOG1",  "CYCLES", "DELAY",
                               "FAULT",   "LEVEL_HI", "LEVEL_LO", "PUMP1",  "PUMP2",
                               "RUNNING", "SETPOINT", "START",    "STOP",   "TEMP"};
  const QStringList comments = {"Alarm horn",
                                "Fault latched",
                                "Level actual value",
                                "Level sensor raw",
                                "Level set point",
                                "Plant running",
                                "Pump 1 contactor",
                                "Pump 2 contactor",
                                "Pump cycles",
                                "Scratch register",
                                "Start button",
                                "Start delay",
                                "Stop button, normally closed",
                                "Tank level high",
                                "Tank level low"};
  struct Click {
    int column;
    QStringList expected;  // the clicked column's texts
    Qt::SortOrder indicator;
  };
  const std::vector<Click> clicks = {
      {0, Reversed(kOperandOrder), Qt::DescendingOrder},
      {0, kOperandOrder, Qt::AscendingOrder},
      {1, symbols, Qt::AscendingOrder},
      {1, Reversed(symbols), Qt::DescendingOrder},
      {2, comments, Qt::AscendingOrder},
      {2, Reversed(comments), Qt::DescendingOrder},
      {0, kOperandOrder, Qt::AscendingOrder},
  };
  for (const auto& click : clicks) {
    emit m_view->list()->header()->sectionClicked(click.column);
    EXPECT_EQ(Column(*m_view, click.column), click.expected) << "column " << click.column;
    EXPECT_EQ(m_view->list()->header()->sortIndicatorSection(), click.column);
    EXPECT_EQ(m_view->list()->header()->sortIndicatorOrder(), click.indicator);
  }
}

TEST_F(AllocationListViewTest, FilterShowsInputsAndOutputsOrTheOthers) {
  struct Row {
    int filterIndex;
    QStringList operands;
    QStringList selected;  // a hidden entry cannot stay selected
  };
  const std::vector<Row> rows = {
      {2, kOperandOrder.mid(8), {"F0.0"}},
      {1, kOperandOrder.mid(0, 8), {}},
      {0, kOperandOrder, {}},
  };
  Select(*m_view, {"F0.0"});
  for (const auto& row : rows) {
    m_view->filterBox()->setCurrentIndex(row.filterIndex);
    EXPECT_EQ(Column(*m_view, 0), row.operands) << row.filterIndex;
    EXPECT_EQ(m_view->countLine()->text(), QString("%1 Entries").arg(row.operands.size()));
    EXPECT_EQ(Selected(*m_view), row.selected) << row.filterIndex;
  }
}

TEST_F(AllocationListViewTest, InsertRefusesBadEntriesWithTheirMessageAndKeepsTheDialogOpen) {
  struct Refusal {
    QString operand, symbol;
    std::string message;
    EntryField field;
  };
  const std::vector<Refusal> refusals = {
      {"X1", "", "Invalid absolute operand!", EntryField::Operand},
      {"o0.0", "", "Absolute operand already used.", EntryField::Operand},
      {"O1.5", "I0.0", "Invalid symbolic operand!", EntryField::Symbol},
      {"O1.5", "pump1", "Symbolic operand already used.", EntryField::Symbol},
  };
  AnswerEntryDialogs({[&](AllocationEntryDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Allocation List Entry");
    EXPECT_EQ(dialog.field(EntryField::Operand)->maxLength(), 9);
    EXPECT_EQ(dialog.field(EntryField::Symbol)->maxLength(), 9);
    EXPECT_EQ(dialog.field(EntryField::Comment)->maxLength(), 36);
    for (const auto& refusal : refusals) {
      m_ws.answers().clear();
      Fill(dialog, refusal.operand, refusal.symbol, "");
      dialog.accept();
      EXPECT_EQ(m_ws.answers().texts(), std::vector<std::string>{refusal.message});
      EXPECT_TRUE(dialog.isVisible()) << refusal.message;
      EXPECT_EQ(dialog.focusWidget(), dialog.field(refusal.field)) << refusal.message;
    }
    m_ws.answers().clear();
    Fill(dialog, "o1.5", "I0", "Valve open");
    dialog.accept();
  }});
  m_view->insertOperand();
  EXPECT_TRUE(m_ws.answers().texts().empty());
  EXPECT_EQ(m_view->countLine()->text(), "16 Entries");
  EXPECT_EQ(Selected(*m_view), QStringList{"O1.5"});
  QStringList sorted = kOperandOrder;
  sorted.insert(3, "O1.5");  // after O0.2
  EXPECT_EQ(Column(*m_view, 0), sorted);
  const auto* saved = storedEntry("A1.5");
  ASSERT_NE(saved, nullptr);
  EXPECT_EQ(saved->symbol, "I0");
  EXPECT_EQ(saved->comment, "Valve open");
}

TEST_F(AllocationListViewTest, CancelledInsertChangesNothing) {
  const std::string before = test::ReadFile(file());
  AnswerEntryDialogs({[](AllocationEntryDialog& dialog) {
    Fill(dialog, "O7.7", "", "");
    dialog.reject();
  }});
  m_view->insertOperand();
  EXPECT_EQ(test::ReadFile(file()), before);
  EXPECT_EQ(m_view->model().list().size(), 15u);
}

TEST_F(AllocationListViewTest, PropertiesOpenOnTheClickedColumnsField) {
  const std::vector<EntryField> fields = {EntryField::Operand, EntryField::Symbol,
                                          EntryField::Comment};
  for (const EntryField field : fields) {
    Select(*m_view, {"T1"});
    const int row = m_view->model().rowOf(EntryOf(*m_view, "T1"));
    m_view->list()->setCurrentIndex(m_view->model().index(row, static_cast<int>(field)));
    bool seen = false;
    AnswerEntryDialogs({[&](AllocationEntryDialog& dialog) {
      seen = true;
      EXPECT_EQ(dialog.focusWidget(), dialog.field(field));
      EXPECT_EQ(dialog.field(EntryField::Operand)->text(), "T1");
      EXPECT_EQ(dialog.field(EntryField::Symbol)->text(), "DELAY");
      dialog.accept();  // unchanged: the entry does not collide with itself
    }});
    m_view->propertiesOfCurrent();
    EXPECT_TRUE(seen);
  }
  EXPECT_TRUE(m_ws.answers().texts().empty());
  AnswerEntryDialogs({[](AllocationEntryDialog& dialog) {
    dialog.field(EntryField::Comment)->setText("Start delay, 2 s");
    dialog.accept();
  }});
  m_view->properties(EntryField::Comment);
  ASSERT_NE(storedEntry("T1"), nullptr);
  EXPECT_EQ(storedEntry("T1")->comment, "Start delay, 2 s");
  EXPECT_EQ(m_view->model().list().size(), 15u);
}

TEST_F(AllocationListViewTest, DeleteRemovesTheSelectedEntriesAndSaves) {
  Select(*m_view, {"I0.1", "FW10"});
  m_view->deleteSelected();
  EXPECT_EQ(m_view->countLine()->text(), "13 Entries");
  EXPECT_EQ(onDisk().size(), 13u);
  EXPECT_EQ(storedEntry("E0.1"), nullptr);
  EXPECT_EQ(storedEntry("MW10"), nullptr);
  EXPECT_NE(storedEntry("MW11"), nullptr);
  EXPECT_EQ(Selected(*m_view), QStringList{"I0.2"});  // took the first deleted row's place
}

TEST_F(AllocationListViewTest, CopyAndPasteGoThroughTheClipboardAndTheEntryDialog) {
  Select(*m_view, {"T1", "O0.0"});
  m_view->copy();
  EXPECT_EQ(QApplication::clipboard()->text(),
            "O0.0\tPUMP1\tPump 1 contactor\r\nT1\tDELAY\tStart delay\r\n");
  QStringList presets;
  AnswerEntryDialogs({
      [&](AllocationEntryDialog& dialog) {
        presets << dialog.field(EntryField::Operand)->text();
        dialog.accept();  // the copy collides with its original
        EXPECT_EQ(m_ws.answers().texts(),
                  std::vector<std::string>{"Absolute operand already used."});
        Fill(dialog, "O3.0", "PUMP3", dialog.field(EntryField::Comment)->text());
        dialog.accept();
      },
      [&](AllocationEntryDialog& dialog) {
        presets << dialog.field(EntryField::Operand)->text();
        dialog.reject();
      },
  });
  m_view->paste();
  EXPECT_EQ(presets, (QStringList{"O0.0", "T1"}));
  EXPECT_EQ(m_view->model().list().size(), 16u);
  const auto* pasted = storedEntry("A3.0");
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(pasted->symbol, "PUMP3");
  EXPECT_EQ(pasted->comment, "Pump 1 contactor");
  EXPECT_EQ(Selected(*m_view), QStringList{"O3.0"});
}

TEST_F(AllocationListViewTest, CutAndPasteBackRestoresTheEntries) {
  Select(*m_view, {"F0.0", "F0.1"});
  m_view->cut();
  EXPECT_EQ(onDisk().size(), 13u);
  AnswerEntryDialogs(
      {[](AllocationEntryDialog& d) { d.accept(); }, [](AllocationEntryDialog& d) { d.accept(); }});
  m_view->paste();
  EXPECT_EQ(onDisk().size(), 15u);
  ASSERT_NE(storedEntry("M0.1"), nullptr);
  EXPECT_EQ(storedEntry("M0.1")->symbol, "FAULT");
  EXPECT_EQ(Column(*m_view, 0), kOperandOrder);
}

TEST_F(AllocationListViewTest, FindWalksTheCommentsInBothDirections) {
  struct Step {
    std::string text;
    bool matchCase;
    bool down;
    QStringList selected;  // unchanged when nothing is found
    std::vector<std::string> messages;
  };
  const std::vector<Step> steps = {
      {"pump", false, true, {"O0.0"}, {}},
      {"pump", false, true, {"O0.1"}, {}},
      {"pump", false, true, {"C1"}, {}},
      {"pump", false, true, {"C1"}, {"Cannot find the string 'pump'."}},
      {"pump", false, false, {"O0.1"}, {}},
      {"PUMP", true, false, {"O0.1"}, {"Cannot find the string 'PUMP'."}},
      {"Tank", true, true, {"I0.2"}, {}},
  };
  for (const auto& step : steps) {
    m_ws.answers().clear();
    const bool found = m_view->findNext({step.text, step.matchCase, step.down});
    EXPECT_EQ(found, step.messages.empty()) << step.text;
    EXPECT_EQ(Selected(*m_view), step.selected) << step.text;
    EXPECT_EQ(m_ws.answers().texts(), step.messages) << step.text;
  }
}

TEST_F(AllocationListViewTest, ReplaceChangesTheSelectedCommentThenMovesOn) {
  m_view->showFindDialog(true);
  FindReplaceDialog* dialog = m_view->findDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->windowTitle(), "Replace");
  dialog->findField()->setText("contactor");
  dialog->replaceField()->setText("relay");
  Select(*m_view, {"O0.0"});
  dialog->replaceButton()->click();
  EXPECT_EQ(storedEntry("A0.0")->comment, "Pump 1 relay");
  EXPECT_EQ(storedEntry("A0.1")->comment, "Pump 2 contactor");
  EXPECT_EQ(Selected(*m_view), QStringList{"O0.1"});

  dialog->findField()->setText("LEVEL");
  dialog->replaceField()->setText("Lvl");
  dialog->replaceAllButton()->click();
  for (const auto& [stored, comment] :
       std::vector<std::pair<std::string, std::string>>{{"E0.2", "Tank Lvl low"},
                                                        {"MW10", "Lvl set point"},
                                                        {"EW0", "Lvl sensor raw"},
                                                        {"A0.1", "Pump 2 contactor"}}) {
    EXPECT_EQ(storedEntry(stored)->comment, comment) << stored;
  }
  EXPECT_TRUE(m_ws.answers().texts().empty());
  dialog->findField()->setText("nowhere");
  dialog->replaceAllButton()->click();
  EXPECT_EQ(m_ws.answers().texts(), std::vector<std::string>{"Cannot find the string 'nowhere'."});
}

TEST_F(AllocationListViewTest, AFailedSaveSaysSoAndLeavesTheListAsItWas) {
  fs::remove(file());
  fs::create_directory(file());  // nothing can be written in its place
  Select(*m_view, {"R1"});
  m_view->deleteSelected();
  ASSERT_EQ(m_ws.answers().texts().size(), 1u);
  EXPECT_EQ(m_ws.answers().texts()[0],
            "'" + file().string() +
                "'\n\nThe allocation list cannot be saved. The list stays "
                "as it was.");
  EXPECT_EQ(m_view->model().list().size(), 15u);
  EXPECT_EQ(m_view->countLine()->text(), "15 Entries");
  EXPECT_EQ(Column(*m_view, 0), kOperandOrder);
}

TEST(AllocationListLoad, AFileThatStopsEarlyIsKeptBesideTheListBeforeAnySave) {
  UiWorkspace ws;
  const fs::path file = ws.projects() / "DEMO" / "C.BEL";
  std::string bytes = test::ReadFile(file);
  bytes.replace(3 * stl::kAllocationRecordSize, 1, 1, '\0');  // fourth record: no operand
  { std::ofstream(file, std::ios::binary) << bytes; }
  AllocationListView view(ws.projects() / "DEMO");
  EXPECT_EQ(view.model().list().size(), 3u);
  ASSERT_EQ(ws.answers().texts().size(), 1u);
  EXPECT_EQ(ws.answers().texts()[0],
            "'" + file.string() +
                "'\n\nThe allocation list could not be read completely: 3 entries were read. "
                "The file as it was is kept as 'C.BEL.BAK'.");
  EXPECT_EQ(test::ReadFile(ws.projects() / "DEMO" / "C.BEL.BAK"), bytes);
}

TEST(AllocationListLoad, IconsTellOutputsInputsAndTheRest) {
  UiWorkspace ws;
  AllocationListView view(ws.projects() / "DEMO");
  const auto& model = view.model();
  auto iconKey = [&](const std::string& display) {
    const int row = model.rowOf(EntryOf(view, display));
    return model.data(model.index(row, 0), Qt::DecorationRole).value<QIcon>().cacheKey();
  };
  EXPECT_EQ(iconKey("O0.0"), iconKey("O0.2"));
  EXPECT_EQ(iconKey("I0.0"), iconKey("IW0"));
  EXPECT_EQ(iconKey("F0.0"), iconKey("C1"));
  EXPECT_NE(iconKey("O0.0"), iconKey("I0.0"));
  EXPECT_NE(iconKey("O0.0"), iconKey("F0.0"));
  EXPECT_NE(iconKey("I0.0"), iconKey("F0.0"));
}

TEST(AllocationListWindow, OpensFromMenuAndTreeAndComesBackWithTheProject) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  MainFrame& frame = ws.frame();
  ASSERT_TRUE(frame.actions().allocationList->isEnabled());
  frame.actions().allocationList->trigger();
  DocumentWindow* window = frame.findWindow(app::WindowKind::AllocList);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Allocation List");
  EXPECT_EQ(frame.allocationList()->countLine()->text(), "15 Entries");
  EXPECT_TRUE(frame.actions().paste->isEnabled());
  EXPECT_TRUE(frame.actions().properties->isEnabled());
  window->setGeometry(20, 30, 400, 300);
  ASSERT_TRUE(frame.closeProjectCommand());
  EXPECT_EQ(ws.projectValue("DEMO", "WINDOWS", "AllocList"), "0,1,-1,-1,-1,-1,20,30,420,330");
  ASSERT_TRUE(frame.session()->openProject("DEMO"));
  DocumentWindow* again = frame.findWindow(app::WindowKind::AllocList);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(again->geometry(), QRect(20, 30, 400, 300));
  delete again;
  ASSERT_NE(frame.showProjectTree(false), nullptr);
  ProjectTree* tree = frame.projectTree();
  tree->openItem(tree->topItem(app::TreeItem::AllocationList));
  EXPECT_NE(frame.allocationList(), nullptr);
  EXPECT_TRUE(frame.openWindowByName("alloclist"));
}

}  // namespace
}  // namespace zel::ui::testing
