#pragma once
// The main frame: menus, toolbar, status bar and the child windows of the one open
// project. It presents the project operations (it is their ShellHooks) and keeps the
// window registry's windows; all logic stays in the cores.

#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/preferences/preferences.h"
#include "app/project/project_session.h"
#include "app/shell/message_service.h"
#include "app/shell/shell_hooks.h"
#include "app/shell/window_list.h"
#include "app/shell/window_registry.h"
#include "app/tools/tool_record.h"
#include "build/archive_job.h"
#include "build/project_build.h"
#include "library/project_scripts.h"
#include "platform/messages.h"
#include "print/print_options.h"
#include "stl/alloc/allocation_list.h"
#include "stl/compile/compile_driver.h"
#include "stl/editor/commit.h"
#include "stl/editor/conversion_context.h"
#include "ui/frame/main_actions.h"

namespace zel::ui {

class AllocationListView;
class ControllerConnection;
class DriverConfigView;
class DocumentWindow;
class HelpWindow;
class TextFileWindow;
class MessageWindow;
class ProjectPrinter;
class ProjectTree;
class StlShortcutBar;
class StlView;
class IoConfigView;

class MainFrame : public QMainWindow, public app::ShellHooks {
  Q_OBJECT

 public:
  explicit MainFrame(app::Preferences preferences, QWidget* parent = nullptr);
  ~MainFrame() override;

  // Start-up, in this order after construction.
  void applyStoredPlacement();   // "MAIN_WINDOW" and "STL_BAR" on the same screen size
  bool setUpProjectDirectory();  // false: no valid project directory, the program ends
  void reopenLastProject();      // "PROJECT_CUR"

  const app::Preferences& preferences() const { return m_preferences; }
  app::ProjectSession* session() { return m_session.get(); }
  const MainActions& actions() const { return m_actions; }
  const stl::Compilation& compilation() const { return m_compilation; }
  QMdiArea* mdiArea() const { return m_mdi; }
  // While a build or a compilation runs the project commands wait, from the menus and
  // from the project tree alike.
  void setBusy(bool busy);
  bool projectCommandsAllowed() const;

  // The window registry.
  bool openWindowByName(std::string_view name);
  DocumentWindow* openWindow(const app::WindowTarget& target);
  DocumentWindow* findWindow(app::WindowKind kind, const QString& name = {}) const;
  std::vector<DocumentWindow*> documentWindows() const;
  // The part of the MDI area the child windows are kept inside, in their coordinates.
  app::WindowRect workArea() const;
  // Window > Close All.
  void closeAllDocumentWindows();
  // Where the message window stands, or stood when it was closed.
  std::optional<app::WindowPlacement> messageWindowPlacement() const;
  MessageWindow* showMessageWindow(bool activate);
  ProjectTree* projectTree() const;
  AllocationListView* allocationList() const;
  // The allocation list of the active window, when that is the one active.
  AllocationListView* activeAllocationList() const;
  IoConfigView* activeIoConfig() const;
  // The IO module scripts of the open project's type; empty while none is open.
  const library::IoModuleList& ioModules() const;
  void insertIoModule();
  DocumentWindow* showProjectTree(bool resetPlacement);
  std::vector<StlView*> stlViews() const;
  StlView* activeStlView() const;
  StlView* stlView(std::string_view fileName) const;
  StlShortcutBar* shortcutBar() const { return m_shortcutBar; }
  QLabel* lineStatus() const { return m_lineStatus; }
  ControllerConnection* controller() const { return m_controller; }
  // The program's own windows for the manual and the documentation file, once the
  // desktop could not open them.
  HelpWindow* helpWindow() const { return m_helpWindow; }
  TextFileWindow* textFileWindow() const { return m_textWindow; }
  QLabel* projectStatus() const { return m_projectStatus; }
  QLabel* stateStatus() const { return m_stateStatus; }

  // Commands.
  void newProject();
  void openProjectDialog();
  bool closeProjectCommand();
  void projectSettings();
  void exploreProjects();
  void openRecent(int index);
  void preferencesDialog();
  void controllerSettings();
  void projectDocumentation();
  void insertModule(std::optional<app::ModuleKind> kind);
  void openProgram();
  void deleteProgram();
  void selectForDownload();
  // Compiled modules into the project: a file the user chooses, or the run-time library's.
  void importModule();
  void importModuleFile(const std::filesystem::path& file);  // after the file was chosen
  void importFromLibrary();
  // The project's cross reference, built, written to "XREF.txt" and shown.
  void crossReference();
  TextFileWindow* crossReferenceWindow() const { return m_xrefWindow; }
  void properties();
  void helpTopics();
  // External tools (Extras menu).
  void configureTools();
  void runTool(std::size_t index);
  bool waitingForTool() const { return m_waitingForTool; }
  // The run-time library and the project's drivers.
  void libraryDialog();
  void insertDriver();
  DriverConfigView* driverConfiguration() const;
  const library::ProjectScripts* projectScripts() const { return m_scripts.get(); }
  const std::vector<QAction*>& toolActions() const { return m_toolActions; }
  void insertOperand();
  void cut();
  void copy();
  void paste();
  void find(bool replace);
  // The statement-list editors' commands.
  void insertKeyword(const QString& text);
  void insertModuleCall();
  bool saveProgram();
  void saveProgramAs();
  bool saveAllPrograms();
  void compileProgram();
  // Project > Make Project, Build Project, Clean Up, List Project File.
  void startBuild(build::BuildMode mode);
  void cleanUpProject();
  void listRunFile();
  // Project > Print... and Program > Print... (the active window's own section).
  void printProject();
  void printActiveWindow();
  void printSection(const print::SectionChoice& section);
  // The section the active window prints on its own; nullopt for a window without one.
  std::optional<print::SectionChoice> activeSection() const;
  ProjectPrinter* projectPrinter() const { return m_printer; }
  build::Builder& builder() { return m_builder; }
  // Project > Backup..., Restore...: the dialogs, then the job; the start* functions are
  // what the dialogs lead to (tests call them directly).
  void backupProject();
  void restoreProject();
  bool startBackup(const std::string& name, const std::filesystem::path& file);
  bool startRestore(const std::filesystem::path& file, const std::string& name);
  build::ArchiveJob& archiveJob() { return m_archive; }
  // The editor preferences changed: the insert commands and every open editor follow.
  void applyEditorPreferences();
  // A message window line "NAME.AWL(line) ...": opens the module on that line.
  bool goToMessageLine(const QString& line);
  // Switches to another project directory (the preferences changed it).
  void changeProjectDirectory(const std::filesystem::path& dir);

