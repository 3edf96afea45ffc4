// Project > Print... prints the project documentation; Program > Print... prints what the
// active window shows as a section of its own: an editor its module, the project tree,
// the allocation list, the IO configuration or the driver configuration. The cross
// reference's window prints the cross reference.

#include <QAction>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <memory>

#include "ui/allocation/allocation_list_view.h"
#include "ui/editor/stl_view.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/text_file_window.h"
#include "ui/io/io_config_view.h"
#include "ui/library/driver_config_view.h"
#include "ui/print/project_printer.h"
#include "ui/project/project_tree.h"

#ifndef ZEL_VERSION
#define ZEL_VERSION ""
#endif

namespace zel::ui {

namespace {

ProjectPrinter::Project PrintedProject(const app::Preferences& preferences,
                                       const app::ProjectSession& session) {
  return {preferences, session.projectDirectory(), session.model().name(), ZEL_VERSION};
}

}  // namespace

std::optional<print::SectionChoice> MainFrame::activeSection() const {
  QMdiSubWindow* active = m_mdi->activeSubWindow();
  const QWidget* content = active ? active->widget() : nullptr;
  if (!content) return std::nullopt;
  using print::SingleSection;
  if (const auto* view = qobject_cast<const StlView*>(content)) {
    return print::SectionChoice{SingleSection::Module, view->file().filename().string()};
  }
  if (qobject_cast<const ProjectTree*>(content)) return print::SectionChoice{};
  if (qobject_cast<const AllocationListView*>(content)) {
    return print::SectionChoice{SingleSection::AllocList, {}};
  }
  if (qobject_cast<const IoConfigView*>(content)) {
    return print::SectionChoice{SingleSection::IoConfig, {}};
  }
  if (qobject_cast<const DriverConfigView*>(content)) {
    return print::SectionChoice{SingleSection::Drivers, {}};
  }
  return std::nullopt;
}

void MainFrame::printProject() {
  if (!projectCommandsAllowed() || m_printer->running()) return;
  // The print-out reads the files: what the editors hold goes there first.
  if (!saveModifiedDocuments()) return;
  m_printer->printProject(PrintedProject(m_preferences, *m_session));
}

void MainFrame::printActiveWindow() {
  const auto section = activeSection();
  if (!section) return;
  if (section->section == print::SingleSection::Module) {
    StlView* view = activeStlView();
    if (view && !view->maybeSave()) return;
  }
  printSection(*section);
}

void MainFrame::printSection(const print::SectionChoice& section) {
  if (!projectCommandsAllowed() || m_printer->running()) return;
  m_printer->printSection(PrintedProject(m_preferences, *m_session), section);
}

// The cross reference's window is a window of its own, outside the frame's menus: its
// print command is its own too, on Ctrl+P and in its context menu.
void MainFrame::addCrossReferencePrint(TextFileWindow& window) {
  auto* action = new QAction(tr("&Print..."), &window);
  action->setObjectName("printCrossReference");
  action->setShortcut(QKeySequence::Print);
  connect(action, &QAction::triggered, this, [this] {
    printSection(print::SectionChoice{print::SingleSection::CrossRef, {}});
  });
  window.addAction(action);
  QPlainTextEdit* editor = window.editor();
  editor->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(editor, &QWidget::customContextMenuRequested, editor, [editor, action](QPoint at) {
    std::unique_ptr<QMenu> menu(editor->createStandardContextMenu());
    menu->addSeparator();
    menu->addAction(action);
    menu->exec(editor->mapToGlobal(at));
  });
}

}  // namespace zel::ui
