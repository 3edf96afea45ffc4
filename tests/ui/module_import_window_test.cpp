// Importing compiled modules from the desktop program: a chosen file and the "Import
// Module" dialog, the run-time library's window, the module properties' language, and
// the cross reference window.

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTimer>

#include "platform/files.h"
#include "ui/frame/text_file_window.h"
#include "ui/project/import_module_dialog.h"
#include "ui/project/library_import_dialog.h"
#include "ui/project/program_properties_dialog.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

// Acts on the next modal dialog of kind `Dialog`, whatever else is modal meanwhile.
template <class Dialog>
void WhenDialog(std::function<void(Dialog&)> act) {
  auto* timer = new QTimer(qApp);
  timer->setObjectName(QStringLiteral("zelWhenModal"));  // CancelWhenModal drops it too
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, act = std::move(act)] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    timer->stop();
    timer->deleteLater();
    act(*dialog);
  });
  timer->start();
}

const app::ModuleRecord* Imported(MainFrame& frame, const std::string& name) {
  const auto* module = frame.session()->model().findModuleByName(name);
  return module && module->language == app::Language::Imported ? module : nullptr;
}

// Answers "Import Module": checks the preset, enters CMP `number` V1 with `comment`.
std::function<void(ImportModuleDialog&)> EnterIdentity(int number, QString comment) {
  return [number, comment](ImportModuleDialog& modal) {
    ImportModuleDialog* dialog = &modal;
    EXPECT_EQ(dialog->windowTitle(), "Import Module");
    EXPECT_EQ(dialog->fields()->commentField()->text(), "FILLVALV.OBJ");
    dialog->fields()->kindField()->setCurrentIndex(static_cast<int>(app::ModuleKind::Cmp));
    dialog->fields()->numberField()->setText(QString::number(number));
    if (!comment.isEmpty()) dialog->fields()->commentField()->setText(comment);
    dialog->accept();
  };
}

TEST(ImportModuleWindow, AChosenFileIsImportedUnderTheEnteredIdentity) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  const fs::path library = ws.dir() / "RUNTIME.VM1X" / "FILLVALV.OBJ";
  WhenDialog<ImportModuleDialog>(EnterIdentity(40, "Valve"));
  ws.frame().importModuleFile(library);
  ProcessEvents();
  const auto* module = Imported(ws.frame(), "CZ0B40V1.IMP");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->comment, "Valve");
  EXPECT_TRUE(module->selected);
  const fs::path project = ws.projects() / "DEMO";
  EXPECT_EQ(platform::ReadWholeFile(project / "CZ0B40V1.VM1X.OBJ"),
            platform::ReadWholeFile(library));
  EXPECT_TRUE(ws.answers().texts().empty());

  // The properties name the language its object file declares.
  ProgramPropertiesDialog properties(ws.frame().session()->model(), "CZ0B40V1.IMP", &ws.frame());
  EXPECT_TRUE(properties.infoText()->text().endsWith("Language:\tSTL (compiled)"))
      << properties.infoText()->text().toStdString();
}

TEST(ImportModuleWindow, AnEntryOutOfRangeKeepsTheDialogOpen) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  bool stayed = false;
  WhenDialog<ImportModuleDialog>([&](ImportModuleDialog& dialog) {
    dialog.fields()->kindField()->setCurrentIndex(static_cast<int>(app::ModuleKind::Cfm));
    dialog.fields()->numberField()->setText("100");
    dialog.accept();
    stayed = dialog.isVisible();
    dialog.reject();
  });
  ws.frame().importModuleFile(ws.dir() / "RUNTIME.VM1X" / "FILLVALV.OBJ");
  EXPECT_TRUE(stayed);
  EXPECT_EQ(ws.answers().texts(),
            std::vector<std::string>{"Please enter an integer between 0 and 99."});
  EXPECT_EQ(ws.frame().session()->model().findModuleByName("CZ0F100V1.IMP"), nullptr);
  EXPECT_FALSE(fs::exists(ws.projects() / "DEMO" / "CZ0F100V1.VM1X.OBJ"));
}

