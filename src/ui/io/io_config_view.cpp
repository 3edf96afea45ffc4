#include "ui/io/io_config_view.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

enum Column { kModule, kSwitch, kIw, kOw };

}  // namespace

IoConfigView::IoConfigView(app::ProjectFile file, std::string type,
                           const library::IoModuleList& modules, QWidget* parent)
    : QWidget(parent),
      m_config(std::move(file), std::move(type), modules),
      m_editor(modules, this),
      m_list(new QTreeWidget(this)),
      m_count(new QLabel(this)) {
  m_list->setHeaderLabels({tr("IO Module"), tr("Switch"), tr("IW"), tr("OW")});
  m_list->setRootIsDecorated(false);
  m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_list->setContextMenuPolicy(Qt::CustomContextMenu);
  // The names take the room; the numbers need only theirs.
  m_list->header()->setStretchLastSection(false);
  m_list->header()->setSectionResizeMode(kModule, QHeaderView::Stretch);
  for (const int column : {kSwitch, kIw, kOw})
    m_list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
  m_list->installEventFilter(this);
  connect(m_list, &QTreeWidget::customContextMenuRequested, this, &IoConfigView::showContextMenu);
  connect(m_list, &QTreeWidget::itemDoubleClicked, this, [this] { properties(); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_list);
  layout->addWidget(m_count);
  refresh({});
}

bool IoConfigView::load() {
  const bool kept = m_config.load(m_editor);
  refresh({});
  return kept;
}

void IoConfigView::refresh(const std::vector<std::size_t>& select) {
  m_list->clear();
  for (const auto& entry : m_config.entries()) {
    const library::IoModuleScript* module = m_config.modules().find(entry.module);
    auto* item = new QTreeWidgetItem(m_list);
    // An entry of a module that is not installed shows its file name.
    item->setText(kModule, FromStored(module ? module->displayName : entry.module));
    item->setText(kSwitch, QString::number(entry.switchPosition));
    item->setText(kIw, QString::number(entry.iw));
    item->setText(kOw, QString::number(entry.ow));
  }
  m_count->setText(tr("%1 Entries").arg(m_config.entries().size()));
  selectEntries(select);
}

std::vector<std::size_t> IoConfigView::selectedEntries() const {
  std::vector<std::size_t> rows;
  for (QTreeWidgetItem* item : m_list->selectedItems())
    rows.push_back(static_cast<std::size_t>(m_list->indexOfTopLevelItem(item)));
  std::sort(rows.begin(), rows.end());
  return rows;
}

void IoConfigView::selectEntries(const std::vector<std::size_t>& entries) {
  m_list->clearSelection();
  for (const std::size_t i : entries) {
    if (QTreeWidgetItem* item = m_list->topLevelItem(static_cast<int>(i))) {
      item->setSelected(true);
      m_list->setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    }
  }
}

std::optional<std::size_t> IoConfigView::currentEntry() const {
  const auto selected = selectedEntries();
  if (!selected.empty()) return selected.back();
  return std::nullopt;
}

void IoConfigView::insertModule() {
  if (const auto at = m_config.insert(currentEntry(), m_editor)) refresh({*at});
}

void IoConfigView::properties() {
  const auto selected = selectedEntries();
  if (selected.empty()) return;
  m_config.edit(selected.front(), m_editor);
  refresh({selected.front()});
}

void IoConfigView::deleteSelected() {
  const auto selected = selectedEntries();
  if (selected.empty()) return;
  m_config.remove(selected);
  refresh({});
}

void IoConfigView::copy() {
  const auto selected = selectedEntries();
  if (selected.empty()) return;
  QApplication::clipboard()->setText(FromStored(m_config.copy(selected)));
}

void IoConfigView::cut() {
  if (selectedEntries().empty()) return;
  copy();
  deleteSelected();
}

void IoConfigView::paste() {
  if (m_config.pasteBuffer().empty()) return;
  refresh(m_config.paste(currentEntry(), m_editor));
}

bool IoConfigView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_list && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Insert && key->modifiers() == Qt::NoModifier) {
      insertModule();
      return true;
    }
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
      deleteSelected();
      return true;
    }
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
        key->modifiers() == Qt::NoModifier) {
      properties();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void IoConfigView::showContextMenu(const QPoint& pos) {
  const bool selected = !selectedEntries().empty();
  QMenu menu(this);
  menu.addAction(tr("&Insert IO Module..."), this, &IoConfigView::insertModule);
  menu.addSeparator();
  menu.addAction(tr("Cu&t"), this, &IoConfigView::cut)->setEnabled(selected);
  menu.addAction(tr("&Copy"), this, &IoConfigView::copy)->setEnabled(selected);
  menu.addAction(tr("&Paste"), this, &IoConfigView::paste)
      ->setEnabled(!m_config.pasteBuffer().empty());
  menu.addAction(tr("&Delete"), this, &IoConfigView::deleteSelected)->setEnabled(selected);
  menu.addSeparator();
  menu.addAction(tr("P&roperties..."), this, &IoConfigView::properties)->setEnabled(selected);
  menu.exec(m_list->viewport()->mapToGlobal(pos));
}

}  // namespace zel::ui
