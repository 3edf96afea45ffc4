#pragma once
// The list of drivers that the library page, the Select Driver dialog and the Driver
// Configuration window share: columns "Name", "Number", "Uses", "Description", sorted by
// a click on a column (a second click on the same column reverses the order), shown as a
// list of names or as a report with every column.

#include <QAbstractTableModel>
#include <QTreeView>
#include <QWidget>
#include <vector>

#include "library/driver_config.h"

namespace zel::ui {

class DriverRowsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;
  void setRows(std::vector<library::DriverRow> rows);
  const std::vector<library::DriverRow>& rows() const { return m_rows; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<library::DriverRow> m_rows;
};

class DriverTable : public QWidget {
  Q_OBJECT

 public:
  explicit DriverTable(QWidget* parent = nullptr);

  // Shown in the table's current order (the owner sorts, see sortRequested).
  void setRows(std::vector<library::DriverRow> rows);
  const std::vector<library::DriverRow>& rows() const { return m_model->rows(); }
  // Rows selected, in row order.
  std::vector<std::size_t> selectedRows() const;
  void selectRow(std::size_t row);
  void setMultiSelection(bool on);

  // Report: every column with its header; list: the names only.
  void setReport(bool report);
  bool report() const { return m_report; }

  // The column the rows are ordered by, as the header shows it.
  library::DriverColumn sortColumn() const { return m_column; }
  bool sortDescending() const { return m_descending; }
  void setSortIndicator(library::DriverColumn column, bool descending);
  // A click on a column: what the table asks its owner to sort by. Without an owner that
  // listens, the table sorts its own rows.
  void clickColumn(int section);

  QTreeView* view() const { return m_view; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 signals:
  void sortRequested(library::DriverColumn column, bool descending);
  void rowActivated(std::size_t row);
  void emptySpaceDoubleClicked();
  void selectionChanged();

 private:
  DriverRowsModel* m_model;
  QTreeView* m_view;
  bool m_report = true;
  library::DriverColumn m_column = library::DriverColumn::Name;
  bool m_descending = false;
};

}  // namespace zel::ui
