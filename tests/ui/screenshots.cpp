// Saves pictures of the main windows for the README: run in a copy of the demo
// workspace on the offscreen platform, with the directory for the PNG files as argument.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "app/preferences/startup.h"
#include "app/shell/message_service.h"
#include "library/driver_options_model.h"
#include "library/driver_script.h"
#include "library/runtime_folder.h"
#include "platform/message_box.h"
#include "stl/compile/compile_driver.h"
#include "ui/allocation/allocation_list_view.h"
#include "ui/dialogs/controller_settings_dialog.h"
#include "ui/dialogs/preferences_dialog.h"
#include "ui/editor/stl_shortcut_bar.h"
#include "ui/editor/stl_view.h"
#include "ui/frame/document_window.h"
#include "ui/frame/main_frame.h"
#include "ui/frame/message_pump.h"
#include "ui/io/io_config_view.h"
#include "ui/library/driver_options_dialog.h"
#include "ui/library/library_dialog.h"
#include "ui/project/program_properties_dialog.h"
#include "ui/project/project_explorer_dialog.h"
#include "ui/project/project_tree.h"

namespace {

using namespace zel;

bool Save(QWidget& widget, const QString& dir, const QString& name) {
  widget.show();
  QApplication::processEvents();
  const QString file = QDir(dir).filePath(name + ".png");
  if (!widget.grab().save(file)) {
    std::cerr << "cannot write " << file.toStdString() << "\n";
    return false;
  }
  std::cout << file.toStdString() << "\n";
  return true;
}

void FillMessageWindow(ui::MainFrame& frame) {
  frame.showMessageWindow(false);
  app::PrintMessage("INFO: Project DEMO opened.\r\n");
  app::PrintMessage("INFO: 4 programs, 1 CMP, 1 CFM; 5 selected for download.\r\n");
}

// The list in its own window, with the outputs selected and the operand order shown.
bool SaveAllocationList(ui::MainFrame& frame, const QString& dir) {
  ui::DocumentWindow* window = frame.openWindow({app::WindowKind::AllocList, std::nullopt});
  ui::AllocationListView* view = frame.allocationList();
  if (!window || !view) return false;
  window->setGeometry(0, 0, 560, 400);
  view->selectEntries({4, 5});
  const bool ok = Save(*window, dir, "allocation_list");
  delete window;
  return ok;
}

// The demo's IO configuration with the digital cards selected.
bool SaveIoConfiguration(ui::MainFrame& frame, const QString& dir) {
  ui::DocumentWindow* window = frame.openWindow({app::WindowKind::IoConfig, std::nullopt});
  ui::IoConfigView* view = frame.activeIoConfig();
  if (!window || !view) return false;
  window->setGeometry(0, 0, 460, 260);
  view->selectEntries({1, 2});
  const bool ok = Save(*window, dir, "io_configuration");
  delete window;
  return ok;
}

// The main program compiled from its editor: the editor beside the tree, the message
// window below with the compiler's report.
bool SaveCompiledEditor(ui::MainFrame& frame, const QString& dir) {
  if (!frame.openWindowByName("CZ0P00V1.awl")) return false;
  ui::DocumentWindow* editor = frame.findWindow(app::WindowKind::StlEditor, "CZ0P00V1.awl");
  if (!editor) return false;
  editor->setGeometry(0, 0, 845, 420);
  ui::StlView* view = frame.activeStlView();
  if (!view) return false;
  frame.actions().compile->trigger();
  // The frame learns of the end from the job's done message, posted like the report.
  QElapsedTimer clock;
  clock.start();
  while (view->compiling() && clock.elapsed() < 10000) {
    QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
  }
  QApplication::processEvents();
  view->editor()->goToLine(24);
  return Save(frame, dir, "stl_editor");
}

// A line typed with two operands in a row, left: the check marks it while the user types
// on, and a symbol the list lacks is coloured as unknown.
bool SaveEditorWithErrorMark(ui::MainFrame& frame, const QString& dir) {
  if (!frame.openWindowByName("CZ0P01V1.awl")) return false;
  ui::DocumentWindow* window = frame.findWindow(app::WindowKind::StlEditor, "CZ0P01V1.awl");
  ui::StlView* view = frame.activeStlView();
  if (!window || !view) return false;
  window->setGeometry(0, 0, 700, 330);
  ui::StlEditor& editor = *view->editor();
  editor.setOfferAllocationEntries(false);  // the entry dialog would wait for a user
  editor.goToLine(9);
  editor.moveCursor(QTextCursor::EndOfBlock);
  editor.insertAtCaret("\nif ACTUAL SETPONT");
  editor.goToLine(4);
  QElapsedTimer clock;
  clock.start();
  do {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  } while ((editor.lineCheckBusy() || editor.markedLines().empty()) && clock.elapsed() < 5000);
  const bool ok = Save(*window, dir, "stl_editor_error_mark");
  editor.document()->setModified(false);  // the picture's line is not saved
  delete window;
  return ok;
}

// The library dialog on the project's type, and the options dialog generated from the
// demo driver that has an option of every kind.
bool SaveLibraryDialogs(ui::MainFrame& frame, const QString& dir) {
  app::ProjectModel& model = frame.session()->model();
  const std::filesystem::path programDir = frame.preferences().programDirectory();
  library::LibraryPlace place{programDir, model.target(), frame.session()->projectDirectory(),
                              model.name()};
  ui::LibraryDialog libraryDialog(place, &frame);
  libraryDialog.resize(620, 300);
  bool ok = Save(libraryDialog, dir, "library_drivers");
  const auto script =
      library::DriverScript::load(library::DriverScriptPath(programDir, model.target(), "OPTDEMO"));
  if (!script) return false;
  library::DriverOptionsModel options(*script, model.file(), model.target());
  ui::DriverOptionsDialog optionsDialog(options, &frame);
  return Save(optionsDialog, dir, "driver_options") && ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::cerr << "usage: ui_screenshots OUTPUT_DIRECTORY (run in a workspace)\n";
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  platform::SetMessageBoxHost(std::make_shared<platform::ConsoleHost>());
  ui::MessagePump pump;
  ui::MainFrame frame(app::BeginStartup(std::filesystem::current_path()));
  frame.resize(1100, 720);
  if (!frame.setUpProjectDirectory()) return 1;
  frame.reopenLastProject();
  frame.show();
  // Docked, so the picture of the frame holds it (a floating bar is a window of its own).
  frame.shortcutBar()->applyState({true, false, 230, -1, -1, app::kDockRight}, frame);
  // Its default place: wide enough for the program names.
  frame.showProjectTree(true);
  FillMessageWindow(frame);
  bool ok = Save(frame, out, "main_frame");
  ok = SaveAllocationList(frame, out) && ok;
  ok = SaveIoConfiguration(frame, out) && ok;
  ok = SaveCompiledEditor(frame, out) && ok;
  ok = SaveEditorWithErrorMark(frame, out) && ok;
  app::ProjectModel& model = frame.session()->model();
  ui::ControllerSettingsDialog settings(app::ControllerSettings(model.file()), &frame);
  ok = Save(settings, out, "controller_settings") && ok;
  ui::PreferencesDialog preferences(frame.preferences(), &model.file(), &frame);
  preferences.pages()->setCurrentIndex(1);
  ok = Save(preferences, out, "preferences") && ok;
  ui::ProjectExplorerDialog explorer(*frame.session(), {}, &frame);
  ok = Save(explorer, out, "project_explorer") && ok;
  if (!model.modules().empty()) {
    ui::ProgramPropertiesDialog properties(model, model.modules().front().fileName, &frame, &frame);
    ok = Save(properties, out, "program_properties") && ok;
  }
  ok = SaveLibraryDialogs(frame, out) && ok;
  frame.session()->closeProject();
  return ok ? 0 : 1;
}
