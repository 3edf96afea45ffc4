#pragma once
// "Allocation List Operand": the allocation list's entries and an operand field. A
// selected entry puts its operand into the field; a double click on an entry is OK. The
// field may also be typed into, so an operand not in the list can still be inserted.

#include <QDialog>
#include <QLineEdit>
#include <QTreeView>

#include "stl/alloc/allocation_list.h"
#include "ui/allocation/allocation_list_model.h"

namespace zel::ui {

class OperandChooserDialog : public QDialog {
  Q_OBJECT

 public:
  explicit OperandChooserDialog(const stl::AllocationList& list, QWidget* parent = nullptr);

  QTreeView* list() const { return m_list; }
  QLineEdit* operandField() const { return m_operand; }
  // The field's text without surrounding blanks once OK was pressed; empty when there is
  // nothing to insert.
  QString chosenOperand() const { return m_chosen; }
  void accept() override;

 private:
  void takeSelectedOperand();
  void clickColumn(int column);

  AllocationListModel* m_model;
  QTreeView* m_list;
  QLineEdit* m_operand;
  QString m_chosen;
};

}  // namespace zel::ui
