#pragma once
// The allocation list as a table: "Operand" (display notation), "Symbol", "Comment". The
// model owns the list; the rows are the entries the filter lets through, in the order of
// the clicked column.

#include <QAbstractTableModel>
#include <QTreeView>
#include <optional>
#include <vector>

#include "stl/alloc/allocation_list.h"
#include "stl/alloc/allocation_order.h"

namespace zel::ui {

class AllocationListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit AllocationListModel(QObject* parent = nullptr);

  const stl::AllocationList& list() const { return m_list; }
  void setList(stl::AllocationList list);  // and sorts it again

  // A click on a column header: the same column reverses, another starts ascending.
  void clickColumn(int column);
  // A stored order, as the window had it.
  void setOrder(stl::AllocationColumn column, bool reversed);
  stl::AllocationColumn column() const { return m_column; }
  bool reversed() const { return m_reversed; }
  void setFilter(stl::AllocationFilter filter);
  stl::AllocationFilter filter() const { return m_filter; }

  // Entry indices in row order.
  const std::vector<std::size_t>& rows() const { return m_rows; }
  std::optional<std::size_t> entryAt(int row) const;
  int rowOf(std::size_t entry) const;  // -1 when the filter hides it

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  void reorder();

  stl::AllocationList m_list;
  stl::AllocationColumn m_column = stl::AllocationColumn::Operand;
  bool m_reversed = false;
  stl::AllocationFilter m_filter = stl::AllocationFilter::All;
  std::vector<std::size_t> m_rows;
};

// A read-only view of the model: whole rows, sortable by a header click, starting in the
// operand order.
void SetUpAllocationTree(QTreeView& view, QAbstractItemView::SelectionMode selection);

}  // namespace zel::ui
