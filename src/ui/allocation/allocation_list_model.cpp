#include "ui/allocation/allocation_list_model.h"

#include <QHeaderView>
#include <QIcon>

#include "ui/widgets/badge_icon.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

constexpr int kColumns = 3;

// Outputs (stored "A", "AW") and inputs (stored "E", "EW") stand out from the rest.
QIcon OperandIcon(const std::string& stored) {
  static const QIcon output = BadgeIcon(QColor(200, 110, 30), "O");
  static const QIcon input = BadgeIcon(QColor(40, 150, 80), "I");
  static const QIcon other = BadgeIcon(QColor(110, 120, 140), "#");
  if (stored.starts_with('A')) return output;
  if (stored.starts_with('E')) return input;
  return other;
}

}  // namespace

AllocationListModel::AllocationListModel(QObject* parent) : QAbstractTableModel(parent) {}

void AllocationListModel::setList(stl::AllocationList list) {
  m_list = std::move(list);
  reorder();
}

void AllocationListModel::clickColumn(int column) {
  if (column < 0 || column >= kColumns) return;
  const auto clicked = static_cast<stl::AllocationColumn>(column);
  m_reversed = clicked == m_column ? !m_reversed : false;
  m_column = clicked;
  reorder();
}

void AllocationListModel::setOrder(stl::AllocationColumn column, bool reversed) {
  m_column = column;
  m_reversed = reversed;
  reorder();
}

void AllocationListModel::setFilter(stl::AllocationFilter filter) {
  m_filter = filter;
  reorder();
}

void AllocationListModel::reorder() {
  beginResetModel();
  m_rows = stl::AllocationOrder(m_list, m_column, m_reversed, m_filter);
  endResetModel();
}

std::optional<std::size_t> AllocationListModel::entryAt(int row) const {
  if (row < 0 || row >= static_cast<int>(m_rows.size())) return std::nullopt;
  return m_rows[static_cast<std::size_t>(row)];
}

int AllocationListModel::rowOf(std::size_t entry) const {
  for (std::size_t row = 0; row < m_rows.size(); ++row) {
    if (m_rows[row] == entry) return static_cast<int>(row);
  }
  return -1;
}

int AllocationListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int AllocationListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant AllocationListModel::data(const QModelIndex& index, int role) const {
  const auto entry = entryAt(index.row());
  if (!entry) return {};
  const stl::AllocationEntry& e = m_list.at(*entry);
  if (role == Qt::DecorationRole && index.column() == 0) return OperandIcon(e.operand.stored);
  if (role != Qt::DisplayRole) return {};
  switch (static_cast<stl::AllocationColumn>(index.column())) {
    case stl::AllocationColumn::Operand:
      return FromStored(e.operand.display);
    case stl::AllocationColumn::Symbol:
      return FromStored(e.symbol);
    case stl::AllocationColumn::Comment:
      return FromStored(e.comment);
  }
  return {};
}

QVariant AllocationListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kHeaders[kColumns] = {"Operand", "Symbol", "Comment"};
  return section >= 0 && section < kColumns ? QString(kHeaders[section]) : QVariant();
}

void SetUpAllocationTree(QTreeView& view, QAbstractItemView::SelectionMode selection) {
  view.setRootIsDecorated(false);
  view.setUniformRowHeights(true);
  view.setAllColumnsShowFocus(true);
  view.setSelectionMode(selection);
  view.setSelectionBehavior(QAbstractItemView::SelectRows);
  view.setEditTriggers(QAbstractItemView::NoEditTriggers);
  view.header()->setSectionsClickable(true);
  view.header()->setSortIndicatorShown(true);
  view.header()->setSortIndicator(0, Qt::AscendingOrder);
}

}  // namespace zel::ui