  // ShellHooks
  bool saveModifiedDocuments() override;
  void saveWindows(const app::ProjectModel& model) override;
  void closeAllDocuments() override;
  void restoreWindows(const app::ProjectModel& model) override;
  void projectChanged(const app::ProjectModel& model) override;
  void resetProjectTreePlacement() override;
  void openModule(const app::ModuleRecord& module) override;
  void closeModuleEditor(const app::ModuleRecord& module) override;
  void moduleRenamed(const app::ModuleRecord& from, const app::ModuleRecord& to) override;
  void saveModuleEditor(const app::ModuleRecord& module) override;

  // What the exit writes, also used by the tests.
  bool writeExitState();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void createActions();
  void createMenus();
  void createToolBar();
  void updateActions();
  void updateRecentMenu();
  void updateTitle();
  void createSession(std::filesystem::path dir);
  void attachMessageWindow(app::MessageWindowService& service);
  // A size places the new window inside the work area; without one it stays where the
  // area puts it.
  DocumentWindow* addWindow(app::WindowKind kind, const QString& name, QWidget* content,
                            QSize size = {});
  // Stored placements may come from a larger frame or a hand-edited file.
  void applyFittedPlacement(DocumentWindow& window, const app::WindowPlacement& placement);
  DocumentWindow* createAllocationList();
  DocumentWindow* createIoConfiguration();
  void saveListOrder(const AllocationListView& view) const;
  void noteUnavailable(std::string_view what);
  bool projectOpen() const;
  DocumentWindow* createStlEditor(const app::ModuleRecord& module);
  stl::ConversionContext editorContext() const;
  void reloadSymbols();
  void symbolsChanged();
  bool offerAllocationEntry(const stl::AllocationOffer& offer);
  void rebuildStlInstructionMenu();
  void updateToolsMenu();
  void runToolRecord(const app::ToolRecord& tool);
  bool closeOnlineWindows();
  void createProjectScripts();
  DocumentWindow* createDriverConfiguration();
  // Menu "Driver Config", shown while the Driver Configuration window is active.
  void createDriverConfigMenu();
  void updateDriverConfigMenu(const DriverConfigView* active);
  // Menu "IO Config", shown while the IO Configuration window is active.
  void createIoConfigMenu();
  void updateIoConfigMenu(const IoConfigView* active);
  void createShortcutBar();
  platform::LParam jobMessage(const platform::Message& message);
  void compileEnded();
  void addCrossReferencePrint(TextFileWindow& window);
  void buildEnded();
  void archiveEnded();
  bool archiveCommandsAllowed() const;

  app::Preferences m_preferences;
  std::unique_ptr<app::ProjectSession> m_session;
  // After the session: it detaches from the session's model before the model goes.
  QMdiArea* m_mdi = nullptr;
  MainActions m_actions;
  bool m_busy = false;
  // Answers "I_am_a_ZEL_program" with 1, so other programs can recognise this frame.
  platform::MessageTarget m_identity;
  // Remembered editors this program cannot show yet: kept so closing the project
  // writes them back instead of forgetting them.
  std::vector<app::WindowSnapshot> m_keptDocuments;
  std::optional<app::WindowPlacement> m_messagePlacement;
  // The project's allocation list as the editors show it. A list that could not be read
  // to its end is shown but never written from here, so no entry of it is lost.
  stl::AllocationList m_symbols;
  bool m_symbolsComplete = true;
  StlShortcutBar* m_shortcutBar = nullptr;
  bool m_activatedOnce = false;
  QLabel* m_lineStatus = nullptr;
  // Online > Login... and Logout, and the connection's state in the status bar.
  ControllerConnection* m_controller = nullptr;
  HelpWindow* m_helpWindow = nullptr;
  TextFileWindow* m_textWindow = nullptr;
  TextFileWindow* m_xrefWindow = nullptr;
  QLabel* m_projectStatus = nullptr;  // the open project and its controller type
  QLabel* m_stateStatus = nullptr;    // "Ready", or what the program does
  // Receives the messages of the frame's jobs: progress for the status bar, and their end.
  platform::MessageTarget m_jobs;
  stl::Compilation m_compilation;
  build::Builder m_builder;
  build::ArchiveJob m_archive;
  std::string m_restoring;     // the project a running restore makes
  QString m_archiveDirectory;  // where the last backup or restore file was
  std::filesystem::path m_compilingFile;
  QMenu* m_extrasMenu = nullptr;
  std::vector<QAction*> m_toolActions;  // the tools' entries, or the one "(External Tools)"
  bool m_waitingForTool = false;
  // The open project's scripts; made with the session, gone before it.
  std::unique_ptr<library::ProjectScripts> m_scripts;
  QMenu* m_driverConfigMenu = nullptr;
  QMenu* m_ioConfigMenu = nullptr;
  ProjectPrinter* m_printer = nullptr;
};

}  // namespace zel::ui
