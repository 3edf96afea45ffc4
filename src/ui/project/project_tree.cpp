#include "ui/project/project_tree.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <QTreeWidgetItemIterator>
#include <algorithm>

#include "app/modules/module_ops.h"
#include "app/project/documentation_move.h"
#include "ui/frame/main_frame.h"
#include "ui/project/new_program_dialog.h"
#include "ui/project/program_properties_dialog.h"
#include "ui/widgets/language_icons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

constexpr int kTopItemRole = Qt::UserRole;
constexpr int kModuleRole = Qt::UserRole + 1;

const char* const kKindNames[] = {"Program", "CMP", "CFM"};

}  // namespace

ProjectTree::ProjectTree(MainFrame& frame, QWidget* parent) : QTreeWidget(parent), m_frame(frame) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    // A group only expands or collapses, as the tree does by itself.
    const auto top = TopItemOf(item);
    if (!(top && app::GroupKind(*top))) openItem(item);
  });
  connect(this, &QTreeWidget::itemChanged, this, &ProjectTree::checkChanged);
}

// None while the frame holds the project commands back, so the tree offers no way round.
app::ProjectModel* ProjectTree::model() const {
  if (!m_frame.projectCommandsAllowed()) return nullptr;
  return &m_frame.session()->model();
}

void ProjectTree::refresh(const app::ProjectModel& model) {
  m_filling = true;
  const QString current = ModuleOf(currentItem());
  const auto currentTop = TopItemOf(currentItem());
  clear();
  if (model.isOpen()) {
    for (std::size_t i = 0; i < app::kTreeItemLabels.size(); ++i) {
      const auto item = static_cast<app::TreeItem>(i);
      auto* top = new QTreeWidgetItem(this, {FromStored(app::TreeItemLabel(item))});
      top->setData(0, kTopItemRole, static_cast<int>(i));
      if (const auto kind = app::GroupKind(item)) addModules(top, model, *kind);
    }
    topItem(app::TreeItem::Programs)->setExpanded(true);
  }
  if (QTreeWidgetItem* again = current.isEmpty() ? nullptr : moduleItem(current)) {
    setCurrentItem(again);
  } else if (currentTop) {
    setCurrentItem(topItem(*currentTop));
  }
  m_filling = false;
}

int ProjectTree::neededWidth() const {
  const QFontMetrics metrics(font());
  const int check = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, this);
  int widest = 0;
  for (QTreeWidgetItemIterator it(const_cast<ProjectTree*>(this)); *it; ++it) {
    int depth = 0;
    for (const QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent()) ++depth;
    int width = indentation() * (depth + 1) + metrics.horizontalAdvance((*it)->text(0));
    if (!(*it)->icon(0).isNull()) width += iconSize().width() + 4;
    if ((*it)->data(0, Qt::CheckStateRole).isValid()) width += check + 4;
    widest = std::max(widest, width);
  }
  // Room for the item margins the style adds around the text.
  return widest + 24 + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
}

void ProjectTree::addModules(QTreeWidgetItem* group, const app::ProjectModel& model,
                             app::ModuleKind kind) {
  for (const auto& child : app::TreeChildren(model.modules(), kind)) {
    auto* item = new QTreeWidgetItem(group, {FromStored(child.label)});
    item->setData(0, kModuleRole, FromStored(child.fileName));
    item->setIcon(0, LanguageIcon(child.language));
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, child.selected ? Qt::Checked : Qt::Unchecked);
  }
}

QTreeWidgetItem* ProjectTree::topItem(app::TreeItem item) const {
  for (int i = 0; i < topLevelItemCount(); ++i) {
    if (TopItemOf(topLevelItem(i)) == item) return topLevelItem(i);
  }
  return nullptr;
}

QTreeWidgetItem* ProjectTree::moduleItem(const QString& fileName) const {
  for (int i = 0; i < topLevelItemCount(); ++i) {
    QTreeWidgetItem* group = topLevelItem(i);
    for (int j = 0; j < group->childCount(); ++j) {
      if (ModuleOf(group->child(j)).compare(fileName, Qt::CaseInsensitive) == 0) {
        return group->child(j);
      }
    }
  }
  return nullptr;
}

std::optional<app::TreeItem> ProjectTree::TopItemOf(const QTreeWidgetItem* item) {
  if (!item || item->parent()) return std::nullopt;
  return static_cast<app::TreeItem>(item->data(0, kTopItemRole).toInt());
}

QString ProjectTree::ModuleOf(const QTreeWidgetItem* item) {
  return item ? item->data(0, kModuleRole).toString() : QString();
}

void ProjectTree::openItem(QTreeWidgetItem* item) {
  app::ProjectModel* m = model();
  if (!item || !m) return;
  if (const QString module = ModuleOf(item); !module.isEmpty()) {
    app::ModuleOperations(*m, &m_frame).openModule(ToStored(module));
    return;
  }
  switch (TopItemOf(item).value_or(app::TreeItem::Programs)) {
    case app::TreeItem::ProjectSettings:
      m_frame.projectSettings();
      break;
    case app::TreeItem::ProjectDocumentation:
      m_frame.projectDocumentation();
      break;
    case app::TreeItem::AllocationList:
      m_frame.openWindow({app::WindowKind::AllocList, std::nullopt});
      break;
    case app::TreeItem::ControllerSettings:
      m_frame.controllerSettings();
      break;
    case app::TreeItem::IoConfiguration:
      m_frame.openWindow({app::WindowKind::IoConfig, std::nullopt});
      break;
    case app::TreeItem::DriverConfiguration:
      m_frame.openWindow({app::WindowKind::DriverConfig, std::nullopt});
      break;
    case app::TreeItem::Programs:
    case app::TreeItem::Cmps:
    case app::TreeItem::Cfms:
      item->setExpanded(!item->isExpanded());
      break;
  }
}