TEST(ImportModuleWindow, AFileThatIsNoModuleIsRefusedBeforeTheDialog) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  bool asked = false;
  WhenDialog<ImportModuleDialog>([&](ImportModuleDialog& dialog) {
    asked = true;
    dialog.reject();
  });
  const std::size_t modules = ws.frame().session()->model().modules().size();
  ws.frame().importModuleFile(ws.iniFile());
  CancelWhenModal();
  EXPECT_FALSE(asked);
  EXPECT_EQ(
      ws.answers().texts(),
      std::vector<std::string>{"'" + ws.iniFile().string() +
                               "'\n\nThis file is not a compiled module. Nothing was imported."});
  EXPECT_EQ(ws.frame().session()->model().modules().size(), modules);
}

TEST(LibraryImportWindow, OffersTheLibraryAndInsistsOnASelection) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  bool stayedOpen = false;
  WhenModal([&](QWidget& modal) {
    auto* dialog = qobject_cast<LibraryImportDialog*>(&modal);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Import Module from Library");
    ASSERT_EQ(dialog->list()->topLevelItemCount(), 1);
    QTreeWidgetItem* row = dialog->list()->topLevelItem(0);
    EXPECT_EQ(row->text(0), "FILLVALV.OBJ");
    EXPECT_EQ(row->text(1), "Language: STL (compiled) Version: 2.24");
    dialog->accept();
    stayedOpen = dialog->isVisible();
    row->setSelected(true);
    WhenDialog<ImportModuleDialog>(EnterIdentity(41, {}));
    dialog->accept();
  });
  ws.frame().actions().importFromLibrary->trigger();
  ProcessEvents();
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(ws.answers().texts(), std::vector<std::string>{"Please do select something!"});
  const auto* module = Imported(ws.frame(), "CZ0B41V1.IMP");
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(module->comment, "FILLVALV.OBJ");
  const fs::path imp = ws.projects() / "DEMO" / "CZ0B41V1.IMP";
  EXPECT_EQ(platform::ReadProfileString(imp, "Import", "VM1X", ""),
            (ws.dir() / "RUNTIME.VM1X" / "FILLVALV.OBJ").string());
}

TEST(CrossReferenceWindow, ShowsTheListAndWritesIt) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  ws.frame().actions().crossReference->trigger();
  ProcessEvents();
  TextFileWindow* window = ws.frame().crossReferenceWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->editor()->isReadOnly());
  const QString text = window->editor()->toPlainText();
  EXPECT_TRUE(text.startsWith("Cross Reference for Project DEMO\n")) << text.toStdString();
  // Nothing of the demo is compiled yet.
  EXPECT_TRUE(text.endsWith("WARNING: This Cross Reference is not recent.\n"))
      << text.toStdString();
  EXPECT_TRUE(fs::exists(ws.projects() / "DEMO" / "XREF.txt"));
  auto* messages = app::FindMessageWindow();
  ASSERT_NE(messages, nullptr);
  EXPECT_NE(messages->text().find("ZEL Project Cross Reference\r\n\r\nanalysing CZ0P00V1.awl\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace zel::ui::testing

namespace zel::ui::testing {
namespace {

TEST(ImportModuleWindow, TheCommandsNeedAnOpenProject) {
  UiWorkspace ws;
  ASSERT_TRUE(ws.start());
  const MainActions& a = ws.frame().actions();
  const std::vector<QAction*> commands = {a.programImport, a.importModule, a.importFromLibrary,
                                          a.crossReference};
  for (QAction* action : commands) EXPECT_TRUE(action->isEnabled()) << action->text().toStdString();
  ASSERT_TRUE(ws.frame().closeProjectCommand());
  for (QAction* action : commands)
    EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
}

}  // namespace
}  // namespace zel::ui::testing
