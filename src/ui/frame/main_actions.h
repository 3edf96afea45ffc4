#pragma once
// The main frame's commands as actions, so menus, toolbar, tests and the enabling rules
// all refer to the same objects.

#include <QAction>
#include <QMenu>

namespace zel::ui {

struct MainActions {
  // Project
  QAction* newProject = nullptr;
  QAction* openProject = nullptr;
  QAction* closeProject = nullptr;
  QAction* projectSettings = nullptr;
  QAction* exploreProjects = nullptr;
  QMenu* recentMenu = nullptr;
  QAction* makeProject = nullptr;
  QAction* buildProject = nullptr;
  QAction* cleanUp = nullptr;
  QAction* backup = nullptr;
  QAction* restore = nullptr;
  QAction* listProjectFile = nullptr;
  QAction* printProject = nullptr;
  QAction* importModule = nullptr;
  QAction* importFromLibrary = nullptr;
  QAction* crossReference = nullptr;
  QAction* exit = nullptr;
  // Edit
  QAction* undo = nullptr;
  QAction* cut = nullptr;
  QAction* copy = nullptr;
  QAction* paste = nullptr;
  QAction* find = nullptr;
  QAction* replace = nullptr;
  // View
  QMenu* viewMenu = nullptr;
  QAction* projectTree = nullptr;
  QAction* allocationList = nullptr;
  QAction* controllerSettings = nullptr;
  QAction* driverConfiguration = nullptr;
  QAction* ioConfiguration = nullptr;
  QAction* projectDocumentation = nullptr;
  QAction* toolbar = nullptr;
  QAction* statusBar = nullptr;
  QAction* shortcutBar = nullptr;
  QAction* messageWindow = nullptr;
  QAction* properties = nullptr;
  // Insert
  QAction* newProgram = nullptr;
  QAction* newCmp = nullptr;
  QAction* newCfm = nullptr;
  QMenu* stlInstruction = nullptr;
  QAction* moduleCall = nullptr;
  QAction* insertOperand = nullptr;
  QAction* insertDriver = nullptr;
  QAction* insertIoModule = nullptr;
  // Program
  QAction* programNew = nullptr;
  QAction* programOpen = nullptr;
  QAction* programSave = nullptr;
  QAction* programSaveAs = nullptr;
  QAction* programSaveAll = nullptr;
  QAction* programDelete = nullptr;
  QAction* selectForDownload = nullptr;
  QAction* programImport = nullptr;
  QAction* compile = nullptr;
  QAction* programPrint = nullptr;
  // Online
  QAction* download = nullptr;
  QAction* update = nullptr;
  // Extras
  QAction* preferences = nullptr;
  QAction* library = nullptr;
  QAction* configureTools = nullptr;
  // Help
  QAction* helpTopics = nullptr;
};

}  // namespace zel::ui