void ProjectTree::propertiesOfCurrent() {
  app::ProjectModel* m = model();
  QTreeWidgetItem* item = currentItem();
  if (!item || !m) return;
  if (const QString module = ModuleOf(item); !module.isEmpty()) {
    ProgramPropertiesDialog dialog(*m, ToStored(module), &m_frame, this);
    dialog.exec();
  } else if (TopItemOf(item) == app::TreeItem::ProjectDocumentation) {
    documentationProperties();
  } else {
    openItem(item);
  }
}

void ProjectTree::documentationProperties() {
  app::ProjectModel* m = model();
  const QString current = QString::fromStdString(m->file().docFile().string());
  const QString chosen =
      QFileDialog::getSaveFileName(this, tr("Project Documentation"), current, tr("All Files (*)"),
                                   nullptr, QFileDialog::DontConfirmOverwrite);
  if (!chosen.isEmpty()) app::MoveDocumentationFile(m->file(), chosen.toStdString());
}

void ProjectTree::deleteCurrent() {
  app::ProjectModel* m = model();
  const QString module = ModuleOf(currentItem());
  if (m && !module.isEmpty()) app::ModuleOperations(*m, &m_frame).deleteModule(ToStored(module));
}

void ProjectTree::insertForCurrent() {
  app::ProjectModel* m = model();
  QTreeWidgetItem* item = currentItem();
  if (!m || !item) return;
  const auto top = TopItemOf(item->parent() ? item->parent() : item);
  const auto kind = top ? app::GroupKind(*top) : std::nullopt;
  if (kind) m_frame.insertModule(*kind);
}

void ProjectTree::toggleDownload(const QString& fileName) {
  if (app::ProjectModel* m = model()) {
    app::ModuleOperations(*m, &m_frame).toggleDownloadSelection(ToStored(fileName));
  } else if (app::ProjectSession* session = m_frame.session()) {
    refresh(session->model());  // the click changed the mark; the selection did not
  }
}

// The click has changed the check mark already; the model follows once the click is
// over, and the refresh then rebuilds the items.
void ProjectTree::checkChanged(QTreeWidgetItem* item) {
  const QString module = ModuleOf(item);
  if (m_filling || module.isEmpty()) return;
  QTimer::singleShot(0, this, [this, module] { toggleDownload(module); });
}

void ProjectTree::keyPressEvent(QKeyEvent* event) {
  QTreeWidgetItem* item = currentItem();
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      openItem(item);
      return;
    case Qt::Key_Delete:
      deleteCurrent();
      return;
    case Qt::Key_Insert:
      insertForCurrent();
      return;
    case Qt::Key_Space:
      if (const QString module = ModuleOf(item); !module.isEmpty()) {
        toggleDownload(module);
        return;
      }
      break;
    default:
      break;
  }
  QTreeWidget::keyPressEvent(event);
}

void ProjectTree::contextMenuEvent(QContextMenuEvent* event) {
  QTreeWidgetItem* item = itemAt(viewport()->mapFromGlobal(event->globalPos()));
  if (!item || !model()) return;
  setCurrentItem(item);
  QMenu menu(this);
  const auto top = TopItemOf(item);
  const auto group = top ? app::GroupKind(*top) : std::nullopt;
  if (group) {
    for (int k = 0; k < 3; ++k) {
      const auto kind = static_cast<app::ModuleKind>(k);
      menu.addAction(tr("Insert %1...").arg(kKindNames[k]), this,
                     [this, kind] { m_frame.insertModule(kind); });
    }
    // Modules are imported as programs or function blocks, never as CMPs.
    if (*group != app::ModuleKind::Cmp) {
      menu.addAction(tr("Import..."), this, [this] { m_frame.importModule(); });
    }
  } else if (!ModuleOf(item).isEmpty()) {
    menu.addAction(tr("&Open"), this, [this, item] { openItem(item); });
    menu.addAction(tr("&Properties"), this, &ProjectTree::propertiesOfCurrent);
    menu.addAction(tr("&Delete"), this, &ProjectTree::deleteCurrent);
    menu.addSeparator();
    const auto kind = app::GroupKind(*TopItemOf(item->parent()));
    menu.addAction(tr("&Insert %1...").arg(kKindNames[static_cast<int>(*kind)]), this,
                   &ProjectTree::insertForCurrent);
  } else {
    menu.addAction(tr("&Open"), this, [this, item] { openItem(item); });
    if (top == app::TreeItem::ProjectDocumentation) {
      menu.addAction(tr("&Properties"), this, &ProjectTree::propertiesOfCurrent);
    }
  }
  menu.exec(event->globalPos());
}

}  // namespace zel::ui
