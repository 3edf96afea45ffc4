// The main frame's part of the window registry: opening windows by kind and name, and
// remembering and restoring them with the project.

#include <QLayout>
#include <QStatusBar>
#include <QStyle>
#include <algorithm>

#include "app/modules/module_messages.h"
#include "app/preferences/window_fit.h"
#include "app/shell/list_order.h"
#include "app/shell/message_service.h"
#include "app/shell/window_list.h"
#include "platform/message_box.h"
#include "platform/no_case.h"
#include "ui/allocation/allocation_list_view.h"
#include "ui/frame/document_window.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/message_window.h"
#include "ui/io/io_config_view.h"
#include "ui/project/project_tree.h"
#include "ui/widgets/stored_text.h"
#include "ui/widgets/window_geometry.h"
#include "ui/widgets/window_icons.h"

namespace zel::ui {

namespace {

// Below this a new window would not be worth the space beside the message window.
constexpr int kMinFreeHeight = 200;

bool IsEditor(app::WindowKind kind) {
  return kind == app::WindowKind::StlEditor || kind == app::WindowKind::LadderEditor;
}

QString WindowNameOf(const app::WindowTarget& target) {
  if (target.module) return FromStored(target.module->fileName);
  return FromStored(app::WindowInfo(target.kind).windowName);
}

app::WindowSnapshot SnapshotOf(const DocumentWindow& window) {
  return {ToStored(window.name()), window.placement(), window.isMaximized(), window.isMinimized()};
}

}  // namespace

std::vector<DocumentWindow*> MainFrame::documentWindows() const {
  std::vector<DocumentWindow*> windows;
  for (QMdiSubWindow* sub : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
    if (auto* window = qobject_cast<DocumentWindow*>(sub)) windows.push_back(window);
  }
  return windows;
}

DocumentWindow* MainFrame::findWindow(app::WindowKind kind, const QString& name) const {
  for (DocumentWindow* window : documentWindows()) {
    if (window->kind() != kind) continue;
    if (name.isEmpty() || window->name().compare(name, Qt::CaseInsensitive) == 0) return window;
  }
  return nullptr;
}

// New windows keep clear of the message window along the bottom when there is room, so
// its title and first lines stay in sight.
DocumentWindow* MainFrame::addWindow(app::WindowKind kind, const QString& name, QWidget* content,
                                     QSize size) {
  auto* window = new DocumentWindow(kind, name, content);
  window->setWindowIcon(WindowKindIcon(kind));
  m_mdi->addSubWindow(window);
  window->show();
  if (size.isEmpty()) return window;
  app::WindowRect area = workArea();
  if (kind != app::WindowKind::MessageWindow) {
    if (const DocumentWindow* messages = findWindow(app::WindowKind::MessageWindow);
        messages && !messages->isMinimized() && !messages->isMaximized()) {
      area = app::FreeArea(area, RectOf(messages->geometry()), kMinFreeHeight);
    }
  }
  const QPoint at = window->pos();
  const app::WindowRect wanted{at.x(), at.y(), at.x() + size.width(), at.y() + size.height()};
  window->setGeometry(QRectOf(app::FitInside(wanted, area, {size.width(), size.height()})));
  return window;
}

app::WindowRect MainFrame::workArea() const {
  // A bar docked a moment ago is laid out only when the frame's layout runs next.
  if (QLayout* frameLayout = layout()) frameLayout->activate();
  // Before the frame first shows (start-up restores the project's windows then), the
  // area's viewport is not laid out yet: the area's own size is known already.
  if (!m_mdi->isVisible()) {
    const QSize size = m_mdi->contentsRect().size();
    return {0, 0, size.width(), size.height()};
  }
  const QSize size = m_mdi->viewport()->size();
  return {0, 0, size.width(), size.height()};
}

void MainFrame::applyFittedPlacement(DocumentWindow& window,
                                     const app::WindowPlacement& placement) {
  const QSize fallback = window.size();
  ApplyPlacement(window,
                 app::FitPlacement(placement, workArea(), {fallback.width(), fallback.height()}));
}

bool MainFrame::openWindowByName(std::string_view name) {
  if (!m_session) return false;
  return app::OpenWindowByName(name, m_session->model(), [this](const app::WindowTarget& target) {
    return openWindow(target) != nullptr;
  });
}

// The kinds whose windows later versions add stay closed; the user is told on the
// status bar, since nothing went wrong.
DocumentWindow* MainFrame::openWindow(const app::WindowTarget& target) {
  DocumentWindow* window = findWindow(target.kind, WindowNameOf(target));
  if (!window) {
    switch (target.kind) {
      case app::WindowKind::ProjectTree:
        window = showProjectTree(false);
        break;
      case app::WindowKind::AllocList:
        window = createAllocationList();
        break;
      case app::WindowKind::IoConfig:
        window = createIoConfiguration();
        break;
      case app::WindowKind::MessageWindow:
        showMessageWindow(true);
        window = findWindow(app::WindowKind::MessageWindow);
        break;
      case app::WindowKind::StlEditor:
        if (!target.module) return nullptr;
        window = createStlEditor(*target.module);
        break;
      case app::WindowKind::DriverConfig:
        window = createDriverConfiguration();
        break;
      case app::WindowKind::LadderEditor:
        platform::ShowMessageBox(std::string(app::kMsgLadderNotImplemented));
        return nullptr;
      default:
        noteUnavailable(app::WindowInfo(target.kind).title);
        return nullptr;
    }
  }
  if (!window) return nullptr;
  if (window->isMinimized()) window->showNormal();
  m_mdi->setActiveSubWindow(window);
  return window;
}

ProjectTree* MainFrame::projectTree() const {
  DocumentWindow* window = findWindow(app::WindowKind::ProjectTree);
  return window ? qobject_cast<ProjectTree*>(window->widget()) : nullptr;
}

AllocationListView* MainFrame::allocationList() const {
  DocumentWindow* window = findWindow(app::WindowKind::AllocList);
  return window ? qobject_cast<AllocationListView*>(window->widget()) : nullptr;
}

AllocationListView* MainFrame::activeAllocationList() const {
  QMdiSubWindow* active = m_mdi->activeSubWindow();
  return active ? qobject_cast<AllocationListView*>(active->widget()) : nullptr;
}

DocumentWindow* MainFrame::createAllocationList() {
  if (!projectOpen()) return nullptr;
  auto* view = new AllocationListView(m_session->model().directory());
  DocumentWindow* window = addWindow(
      app::WindowKind::AllocList,
      FromStored(app::WindowInfo(app::WindowKind::AllocList).windowName), view, QSize(560, 380));
  connect(view, &AllocationListView::listChanged, this, &MainFrame::symbolsChanged);
  const std::string name(app::WindowInfo(app::WindowKind::AllocList).windowName);
  if (const auto order =
          app::ReadListOrder(m_session->model().file(), name, view->model().columnCount())) {
    view->setOrder(static_cast<stl::AllocationColumn>(order->column), order->reversed);
  }
  window->setCloseGuard([this, view] {
    saveListOrder(*view);
    return true;
  });
  return window;
}

IoConfigView* MainFrame::activeIoConfig() const {
  QMdiSubWindow* active = m_mdi->activeSubWindow();
  return active ? qobject_cast<IoConfigView*>(active->widget()) : nullptr;
}

const library::IoModuleList& MainFrame::ioModules() const {
  static const library::IoModuleList none;
  return m_scripts ? m_scripts->ioModules() : none;
}

// The configuration is read with its questions before the window shows; the user may
// choose to close it on the way.
DocumentWindow* MainFrame::createIoConfiguration() {
  if (!projectOpen()) return nullptr;
  const app::ProjectModel& model = m_session->model();
  auto view = std::make_unique<IoConfigView>(model.file(), model.target(), ioModules());
  if (!view->load()) return nullptr;
  DocumentWindow* window =
      addWindow(app::WindowKind::IoConfig,
                FromStored(app::WindowInfo(app::WindowKind::IoConfig).windowName), view.release());
  window->resize(420, 300);
  return window;
}

void MainFrame::insertIoModule() {
  if (!openWindow({app::WindowKind::IoConfig, std::nullopt})) return;
  if (IoConfigView* view = activeIoConfig()) view->insertModule();
}

DocumentWindow* MainFrame::showProjectTree(bool resetPlacement) {
  if (!projectOpen()) return nullptr;
  DocumentWindow* window = findWindow(app::WindowKind::ProjectTree);
  if (!window) {
    auto* tree = new ProjectTree(*this);
    window = addWindow(app::WindowKind::ProjectTree,
                       FromStored(app::WindowInfo(app::WindowKind::ProjectTree).windowName), tree);
    tree->refresh(m_session->model());
  }
  if (resetPlacement) {
    app::WindowPlacement placement = *app::ParsePlacement(app::kDefaultProjectTreePlacement);
    // The default width is a floor: program names are not cut while the area has room.
    auto* tree = qobject_cast<ProjectTree*>(window->widget());
    const int frame =
        window->style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, window);
    const int needed = tree ? tree->neededWidth() + 2 * frame : 0;
    const int widest = (placement.normal.right - placement.normal.left) * 2;
    placement.normal.right =
        placement.normal.left +
        std::max(placement.normal.right - placement.normal.left, std::min(needed, widest));
    applyFittedPlacement(*window, placement);
  }
  m_mdi->setActiveSubWindow(window);
  return window;
}

