// What the dialogs show a newcomer: no label with a literal "&", the pages and columns
// without scroll arrows or bars, the open project preselected, a password typed unseen,
// and the field a refusal is about focused and selected.

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <memory>

#include "library/driver_options_model.h"
#include "library/driver_script.h"
#include "library/runtime_folder.h"
#include "stl/alloc/allocation_list.h"
#include "ui/allocation/allocation_entry_dialog.h"
#include "ui/dialogs/controller_settings_dialog.h"
#include "ui/dialogs/find_replace_dialog.h"
#include "ui/dialogs/preferences_dialog.h"
#include "ui/editor/module_call_dialog.h"
#include "ui/editor/operand_chooser_dialog.h"
#include "ui/io/io_entry_dialog.h"
#include "ui/library/driver_options_dialog.h"
#include "ui/library/driver_settings_dialog.h"
#include "ui/library/library_dialog.h"
#include "ui/library/select_driver_dialog.h"
#include "ui/online/qt_login_host.h"
#include "ui/project/module_list_dialog.h"
#include "ui/project/new_program_dialog.h"
#include "ui/project/program_properties_dialog.h"
#include "ui/project/project_explorer_dialog.h"
#include "ui/project/project_name_dialog.h"
#include "ui/project/project_settings_dialog.h"
#include "ui/tools/external_tool_dialog.h"
#include "ui/tools/tools_dialog.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

// A plain text with a single "&" before a character shows that "&" unless the label
// has a buddy, which turns it into the underlined mnemonic.
bool ShowsLiteralAmpersand(const QLabel& label) {
  if (label.textFormat() == Qt::RichText ||
      (label.textFormat() == Qt::AutoText && Qt::mightBeRichText(label.text())))
    return false;
  static const QRegularExpression kMnemonic("(^|[^&])&[^&]");
  return label.buddy() == nullptr && kMnemonic.match(label.text()).hasMatch();
}

class DialogFeedback : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_ws.start()); }
  MainFrame& frame() { return m_ws.frame(); }
  app::ProjectModel& model() { return frame().session()->model(); }

  // Every dialog of the program, each as the program builds it.
  std::vector<std::unique_ptr<QDialog>> allDialogs() {
    std::vector<std::unique_ptr<QDialog>> dialogs;
    app::ProjectSession& session = *frame().session();
    dialogs.push_back(std::make_unique<ControllerSettingsDialog>(
        app::ControllerSettings(model().file()), &frame()));
    dialogs.push_back(
        std::make_unique<PreferencesDialog>(frame().preferences(), &model().file(), &frame()));
    dialogs.push_back(std::make_unique<ProjectSettingsDialog>(session, "DEMO", &frame()));
    dialogs.push_back(
        std::make_unique<ProjectNameDialog>(session, "Open Project", "DEMO", nullptr, &frame()));
    dialogs.push_back(std::make_unique<ProjectExplorerDialog>(
        session, ProjectExplorerDialog::Commands{}, &frame()));
    dialogs.push_back(
        std::make_unique<NewProgramDialog>(model(), &frame(), std::nullopt, &frame()));
    dialogs.push_back(std::make_unique<ProgramPropertiesDialog>(
        model(), model().modules().front().fileName, &frame(), &frame()));
    for (auto mode : {ModuleListDialog::Mode::SelectForDownload, ModuleListDialog::Mode::Open,
                      ModuleListDialog::Mode::Delete}) {
      dialogs.push_back(std::make_unique<ModuleListDialog>(mode, model(), &frame(), &frame()));
    }
    dialogs.push_back(std::make_unique<AllocationEntryDialog>(m_list, stl::EntryTexts{},
                                                              stl::EntryField::Operand, &frame()));
    dialogs.push_back(std::make_unique<ModuleCallDialog>(model().modules(), &frame()));
    dialogs.push_back(std::make_unique<OperandChooserDialog>(m_list, &frame()));
    auto find = std::make_unique<FindReplaceDialog>(&frame());
    find->setReplaceMode(true);
    dialogs.push_back(std::move(find));

    // Both pages of the library dialog are its children.
    const std::filesystem::path programDir = frame().preferences().programDirectory();
    dialogs.push_back(std::make_unique<LibraryDialog>(
        library::LibraryPlace{programDir, model().target(), session.projectDirectory(),
                              model().name()},
        &frame()));
    dialogs.push_back(
        std::make_unique<SelectDriverDialog>(frame().projectScripts()->drivers(), &frame()));
    // The demo driver with an option of every kind.
    m_script = library::DriverScript::load(
        library::DriverScriptPath(programDir, model().target(), "OPTDEMO"));
    if (m_script) {
      m_options.emplace(*m_script, model().file(), model().target());
      dialogs.push_back(std::make_unique<DriverOptionsDialog>(*m_options, &frame()));
    } else {
      ADD_FAILURE() << "no OPTDEMO driver";
    }
    dialogs.push_back(std::make_unique<DriverSettingsDialog>(
        "OPTDEMO", std::vector<std::pair<std::string, std::string>>{{"TRACE", "1"}}, &frame()));
    dialogs.push_back(std::make_unique<IoEntryDialog>(
        frame().ioModules(), library::IoEntry{"", 0, 0, 0}, library::IoField::Module, &frame()));
    const app::ToolRecord tool{"Terminal", "term", "", 0};
    dialogs.push_back(std::make_unique<ToolsDialog>(std::vector<app::ToolRecord>{tool},
                                                    app::TokenValues{}, nullptr, &frame()));
    dialogs.push_back(std::make_unique<ExternalToolDialog>(tool, app::TokenValues{}, &frame()));
    dialogs.push_back(std::make_unique<LoginWindow>(platform::LoginWindowSetup{}, &frame()));
    return dialogs;
  }

  UiWorkspace m_ws;
  stl::AllocationList m_list;
  std::optional<library::DriverScript> m_script;
  std::optional<library::DriverOptionsModel> m_options;
};

