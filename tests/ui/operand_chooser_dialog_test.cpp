// The "Allocation List Operand" dialog: its rows, and the operand it hands on.

#include "ui/editor/operand_chooser_dialog.h"

#include <gtest/gtest.h>

#include <QTest>

#include "stl/lang/operand.h"

namespace zel::ui::testing {
namespace {

stl::AllocationList List() {
  stl::AllocationList list;
  const std::vector<std::array<std::string, 3>> entries = {
      {"T1", "DELAY", "Start delay"}, {"I0.1", "STOP", "Stop button"}, {"O0.2", "LAMP", "Lamp"},
      {"FW10", "SPEED", "Set speed"}, {"I0.0", "START", "K\xFChlung"}, {"C1", "", ""},
  };
  for (const auto& [operand, symbol, comment] : entries)
    list.append({*stl::ParseDisplayOperand(operand), symbol, comment});
  return list;
}

QStringList Column(const OperandChooserDialog& dialog, int column) {
  QStringList texts;
  const QAbstractItemModel& model = *dialog.list()->model();
  for (int row = 0; row < model.rowCount(); ++row)
    texts << model.data(model.index(row, column), Qt::DisplayRole).toString();
  return texts;
}

void SelectRow(OperandChooserDialog& dialog, int row) {
  dialog.list()->setCurrentIndex(dialog.list()->model()->index(row, 1));
}

TEST(OperandChooserDialog, ListsTheEntriesInOperandOrder) {
  OperandChooserDialog dialog(List());
  EXPECT_EQ(dialog.windowTitle(), "Allocation List Operand");
  const QAbstractItemModel& model = *dialog.list()->model();
  QStringList headers;
  for (int column = 0; column < model.columnCount(); ++column)
    headers << model.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
  EXPECT_EQ(headers, QStringList({"Operand", "Symbol", "Comment"}));
  EXPECT_EQ(Column(dialog, 0), QStringList({"O0.2", "I0.0", "I0.1", "FW10", "T1", "C1"}));
  EXPECT_EQ(Column(dialog, 1), QStringList({"LAMP", "START", "STOP", "SPEED", "DELAY", ""}));
  EXPECT_EQ(Column(dialog, 2).at(1), QString::fromUtf8("Kühlung"));
  EXPECT_TRUE(dialog.operandField()->text().isEmpty());
}

TEST(OperandChooserDialog, TheSelectedRowFillsTheFieldAndOkHandsItOn) {
  struct Row {
    std::vector<int> select;  // rows selected one after the other
    QString typed;            // then typed into the field, when not null
    bool ok;
    QString chosen;
  };
  const std::vector<Row> rows = {
      {{2}, {}, true, "I0.1"},      {{2, 4}, {}, true, "T1"},  // the last selection counts
      {{3}, "  fw7 ", true, "fw7"},  // a typed operand, without the blanks
      {{}, "   ", true, ""},         // nothing to insert
      {{0}, {}, false, ""},          // cancelled
  };
  for (const auto& row : rows) {
    OperandChooserDialog dialog(List());
    for (const int selected : row.select) {
      SelectRow(dialog, selected);
      EXPECT_EQ(dialog.operandField()->text(), Column(dialog, 0).at(selected));
    }
    if (!row.typed.isNull()) dialog.operandField()->setText(row.typed);
    if (row.ok) {
      dialog.accept();
    } else {
      dialog.reject();
    }
    EXPECT_EQ(dialog.chosenOperand(), row.chosen) << row.typed.toStdString();
  }
}

TEST(OperandChooserDialog, ADoubleClickOnARowIsOk) {
  OperandChooserDialog dialog(List());
  dialog.show();
  QTreeView& list = *dialog.list();
  const QRect at = list.visualRect(list.model()->index(3, 2));
  ASSERT_TRUE(at.isValid());
  // The first click of a double click selects, as on a desktop.
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at.center());
  EXPECT_EQ(dialog.operandField()->text(), "FW10");
  EXPECT_TRUE(dialog.isVisible());
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, at.center());
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.chosenOperand(), "FW10");
}

TEST(OperandChooserDialog, AnEmptyListLeavesTheFieldToTyping) {
  OperandChooserDialog dialog{stl::AllocationList()};
  EXPECT_EQ(dialog.list()->model()->rowCount(), 0);
  dialog.operandField()->setText("O1.0");
  dialog.accept();
  EXPECT_EQ(dialog.chosenOperand(), "O1.0");
}

}  // namespace
}  // namespace zel::ui::testing
