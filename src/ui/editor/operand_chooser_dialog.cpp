#include "ui/editor/operand_chooser_dialog.h"

#include <QFormLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "ui/widgets/ok_cancel_buttons.h"

namespace zel::ui {

OperandChooserDialog::OperandChooserDialog(const stl::AllocationList& list, QWidget* parent)
    : QDialog(parent),
      m_model(new AllocationListModel(this)),
      m_list(new QTreeView(this)),
      m_operand(new QLineEdit(this)) {
  setWindowTitle(tr("Allocation List Operand"));
  m_model->setList(list);
  m_list->setModel(m_model);
  SetUpAllocationTree(*m_list, QAbstractItemView::SingleSelection);
  m_list->setColumnWidth(0, 90);
  m_list->setColumnWidth(1, 90);
  m_list->setMinimumSize(420, 260);
  auto* form = new QFormLayout;
  form->addRow(tr("&Operand:"), m_operand);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list, 1);
  layout->addLayout(form);
  layout->addWidget(OkCancelButtons(this));
  connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &OperandChooserDialog::takeSelectedOperand);
  connect(m_list, &QTreeView::doubleClicked, this, &OperandChooserDialog::accept);
  connect(m_list->header(), &QHeaderView::sectionClicked, this, &OperandChooserDialog::clickColumn);
  m_operand->setFocus();
}

void OperandChooserDialog::takeSelectedOperand() {
  const QModelIndexList rows = m_list->selectionModel()->selectedRows();
  if (rows.isEmpty()) return;
  const QModelIndex operand = m_model->index(rows.front().row(), 0);
  m_operand->setText(m_model->data(operand, Qt::DisplayRole).toString());
}

// The model sorts anew and drops the selection; the field keeps what it took.
void OperandChooserDialog::clickColumn(int column) {
  m_model->clickColumn(column);
  m_list->header()->setSortIndicator(static_cast<int>(m_model->column()), m_model->reversed()
                                                                              ? Qt::DescendingOrder
                                                                              : Qt::AscendingOrder);
}

void OperandChooserDialog::accept() {
  m_chosen = m_operand->text().trimmed();
  QDialog::accept();
}

}  // namespace zel::ui