MessageWindow* MainFrame::showMessageWindow(bool activate) {
  app::ShowMessageWindow(activate);
  DocumentWindow* window = findWindow(app::WindowKind::MessageWindow);
  return window ? qobject_cast<MessageWindow*>(window->widget()) : nullptr;
}

// Showing a new window activates it; the message window becomes active only when its
// service is asked to activate it, so a job started from an editor leaves the editor active.
void MainFrame::attachMessageWindow(app::MessageWindowService& service) {
  QMdiSubWindow* active = m_mdi->activeSubWindow();
  auto* view = new MessageWindow(service);
  DocumentWindow* window = addWindow(app::WindowKind::MessageWindow, {}, view);
  connect(view, &MessageWindow::lineActivated, this, &MainFrame::goToMessageLine);
  view->setActivator([this, window] {
    if (window->isMinimized()) window->showNormal();
    m_mdi->setActiveSubWindow(window);
  });
  // Closing keeps the place for the next time it opens and for the exit.
  window->setCloseGuard([this, window] {
    m_messagePlacement = window->placement();
    return true;
  });
  // Where it stood last, else along the bottom third of the area.
  const app::WindowRect area = workArea();
  app::WindowPlacement placement;
  placement.normal = {area.left, area.bottom - (area.bottom - area.top) / 3, area.right,
                      area.bottom};
  if (m_messagePlacement) {
    placement = *m_messagePlacement;
  } else if (const auto stored = m_preferences.messageWindow()) {
    placement = *stored;
  }
  applyFittedPlacement(*window, placement);
  if (active) m_mdi->setActiveSubWindow(active);
}

