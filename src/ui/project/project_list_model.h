#pragma once
// The projects of the project directory as a table: "Name", "Comment", "Type". The
// listing, the type filter and the order come from the project list core; a click on
// the sorted column again reverses the order.

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "app/project/project_list.h"
#include "app/project/project_session.h"

namespace zel::ui {

class ProjectListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ProjectListModel(app::ProjectSession& session, QObject* parent = nullptr);

  void refresh();
  void setTypeFilter(const QString& label);
  // A click on a column header: a new column sorts up, the same one reverses.
  void clickColumn(int column);
  app::ProjectColumn column() const { return m_column; }
  bool descending() const { return m_descending; }
  void setNameEditable(bool on) { m_nameEditable = on; }

  const app::ProjectListEntry* entry(int row) const;
  int rowOf(const QString& name) const;  // -1 when not listed

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

 signals:
  // An in-place edit of a name; the model does not rename by itself.
  void renameRequested(const QString& from, const QString& to);

 private:
  app::ProjectSession& m_session;
  std::string m_typeFilter{app::kAllTypesLabel};
  app::ProjectColumn m_column = app::ProjectColumn::Name;
  bool m_descending = false;
  bool m_nameEditable = false;
  std::vector<app::ProjectListEntry> m_entries;
};

}  // namespace zel::ui