// The labels of `dialog` that show a literal "&", as "title: text"; counts the labels seen.
std::vector<std::string> LiteralAmpersands(const QWidget& dialog, int& labels) {
  std::vector<std::string> found;
  for (const QLabel* label : dialog.findChildren<QLabel*>()) {
    ++labels;
    if (ShowsLiteralAmpersand(*label))
      found.push_back(dialog.windowTitle().toStdString() + ": " + label->text().toStdString());
  }
  return found;
}

TEST_F(DialogFeedback, NoLabelShowsALiteralAmpersand) {
  int labels = 0;
  std::vector<std::string> found;
  for (const auto& dialog : allDialogs()) {
    for (std::string& text : LiteralAmpersands(*dialog, labels)) found.push_back(std::move(text));
  }
  // The password dialog exists only while the login asks.
  bool asked = false;
  WhenModal([&](QWidget& modal) {
    asked = true;
    for (std::string& text : LiteralAmpersands(modal, labels)) found.push_back(std::move(text));
    if (auto* dialog = qobject_cast<QDialog*>(&modal)) dialog->reject();
  });
  EXPECT_EQ(AskLoginPassword(&frame()), std::nullopt);
  EXPECT_TRUE(asked);
  EXPECT_EQ(found, std::vector<std::string>{});
  EXPECT_GT(labels, 50);  // the walk reached the dialogs' forms
}

TEST_F(DialogFeedback, PreferencesShowEveryTabWithoutScrollArrows) {
  PreferencesDialog dialog(frame().preferences(), &model().file(), &frame());
  dialog.show();
  QApplication::processEvents();
  const QTabBar* tabs = dialog.pages()->tabBar();
  ASSERT_EQ(tabs->count(), 4);
  for (int i = 0; i < tabs->count(); ++i) {
    EXPECT_LE(tabs->tabRect(i).right(), tabs->width()) << tabs->tabText(i).toStdString();
  }
}

