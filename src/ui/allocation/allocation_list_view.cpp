#include "ui/allocation/allocation_list_view.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/files.h"
#include "platform/message_box.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// Ours: the list file could not be written, or not be read to its end.
constexpr std::string_view kMsgCannotSave =
    "'%1'\n\nThe allocation list cannot be saved. The list stays as it was.";
constexpr std::string_view kMsgReadIncomplete =
    "'%1'\n\nThe allocation list could not be read completely: %2 entries were read. "
    "The file as it was is kept as '%3'.";
constexpr std::string_view kBackupSuffix = ".BAK";

// The filter box lists the filters in the order of their enumeration.
constexpr const char* kFilterLabels[] = {"All Entries", "Inputs and Outputs", "Other Entries"};

void Tell(const QString& text) {
  platform::ShowMessageBox(ToStored(text));
}

}  // namespace

AllocationListView::AllocationListView(const std::filesystem::path& projectDirectory,
                                       QWidget* parent)
    : QWidget(parent),
      m_model(new AllocationListModel(this)),
      m_list(new QTreeView(this)),
      m_count(new QLabel(this)),
      m_filter(new QComboBox(this)) {
  m_list->setModel(m_model);
  SetUpAllocationTree(*m_list, QAbstractItemView::ExtendedSelection);
  m_list->setContextMenuPolicy(Qt::CustomContextMenu);
  m_list->setColumnWidth(0, 110);
  m_list->setColumnWidth(1, 110);
  m_list->installEventFilter(this);
  for (const char* label : kFilterLabels) m_filter->addItem(tr(label));

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(m_count, 1);
  bottom->addWidget(m_filter);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 4);
  layout->addWidget(m_list, 1);
  layout->addLayout(bottom);

  connect(m_list->header(), &QHeaderView::sectionClicked, this, &AllocationListView::clickColumn);
  connect(m_list, &QTreeView::customContextMenuRequested, this,
          &AllocationListView::showContextMenu);
  connect(m_list, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
    properties(static_cast<stl::EntryField>(index.column()));
  });
  connect(m_filter, &QComboBox::currentIndexChanged, this,
          [this](int index) { setFilter(static_cast<stl::AllocationFilter>(index)); });
  connect(m_model, &QAbstractItemModel::modelReset, this, &AllocationListView::updateCount);
  load(projectDirectory / stl::kAllocationListFile);
}

void AllocationListView::reload() {
  load(m_model->list().path());
}

// A file that stops early would lose its unread records at the first save; they are
// kept beside it before anything can be saved.
void AllocationListView::load(const std::filesystem::path& file) {
  stl::AllocationList list;
  const bool complete = list.load(file);
  const std::filesystem::path resolved = platform::ResolvePathNoCase(file);
  if (!complete && platform::PathExistsNoCase(resolved)) {
    const std::filesystem::path backup = resolved.string() + std::string(kBackupSuffix);
    platform::CopyFileTo(resolved, backup, false);
    // One arg() call, so that a "%" in a path is never taken for a place holder.
    Tell(FromStored(kMsgReadIncomplete)
             .arg(FromStored(StoredPath(resolved)), QString::number(list.size()),
                  FromStored(StoredPath(backup.filename()))));
  }
  m_model->setList(std::move(list));
}

bool AllocationListView::commit(stl::AllocationList changed,
                                const std::vector<std::size_t>& select) {
  changed.setEditedEntry(std::nullopt);
  if (!changed.save()) {
    Tell(FromStored(kMsgCannotSave).arg(FromStored(StoredPath(changed.path()))));
    return false;
  }
  m_model->setList(std::move(changed));
  selectEntries(select);
  emit listChanged();
  return true;
}

void AllocationListView::updateCount() {
  m_count->setText(QString::asprintf("%u Entries", static_cast<unsigned>(m_model->rowCount())));
}

void AllocationListView::clickColumn(int column) {
  const std::vector<std::size_t> selected = selectedEntries();
  m_model->clickColumn(column);
  showSortIndicator();
  selectEntries(selected);
}

