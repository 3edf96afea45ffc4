#include "ui/project/project_list_model.h"

#include "app/project/controller_type.h"
#include "platform/no_case.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

constexpr int kColumns = 3;

}  // namespace

ProjectListModel::ProjectListModel(app::ProjectSession& session, QObject* parent)
    : QAbstractTableModel(parent), m_session(session) {
  refresh();
}

void ProjectListModel::refresh() {
  beginResetModel();
  m_entries = m_session.listProjects(m_typeFilter, m_column, m_descending);
  endResetModel();
}

void ProjectListModel::setTypeFilter(const QString& label) {
  m_typeFilter = ToStored(label);
  refresh();
}

void ProjectListModel::clickColumn(int column) {
  const auto clicked = static_cast<app::ProjectColumn>(column);
  m_descending = clicked == m_column ? !m_descending : false;
  m_column = clicked;
  refresh();
}

const app::ProjectListEntry* ProjectListModel::entry(int row) const {
  if (row < 0 || row >= static_cast<int>(m_entries.size())) return nullptr;
  return &m_entries[static_cast<std::size_t>(row)];
}

int ProjectListModel::rowOf(const QString& name) const {
  const std::string stored = ToStored(name);
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    if (platform::EqualsNoCase(m_entries[i].name, stored)) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

int ProjectListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

int ProjectListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant ProjectListModel::data(const QModelIndex& index, int role) const {
  const app::ProjectListEntry* e = entry(index.row());
  if (!e || (role != Qt::DisplayRole && role != Qt::EditRole)) return {};
  switch (static_cast<app::ProjectColumn>(index.column())) {
    case app::ProjectColumn::Name:
      return FromStored(e->name);
    case app::ProjectColumn::Comment:
      return FromStored(e->comment);
    case app::ProjectColumn::Type:
      return FromStored(app::TypeLabel(e->target));
  }
  return {};
}

QVariant ProjectListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const kHeaders[kColumns] = {"Name", "Comment", "Type"};
  return section >= 0 && section < kColumns ? QString(kHeaders[section]) : QVariant();
}

Qt::ItemFlags ProjectListModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags f = QAbstractTableModel::flags(index);
  if (m_nameEditable && index.column() == 0) f |= Qt::ItemIsEditable;
  return f;
}

bool ProjectListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  const app::ProjectListEntry* e = entry(index.row());
  if (!e || role != Qt::EditRole || index.column() != 0) return false;
  emit renameRequested(FromStored(e->name), value.toString());
  return false;
}

}  // namespace zel::ui