TEST_F(DialogFeedback, ProjectListsFitTheirColumnsAndOpenPreselectsTheOpenProject) {
  ProjectNameDialog dialog(*frame().session(), "Open Project", "DEMO", nullptr, &frame());
  dialog.show();
  QApplication::processEvents();
  QTableView* report = dialog.projectList()->reportView();
  EXPECT_FALSE(report->horizontalScrollBar()->isVisible());
  for (int column : {0, 2}) {
    EXPECT_GE(report->horizontalHeader()->sectionSize(column),
              static_cast<QAbstractItemView*>(report)->sizeHintForColumn(column))
        << column;
  }
  const QRect type(report->horizontalHeader()->sectionViewportPosition(2), 0,
                   report->horizontalHeader()->sectionSize(2), 1);
  EXPECT_LE(type.right(), report->viewport()->width());
  EXPECT_EQ(dialog.projectList()->selectedNames(), QStringList{"DEMO"});
  EXPECT_EQ(dialog.name(), "DEMO");
}

TEST_F(DialogFeedback, TheOpenCommandPreselectsTheOpenProject) {
  QStringList selected;
  WhenModal([&](QWidget& modal) {
    auto& dialog = dynamic_cast<ProjectNameDialog&>(modal);
    selected = dialog.projectList()->selectedNames();
    dialog.reject();
  });
  frame().openProjectDialog();
  CancelWhenModal();
  EXPECT_EQ(selected, QStringList{"DEMO"});
}

TEST_F(DialogFeedback, ThePasswordIsTypedUnseenAndShownOnRequest) {
  ControllerSettingsDialog dialog(app::ControllerSettings(model().file()), &frame());
  EXPECT_EQ(dialog.password->echoMode(), QLineEdit::Password);
  dialog.showPassword->click();
  EXPECT_EQ(dialog.password->echoMode(), QLineEdit::Normal);
  dialog.showPassword->click();
  EXPECT_EQ(dialog.password->echoMode(), QLineEdit::Password);
}

// The refusal names no field; the field is focused and its text selected.
TEST_F(DialogFeedback, ARefusalFocusesAndSelectsItsField) {
  {
    NewProgramDialog dialog(model(), &frame(), std::nullopt, &frame());
    dialog.show();
    dialog.activateWindow();
    dialog.fields()->commentField()->setFocus();
    dialog.fields()->numberField()->setText("99");
    dialog.accept();
    EXPECT_EQ(m_ws.answers().texts(),
              std::vector<std::string>{"Please enter an integer between 0 and 63."});
    EXPECT_EQ(dialog.focusWidget(), dialog.fields()->numberField());
    EXPECT_EQ(dialog.fields()->numberField()->selectedText(), "99");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);  // still open
  }
  struct Row {
    QString operand;
    QString errorProgram;
    std::string message;
    QLineEdit* ControllerSettingsDialog::*field;
  };
  const std::vector<Row> rows = {
      {"12.16", "0", "Invalid absolute operand!", &ControllerSettingsDialog::runStopOperand},
      {"1.2", "64", "Please enter an integer between 0 and 63.",
       &ControllerSettingsDialog::errorProgram},
      {"1.2", "x", "Please enter an integer between 0 and 63.",
       &ControllerSettingsDialog::errorProgram},
  };
  for (const Row& row : rows) {
    m_ws.answers().clear();
    ControllerSettingsDialog dialog(app::ControllerSettings(model().file()), &frame());
    dialog.show();
    dialog.activateWindow();
    dialog.pages()->setCurrentIndex(3);
    dialog.runStopInput->setChecked(true);
    dialog.runStopOperand->setText(row.operand);
    dialog.errorProgram->setText(row.errorProgram);
    dialog.accept();
    QLineEdit* field = dialog.*row.field;
    EXPECT_EQ(m_ws.answers().texts(), std::vector<std::string>{row.message});
    EXPECT_EQ(dialog.pages()->currentIndex(), 0) << row.message;
    EXPECT_EQ(dialog.focusWidget(), field) << row.message;
    EXPECT_EQ(field->selectedText(), field->text()) << row.message;
  }
}

}  // namespace
}  // namespace zel::ui::testing
