// The main frame's menus, toolbar and the rules that enable their commands.

#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include "app/preferences/recent_projects.h"
#include "ui/allocation/allocation_list_view.h"
#include "ui/editor/stl_shortcut_bar.h"
#include "ui/editor/stl_view.h"
#include "ui/frame/document_window.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/message_window.h"
#include "ui/io/io_config_view.h"
#include "ui/library/driver_config_view.h"
#include "ui/online/controller_connection.h"
#include "ui/project/project_tree.h"
#include "ui/widgets/stored_text.h"
#include "ui/widgets/window_icons.h"

namespace zel::ui {

namespace {

// A command whose window or job a later version of the program adds: shown, never
// enabled, so nothing pretends to work.
QAction* Later(QMenu* menu, const QString& text, const QKeySequence& key = {}) {
  QAction* action = menu->addAction(text);
  action->setShortcut(key);
  action->setEnabled(false);
  action->setProperty("zelLater", true);
  return action;
}

}  // namespace

void MainFrame::createActions() {
  auto* self = this;
  auto make = [self](const QString& text, auto slot, const QKeySequence& key = {}) {
    auto* action = new QAction(text, self);
    action->setShortcut(key);
    QObject::connect(action, &QAction::triggered, self, slot);
    return action;
  };
  MainActions& a = m_actions;
  a.newProject = make(tr("&New..."), [this] { newProject(); });
  a.openProject = make(tr("&Open..."), [this] { openProjectDialog(); });
  a.closeProject = make(tr("&Close"), [this] { closeProjectCommand(); });
  a.projectSettings = make(tr("Settings..."), [this] { projectSettings(); });
  a.exploreProjects = make(tr("&Explore..."), [this] { exploreProjects(); });
  a.exit = make(tr("E&xit"), [this] { close(); });
  a.cut = make(
      tr("Cu&t"), [this] { cut(); }, QKeySequence::Cut);
  a.copy = make(
      tr("&Copy"), [this] { copy(); }, QKeySequence::Copy);
  a.paste = make(
      tr("&Paste"), [this] { paste(); }, QKeySequence::Paste);
  a.find = make(
      tr("&Find..."), [this] { find(false); }, QKeySequence::Find);
  a.replace = make(
      tr("R&eplace..."), [this] { find(true); }, QKeySequence(Qt::CTRL | Qt::Key_H));
  a.projectTree = make(tr("Pro&ject Tree"), [this] { showProjectTree(true); });
  a.allocationList = make(tr("&Allocation List"), [this] {
    openWindow({app::WindowKind::AllocList, std::nullopt});
  });
  a.insertOperand = make(tr("&Operand..."), [this] { insertOperand(); });
  a.controllerSettings = make(tr("&Controller Settings"), [this] { controllerSettings(); });
  a.projectDocumentation = make(tr("Project &Documentation"), [this] { projectDocumentation(); });
  a.messageWindow = make(tr("&Message Window"), [this] { showMessageWindow(true); });
  a.properties = make(tr("&Properties"), [this] { properties(); });
  a.newProgram = make(tr("New &Program..."), [this] { insertModule(app::ModuleKind::Program); });
  a.newCmp = make(tr("New C&MP..."), [this] { insertModule(app::ModuleKind::Cmp); });
  a.newCfm = make(tr("New C&FM..."), [this] { insertModule(app::ModuleKind::Cfm); });
  a.programNew = make(tr("&New..."), [this] { insertModule(std::nullopt); });
  a.programOpen = make(tr("&Open..."), [this] { openProgram(); });
  a.programDelete = make(tr("&Delete..."), [this] { deleteProgram(); });
  a.programImport = make(tr("&Import..."), [this] { importModule(); });
  a.importModule = make(tr("&Import Module..."), [this] { importModule(); });
  a.importFromLibrary = make(tr("Import Module from &Library..."), [this] { importFromLibrary(); });
  a.crossReference = make(tr("Cross &Reference"), [this] { crossReference(); });
  a.selectForDownload = make(tr("Select &for Download"), [this] { selectForDownload(); });
  a.moduleCall = make(tr("Module &Call..."), [this] { insertModuleCall(); });
  a.programSave = make(
      tr("&Save"), [this] { saveProgram(); }, QKeySequence::Save);
  a.programSaveAs = make(tr("Save &As..."), [this] { saveProgramAs(); });
  a.programSaveAll = make(tr("Save A&ll"), [this] { saveAllPrograms(); });
  a.compile = make(
      tr("Co&mpile"), [this] { compileProgram(); }, QKeySequence(Qt::CTRL | Qt::Key_F7));
  a.preferences = make(tr("&Preferences..."), [this] { preferencesDialog(); });
  a.helpTopics = make(
      tr("&Help Topics"), [this] { helpTopics(); }, QKeySequence::HelpContents);
}

void MainFrame::createMenus() {
  MainActions& a = m_actions;
  QMenu* project = menuBar()->addMenu(tr("&Project"));
  project->addActions({a.newProject, a.openProject, a.closeProject});
  project->addSeparator();
  project->addActions({a.projectSettings, a.exploreProjects});
  project->addSeparator();
  a.makeProject = project->addAction(tr("&Make Project"), QKeySequence(Qt::Key_F7), this,
                                     [this] { startBuild(build::BuildMode::Make); });
  a.buildProject = project->addAction(tr("&Build Project"), this,
                                      [this] { startBuild(build::BuildMode::Build); });
  a.cleanUp = project->addAction(tr("Clean &Up"), this, [this] { cleanUpProject(); });
  project->addSeparator();
  a.backup = project->addAction(tr("Bac&kup..."), this, [this] { backupProject(); });
  a.restore = project->addAction(tr("&Restore..."), this, [this] { restoreProject(); });
  a.listProjectFile = project->addAction(tr("&List Project File"), this, [this] { listRunFile(); });
  a.printProject = project->addAction(tr("&Print..."), this, [this] { printProject(); });
  project->addSeparator();
  project->addActions({a.importModule, a.importFromLibrary, a.crossReference});
  project->addSeparator();
  a.recentMenu = project->addMenu(tr("Recent Projects"));
  // The list changes after the project hooks have run (an open adds its project last),
  // so it is read again whenever the menu is about to show.
  connect(project, &QMenu::aboutToShow, this, &MainFrame::updateRecentMenu);
  project->addSeparator();
  project->addAction(a.exit);

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  a.undo = edit->addAction(tr("&Undo"), QKeySequence::Undo, this, [this] {
    if (StlView* view = activeStlView()) view->editor()->undo();
  });
  edit->addSeparator();
  edit->addActions({a.cut, a.copy, a.paste});
  edit->addSeparator();
  edit->addActions({a.find, a.replace});

  QMenu* view = menuBar()->addMenu(tr("&View"));
  view->addAction(a.projectTree);
  view->addAction(a.allocationList);
  view->addAction(a.controllerSettings);
  a.driverConfiguration = view->addAction(tr("Dri&ver Configuration"), this, [this] {
    openWindow({app::WindowKind::DriverConfig, std::nullopt});
  });
  a.ioConfiguration = view->addAction(tr("&IO Configuration"), this, [this] {
    openWindow({app::WindowKind::IoConfig, std::nullopt});
  });
  view->addAction(a.projectDocumentation);
  view->addSeparator();
  a.statusBar = view->addAction(tr("&Status Bar"));
  a.statusBar->setCheckable(true);
  a.statusBar->setChecked(true);
  connect(a.statusBar, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
  a.viewMenu = view;
  a.shortcutBar = view->addAction(tr("S&hortcut Bar"));
  a.shortcutBar->setCheckable(true);
  view->addAction(a.messageWindow);
  view->addSeparator();
  view->addAction(a.properties);

  QMenu* insert = menuBar()->addMenu(tr("&Insert"));
  insert->addActions({a.newProgram, a.newCmp, a.newCfm});
  insert->addSeparator();
  a.stlInstruction = insert->addMenu(tr("STL Instruction"));
  insert->addAction(a.moduleCall);
  insert->addSeparator();
  insert->addAction(a.insertOperand);
  a.insertDriver = insert->addAction(tr("&Driver..."), this, [this] { insertDriver(); });
  a.insertIoModule = insert->addAction(tr("&IO Module..."), this, [this] { insertIoModule(); });

  QMenu* program = menuBar()->addMenu(tr("P&rogram"));
  program->addActions({a.programNew, a.programOpen});
  program->addActions({a.programSave, a.programSaveAs, a.programSaveAll});
  program->addSeparator();
  program->addActions({a.programDelete, a.selectForDownload});
  program->addSeparator();
  program->addAction(a.programImport);
  program->addAction(a.compile);
  a.programPrint = program->addAction(tr("&Print..."), this, [this] { printActiveWindow(); });

  QMenu* online = menuBar()->addMenu(tr("&Online"));
  online->addAction(tr("&Login..."), this, [this] { m_controller->login(); })
      ->setObjectName("onlineLogin");
  online->addAction(tr("Log&out"), this, [this] { m_controller->logout(); })
      ->setObjectName("onlineLogout");
  online->addSeparator();
  Later(online, tr("&Control Panel"));
  Later(online, tr("&Terminal"));
  Later(online, tr("&Online Display"));
  Later(online, tr("&File Transfer"));
  online->addSeparator();
  a.download = Later(online, tr("&Download Project"), Qt::Key_F5);
  a.update = Later(online, tr("Update P&roject"), QKeySequence(Qt::CTRL | Qt::Key_F5));
  Later(online, tr("Upload Proj&ect"));
  online->addSeparator();
  Later(online, tr("Editor"));
  Later(online, tr("Online"));
  online->addSeparator();
  Later(online, tr("&Signed"));
  Later(online, tr("&Unsigned"));
  Later(online, tr("He&xadecimal"));
  online->addSeparator();
  Later(online, tr("&Goto ..."));
  Later(online, tr("Change Update S&peed..."));

  QMenu* extras = menuBar()->addMenu(tr("E&xtras"));
  extras->addAction(a.preferences);
  a.library = extras->addAction(tr("&Library..."), this, [this] { libraryDialog(); });
  extras->addSeparator();
  a.configureTools =
      extras->addAction(tr("Configure &Tools ..."), this, [this] { configureTools(); });
  extras->addSeparator();
  m_extrasMenu = extras;
  connect(extras, &QMenu::aboutToShow, this, &MainFrame::updateToolsMenu);
  updateToolsMenu();

  createDriverConfigMenu();
  createIoConfigMenu();

  QMenu* window = menuBar()->addMenu(tr("&Window"));
  window->addAction(tr("&Cascade"), m_mdi, &QMdiArea::cascadeSubWindows);
  window->addAction(tr("&Tile"), m_mdi, &QMdiArea::tileSubWindows);
  window->addAction(tr("Close &All"), this, [this] { closeAllDocumentWindows(); });
  window->addSeparator();
  window->addAction(tr("&Next"), QKeySequence(Qt::CTRL | Qt::Key_F6), m_mdi,
                    &QMdiArea::activateNextSubWindow);

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  help->addAction(a.helpTopics);
  help->addAction(tr("&About ZEL..."), this, [this] {
    QMessageBox::about(this, tr("About ZEL"),
                       tr("ZEL %1\nProgramming environment for small industrial controllers")
                           .arg(QApplication::applicationVersion()));
  });
}

void MainFrame::createToolBar() {
  QToolBar* bar = addToolBar(tr("Toolbar"));
  bar->setObjectName("Toolbar");
  QStyle* s = style();
  m_actions.newProject->setIcon(s->standardIcon(QStyle::SP_FileDialogNewFolder));
  m_actions.openProject->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
  m_actions.programSave->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  m_actions.projectTree->setIcon(s->standardIcon(QStyle::SP_FileDialogListView));
  m_actions.messageWindow->setIcon(s->standardIcon(QStyle::SP_FileDialogDetailedView));
  m_actions.makeProject->setIcon(s->standardIcon(QStyle::SP_BrowserReload));
  m_actions.download->setIcon(s->standardIcon(QStyle::SP_ArrowDown));
  m_actions.helpTopics->setIcon(HelpIcon());
  bar->addActions({m_actions.newProject, m_actions.openProject, m_actions.programSave});
  bar->addSeparator();
  bar->addActions({m_actions.projectTree, m_actions.messageWindow});
  bar->addSeparator();
  m_actions.compile->setIcon(s->standardIcon(QStyle::SP_MediaPlay));
  bar->addActions({m_actions.compile, m_actions.makeProject, m_actions.download});
  bar->addSeparator();
  bar->addAction(m_actions.helpTopics);
  m_actions.toolbar = bar->toggleViewAction();
  m_actions.toolbar->setText(tr("&Toolbar"));
  m_actions.viewMenu->insertAction(m_actions.statusBar, m_actions.toolbar);
}

void MainFrame::updateActions() {
  MainActions& a = m_actions;
  const bool open = projectCommandsAllowed();
  const bool session = m_session != nullptr && !m_busy;
  for (QAction* action :
       {a.newProject, a.openProject, a.exploreProjects, a.library, a.backup, a.restore}) {
    action->setEnabled(session);
  }
  for (QAction* action :
       {a.closeProject, a.projectSettings, a.projectTree, a.controllerSettings,
        a.projectDocumentation, a.allocationList, a.insertOperand, a.newProgram, a.newCmp, a.newCfm,
        a.driverConfiguration, a.insertDriver, a.ioConfiguration, a.insertIoModule, a.programNew,
        a.programOpen, a.programDelete, a.selectForDownload}) {
    action->setEnabled(open);
  }
  for (QAction* action :
       {a.makeProject, a.buildProject, a.cleanUp, a.listProjectFile, a.printProject}) {
    action->setEnabled(open);
  }
  for (QAction* action : {a.programImport, a.importModule, a.importFromLibrary, a.crossReference}) {
    action->setEnabled(open);
  }
  a.recentMenu->setEnabled(session && !a.recentMenu->isEmpty());
  QMdiSubWindow* active = m_mdi->activeSubWindow();
  const QWidget* content = active ? active->widget() : nullptr;
  const bool allocation = qobject_cast<const AllocationListView*>(content) != nullptr;
  const bool editor = qobject_cast<const StlView*>(content) != nullptr;
  const bool io = qobject_cast<const IoConfigView*>(content) != nullptr;
  a.properties->setEnabled(open && (allocation || io || qobject_cast<const ProjectTree*>(content)));
  a.copy->setEnabled(allocation || editor || io ||
                     qobject_cast<const MessageWindow*>(content) != nullptr);
  for (QAction* action : {a.cut, a.paste}) action->setEnabled(allocation || editor || io);
  for (QAction* action : {a.find, a.replace}) action->setEnabled(allocation || editor);
  a.undo->setEnabled(editor && activeStlView()->editor()->document()->isUndoAvailable());
  // Editing goes on while a compilation runs; saving and compiling wait for it.
  a.stlInstruction->setEnabled(editor);
  a.moduleCall->setEnabled(editor && open);
  for (QAction* action : {a.programSave, a.programSaveAs, a.compile}) {
    action->setEnabled(editor && open);
  }
  a.programSaveAll->setEnabled(open && !stlViews().empty());
  a.programPrint->setEnabled(open && activeSection().has_value());
  updateDriverConfigMenu(qobject_cast<const DriverConfigView*>(content));
  updateIoConfigMenu(qobject_cast<const IoConfigView*>(content));
  if (m_shortcutBar) m_shortcutBar->setCommandsEnabled(editor);
  if (m_lineStatus) {
    const StlView* view = qobject_cast<const StlView*>(content);
    m_lineStatus->setText(view ? view->editor()->lineStatus() : QString());
  }
}

// The bar's keyword buttons type into the active editor; its place is kept in "STL_BAR".
void MainFrame::createShortcutBar() {
  m_shortcutBar = new StlShortcutBar(this);
  addDockWidget(Qt::RightDockWidgetArea, m_shortcutBar);
  connect(m_shortcutBar, &StlShortcutBar::insertRequested, this, &MainFrame::insertKeyword);
  connect(m_shortcutBar, &StlShortcutBar::moduleCallRequested, this, &MainFrame::insertModuleCall);
  connect(m_shortcutBar, &StlShortcutBar::operandRequested, this, &MainFrame::insertOperand);
  QAction* toggle = m_shortcutBar->toggleViewAction();
  connect(m_actions.shortcutBar, &QAction::triggered, toggle, &QAction::trigger);
  connect(toggle, &QAction::toggled, m_actions.shortcutBar, &QAction::setChecked);
  m_actions.shortcutBar->setChecked(m_shortcutBar->isVisibleTo(this));
}

void MainFrame::updateRecentMenu() {
  QMenu* menu = m_actions.recentMenu;
  // An entry may be the action that is being triggered right now: delete it later.
  for (QAction* action : menu->actions()) {
    menu->removeAction(action);
    action->deleteLater();
  }
  if (m_session) {
    const auto entries = m_session->recentProjects();
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const QString text = QString("&%1 %2").arg(i + 1).arg(FromStored(entries[i]));
      menu->addAction(text, this, [this, i] { openRecent(static_cast<int>(i)); });
    }
  }
  menu->setEnabled(m_session && !m_busy && !menu->isEmpty());
}

}  // namespace zel::ui