std::optional<app::WindowPlacement> MainFrame::messageWindowPlacement() const {
  if (const DocumentWindow* window = findWindow(app::WindowKind::MessageWindow)) {
    return window->placement();
  }
  return m_messagePlacement;
}

// Documents only: the message window belongs to the program and stays. A document whose
// owner keeps it open (unsaved changes, Cancel) ends the command.
void MainFrame::closeAllDocumentWindows() {
  for (DocumentWindow* window : documentWindows()) {
    if (window->kind() == app::WindowKind::MessageWindow) continue;
    if (!window->close()) return;
  }
}

void MainFrame::saveListOrder(const AllocationListView& view) const {
  if (!projectOpen()) return;
  const std::string name(app::WindowInfo(app::WindowKind::AllocList).windowName);
  app::WriteListOrder(m_session->model().file(), name,
                      {static_cast<int>(view.model().column()), view.model().reversed()});
}

void MainFrame::saveWindows(const app::ProjectModel& model) {
  if (const AllocationListView* list = allocationList()) saveListOrder(*list);
  std::vector<app::WindowSnapshot> documents = m_keptDocuments;
  std::vector<app::WindowSnapshot> fixed;
  for (const DocumentWindow* window : documentWindows()) {
    if (IsEditor(window->kind())) {
      documents.push_back(SnapshotOf(*window));
    } else if (!window->name().isEmpty()) {
      fixed.push_back(SnapshotOf(*window));
    }
  }
  app::SaveWindowList(model.file(), documents, fixed);
}

void MainFrame::restoreWindows(const app::ProjectModel& model) {
  m_keptDocuments.clear();
  // The editors show the list's comments and colour by its symbols as they open.
  reloadSymbols();
  const auto saved = app::ReadWindowList(model.file());
  // A project that remembers no window at all would open as an empty frame.
  if (saved.empty()) {
    showProjectTree(true);
    return;
  }
  app::RestoreWindowList(
      model.file(), m_session->model(),
      [&](const app::WindowTarget& target) {
        if (openWindow(target)) return true;
        // An editor this version cannot show is remembered for the next close.
        if (!IsEditor(target.kind) || !target.module) return false;
        for (const auto& entry : saved) {
          const auto resolved = app::ResolveWindowName(entry.name, m_session->model());
          if (!resolved.target || !resolved.target->module ||
              resolved.target->module->fileName != target.module->fileName)
            continue;
          m_keptDocuments.push_back({target.module->fileName,
                                     entry.placement.value_or(app::WindowPlacement{}), false,
                                     false});
          break;
        }
        return false;
      },
      [&](const app::WindowTarget& target, const app::WindowPlacement& placement) {
        if (DocumentWindow* window = findWindow(target.kind, WindowNameOf(target))) {
          applyFittedPlacement(*window, placement);
        }
      });
}

void MainFrame::openModule(const app::ModuleRecord& module) {
  openWindowByName(module.fileName);
}

void MainFrame::closeModuleEditor(const app::ModuleRecord& module) {
  std::erase_if(m_keptDocuments, [&](const app::WindowSnapshot& kept) {
    return platform::EqualsNoCase(kept.name, module.fileName);
  });
  if (DocumentWindow* window =
          findWindow(app::WindowKind::StlEditor, FromStored(module.fileName))) {
    delete window;
  }
}

}  // namespace zel::ui
