#include "ui/library/driver_table.h"

#include <QHeaderView>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

constexpr int kColumns = 4;

}  // namespace

void DriverRowsModel::setRows(std::vector<library::DriverRow> rows) {
  beginResetModel();
  m_rows = std::move(rows);
  endResetModel();
}

int DriverRowsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int DriverRowsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant DriverRowsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || role != Qt::DisplayRole) return {};
  const library::DriverRow& row = m_rows.at(static_cast<std::size_t>(index.row()));
  switch (static_cast<library::DriverColumn>(index.column())) {
    case library::DriverColumn::Name:
      return FromStored(row.name);
    case library::DriverColumn::Number:
      return QString::number(row.number);
    case library::DriverColumn::Uses:
      return FromStored(row.uses);
    case library::DriverColumn::Description:
      return FromStored(row.description);
  }
  return {};
}

QVariant DriverRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kTitles[kColumns] = {"Name", "Number", "Uses", "Description"};
  return section >= 0 && section < kColumns ? tr(kTitles[section]) : QVariant();
}

DriverTable::DriverTable(QWidget* parent)
    : QWidget(parent), m_model(new DriverRowsModel(this)), m_view(new QTreeView(this)) {
  m_view->setModel(m_model);
  m_view->setRootIsDecorated(false);
  m_view->setUniformRowHeights(true);
  m_view->setAllColumnsShowFocus(true);
  m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_view->setSelectionMode(QAbstractItemView::SingleSelection);
  m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  QHeaderView* header = m_view->header();
  header->setSectionsClickable(true);
  header->setSortIndicatorShown(true);
  header->setStretchLastSection(true);
  header->resizeSection(0, 110);
  header->resizeSection(1, 70);
  header->resizeSection(2, 110);
  setSortIndicator(m_column, m_descending);
  connect(header, &QHeaderView::sectionClicked, this, &DriverTable::clickColumn);
  connect(m_view, &QTreeView::activated, this, [this](const QModelIndex& index) {
    emit rowActivated(static_cast<std::size_t>(index.row()));
  });
  connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { emit selectionChanged(); });
  m_view->viewport()->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_view);
}

bool DriverTable::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_view->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (!m_view->indexAt(mouse->position().toPoint()).isValid()) {
      emit emptySpaceDoubleClicked();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void DriverTable::setRows(std::vector<library::DriverRow> rows) {
  m_model->setRows(std::move(rows));
}

std::vector<std::size_t> DriverTable::selectedRows() const {
  std::vector<std::size_t> rows;
  for (const QModelIndex& index : m_view->selectionModel()->selectedRows()) {
    rows.push_back(static_cast<std::size_t>(index.row()));
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void DriverTable::selectRow(std::size_t row) {
  const QModelIndex index = m_model->index(static_cast<int>(row), 0);
  if (!index.isValid()) return;
  m_view->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void DriverTable::setMultiSelection(bool on) {
  m_view->setSelectionMode(on ? QAbstractItemView::ExtendedSelection
                              : QAbstractItemView::SingleSelection);
}

void DriverTable::setReport(bool report) {
  m_report = report;
  m_view->setHeaderHidden(!report);
  for (int column = 1; column < kColumns; ++column) m_view->setColumnHidden(column, !report);
}

void DriverTable::setSortIndicator(library::DriverColumn column, bool descending) {
  m_column = column;
  m_descending = descending;
  m_view->header()->setSortIndicator(static_cast<int>(column),
                                     descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void DriverTable::clickColumn(int section) {
  if (section < 0 || section >= kColumns) return;
  const auto column = static_cast<library::DriverColumn>(section);
  const bool descending = column == m_column ? !m_descending : false;
  setSortIndicator(column, descending);
  if (isSignalConnected(QMetaMethod::fromSignal(&DriverTable::sortRequested))) {
    emit sortRequested(column, descending);
    return;
  }
  std::vector<library::DriverRow> rows = m_model->rows();
  library::SortDriverRows(rows, column, descending);
  m_model->setRows(std::move(rows));
}

}  // namespace zel::ui