void AllocationListView::setOrder(stl::AllocationColumn column, bool reversed) {
  const std::vector<std::size_t> selected = selectedEntries();
  m_model->setOrder(column, reversed);
  showSortIndicator();
  selectEntries(selected);
}

void AllocationListView::showSortIndicator() {
  m_list->header()->setSortIndicator(static_cast<int>(m_model->column()), m_model->reversed()
                                                                              ? Qt::DescendingOrder
                                                                              : Qt::AscendingOrder);
}

void AllocationListView::setFilter(stl::AllocationFilter filter) {
  if (m_filter->currentIndex() != static_cast<int>(filter)) {
    m_filter->setCurrentIndex(static_cast<int>(filter));  // comes back here
    return;
  }
  const std::vector<std::size_t> selected = selectedEntries();
  m_model->setFilter(filter);
  selectEntries(selected);
}

std::vector<std::size_t> AllocationListView::selectedEntries() const {
  std::vector<int> rows;
  for (const QModelIndex& index : m_list->selectionModel()->selectedRows())
    rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  std::vector<std::size_t> entries;
  for (const int row : rows) {
    if (const auto entry = m_model->entryAt(row)) entries.push_back(*entry);
  }
  return entries;
}

void AllocationListView::selectEntries(const std::vector<std::size_t>& entries) {
  QItemSelectionModel* selection = m_list->selectionModel();
  selection->clearSelection();
  bool first = true;
  for (const std::size_t entry : entries) {
    const int row = m_model->rowOf(entry);
    if (row < 0) continue;
    const QModelIndex index = m_model->index(row, 0);
    const auto flags = QItemSelectionModel::Select | QItemSelectionModel::Rows;
    if (first) {
      selection->setCurrentIndex(index, flags);
      m_list->scrollTo(index);
      first = false;
    } else {
      selection->select(index, flags);
    }
  }
}

std::optional<std::size_t> AllocationListView::currentRow() const {
  const QModelIndex current = m_list->currentIndex();
  if (current.isValid() && m_list->selectionModel()->isRowSelected(current.row()))
    return static_cast<std::size_t>(current.row());
  const auto rows = m_list->selectionModel()->selectedRows();
  if (rows.isEmpty()) return std::nullopt;
  int first = rows.front().row();
  for (const QModelIndex& index : rows) first = std::min(first, index.row());
  return static_cast<std::size_t>(first);
}

std::optional<std::size_t> AllocationListView::currentEntry() const {
  const auto row = currentRow();
  return row ? m_model->entryAt(static_cast<int>(*row)) : std::nullopt;
}

void AllocationListView::showContextMenu(const QPoint& pos) {
  const QModelIndex index = m_list->indexAt(pos);
  if (index.isValid() && !m_list->selectionModel()->isRowSelected(index.row())) {
    m_list->selectionModel()->setCurrentIndex(
        index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  const bool selected = hasSelection();
  const auto field = static_cast<stl::EntryField>(index.isValid() ? index.column() : 0);
  QMenu menu(this);
  menu.addAction(tr("&Insert Operand..."), this, &AllocationListView::insertOperand);
  menu.addSeparator();
  menu.addAction(tr("Cu&t"), this, &AllocationListView::cut)->setEnabled(selected);
  menu.addAction(tr("&Copy"), this, &AllocationListView::copy)->setEnabled(selected);
  menu.addAction(tr("&Paste"), this, &AllocationListView::paste)
      ->setEnabled(!QApplication::clipboard()->text().isEmpty());
  menu.addAction(tr("&Delete"), this, &AllocationListView::deleteSelected)->setEnabled(selected);
  menu.addSeparator();
  menu.addAction(tr("P&roperties"), this, [this, field] { properties(field); })
      ->setEnabled(selected);
  menu.exec(m_list->viewport()->mapToGlobal(pos));
}

bool AllocationListView::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_list || event->type() != QEvent::KeyPress)
    return QWidget::eventFilter(watched, event);
  switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      propertiesOfCurrent();
      return true;
    case Qt::Key_Delete:
      deleteSelected();
      return true;
    case Qt::Key_Insert:
      insertOperand();
      return true;
    default:
      return QWidget::eventFilter(watched, event);
  }
}

}  // namespace zel::ui
