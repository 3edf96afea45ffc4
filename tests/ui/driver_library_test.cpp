// The run-time library and the driver configuration in the windows: installing driver
// scripts in the library dialog, configuring the demo project's drivers and setting
// their options in the generated dialog.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QTest>
#include <fstream>

#include "app/tools/tool_record.h"
#include "library/driver_options_model.h"
#include "library/driver_script.h"
#include "ui/frame/document_window.h"
#include "ui/library/driver_config_view.h"
#include "ui/library/driver_options_dialog.h"
#include "ui/library/driver_settings_dialog.h"
#include "ui/library/library_dialog.h"
#include "ui/library/select_driver_dialog.h"
#include "ui/project/project_tree.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

using platform::Answer;
using Strings = std::vector<std::string>;

// Scripts of our own beside the demo's FIELDBUS (0), SERIAL (1), OPTDEMO (2) and PANEL (3).
constexpr const char* kBus =
    "[DRIVER]\r\nNAME_GB=Test bus\r\nDRIVERNO=10\r\nTARGET=VM1X,VM2X\r\n"
    "[INSTALL]\r\nNEEDFILE_0=mybus.o <<<RUNTIMEDIR>>>\r\n"
    "[EDIT]\r\n"
    "GB_0=Logging\r\nCTRL_0=LOG \"J\" $YESNO\r\n"
    "GB_1=Channels\r\nCTRL_1=CH \"1\" $DEC [1..4;8]\r\n"
    "GB_2=Port address\r\nCTRL_2=ADDR \"3f8\" $HEX [2f8;3e8..3ff]\r\n"
    "GB_3=Station name\r\nCTRL_3=NAME \"ST1\" $TEXT [3..8]\r\n"
    "GB_4=Speed\r\nCTRL_4=SPEED \"fast\" $TEXT [\"fast\" \"slow\"]\r\n"
    "GB_5=Drive\r\nCTRL_5=DRIVE \"C\" $IDV\r\n"
    "GB_6=Reserved\r\nCTRL_6=RES \"7\" $WORD\r\n";
constexpr const char* kSerial =
    "[DRIVER]\r\nNAME_GB=Test serial\r\nDRIVERNO=11\r\nUSESDRIVER=MYBUS\r\n"
    "TARGET=VM1X\r\n"
    "[TOOLS]\r\nTOOL_0_GB=Serial monitor\r\nCALL_0_GB=<<<ZELDIR>>>/monitor\r\n"
    "PARAM_0_GB=<<<COM_PORT>>>\r\nFLAGS_0_GB=3\r\n";
constexpr const char* kClash = "[DRIVER]\r\nNAME_GB=Second master\r\nDRIVERNO=0\r\nTARGET=VM1X\r\n";

void Write(const fs::path& file, const std::string& text) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << text;
}

QStringList Column(const DriverTable& table, int column) {
  QStringList texts;
  const QAbstractItemModel* model = table.view()->model();
  for (int row = 0; row < model->rowCount(); ++row) {
    texts << model->data(model->index(row, column)).toString();
  }
  return texts;
}

int RowOf(const DriverTable& table, const std::string& name) {
  for (std::size_t i = 0; i < table.rows().size(); ++i) {
    if (table.rows()[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

void ClickHeader(const DriverTable& table, int section) {
  QHeaderView* header = table.view()->header();
  const QPoint at(header->sectionViewportPosition(section) + 5, header->height() / 2);
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
}

class DriverLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Write(m_ws.dir() / "src/mybus.dmk", kBus);
    Write(m_ws.dir() / "src/mybus.o", "object");
    Write(m_ws.dir() / "src/myserial.dmk", kSerial);
    Write(m_ws.dir() / "src/clash.dmk", kClash);
  }
  fs::path runtime(const std::string& file) const { return m_ws.dir() / "RUNTIME.VM1X" / file; }
  // Installed before the program starts, as a user would have done last time.
  void installAll() {
    for (const char* name : {"mybus", "myserial", "clash"}) {
      fs::create_directories(runtime(""));
      fs::copy_file(m_ws.dir() / "src" / (std::string(name) + ".dmk"),
                    runtime(std::string(name) + ".dmk"));
    }
  }
  DriverConfigView* openConfiguration() {
    m_ws.frame().actions().driverConfiguration->trigger();
    return m_ws.frame().driverConfiguration();
  }
  std::string value(const std::string& section, const std::string& key) {
    return platform::ReadProfileString(m_ws.projectFile("DEMO"), section, key, "<absent>");
  }

  UiWorkspace m_ws;
};

// Numbers as the table shows them, in its order.
std::vector<int> Numbers(const DriverTable& table) {
  std::vector<int> numbers;
  for (const QString& text : Column(table, 1)) numbers.push_back(text.toInt());
  return numbers;
}

// Selects the row of `name` in the Select Driver dialog and confirms it.
std::function<void(SelectDriverDialog&)> Choose(const std::string& name) {
  return [name](SelectDriverDialog& select) {
    select.table()->selectRow(static_cast<std::size_t>(RowOf(*select.table(), name)));
    WhenModal([](QWidget& modal) { static_cast<QDialog&>(modal).accept(); });
  };
}

QString Src(const UiWorkspace& ws, const char* name) {
  return QString::fromStdString((ws.dir() / "src" / name).string());
}

TEST_F(DriverLibraryTest, LibraryDialogInstallsSortsExtractsAndRemovesWithTheProjectClosed) {
  ASSERT_TRUE(m_ws.start());
  bool projectClosedMeanwhile = false;
  std::string typeShown;
  QStringList namesBefore, namesAfterInstall;
  std::vector<int> ascending, descending;
  bool listHidesColumns = false;
  bool ran = false;
  WhenModal([&](QWidget& modal) {
    ran = true;
    auto& dialog = static_cast<LibraryDialog&>(modal);
    EXPECT_EQ(dialog.windowTitle(), "ZEL Library");
    ASSERT_EQ(dialog.pages()->count(), 2);
    EXPECT_EQ(dialog.pages()->tabText(0), "Drivers");
    EXPECT_EQ(dialog.pages()->tabText(1), "IO Modules");
    EXPECT_EQ(dialog.ioModulesPage()->typeSelector()->typeName(), "VM1X");
    DriversPage& page = *dialog.driversPage();
    projectClosedMeanwhile = !m_ws.frame().session()->model().isOpen();
    typeShown = page.typeSelector()->typeName();
    namesBefore = Column(*page.table(), 0);
    page.setOpenChooser([&](const QString&) {
      return QStringList{Src(m_ws, "mybus.dmk"), Src(m_ws, "myserial.dmk")};
    });
    page.installButton()->click();
    namesAfterInstall = Column(*page.table(), 0);
    ClickHeader(*page.table(), 1);
    ascending = Numbers(*page.table());
    ClickHeader(*page.table(), 1);
    descending = Numbers(*page.table());
    page.listButton()->click();
    listHidesColumns =
        page.table()->view()->isColumnHidden(1) && page.table()->view()->isHeaderHidden();
    page.reportButton()->click();

    page.table()->selectRow(static_cast<std::size_t>(RowOf(*page.table(), "MYBUS")));
    page.setSaveChooser([&](const QString& proposed) {
      EXPECT_EQ(proposed, "MYBUS.dmk");
      return QString::fromStdString((m_ws.dir() / "out/bus.dmk").string());
    });
    fs::create_directories(m_ws.dir() / "out");
    page.extractButton()->click();

    page.table()->selectRow(static_cast<std::size_t>(RowOf(*page.table(), "MYSERIAL")));
    m_ws.answers().push(Answer::Yes);
    page.deinstallButton()->click();
    EXPECT_EQ(RowOf(*page.table(), "MYSERIAL"), -1);
    // Another type shows its own folder.
    page.typeSelector()->selectType("RUD2");
    EXPECT_EQ(page.place().type, "RUD2");
    EXPECT_EQ(RowOf(*page.table(), "MYBUS"), -1);
    dialog.reject();
  });
  m_ws.frame().actions().library->trigger();
  ASSERT_TRUE(ran);
  EXPECT_TRUE(projectClosedMeanwhile);
  EXPECT_EQ(typeShown, "VM1X");
  EXPECT_EQ(namesBefore, (QStringList{"FIELDBUS", "OPTDEMO", "PANEL", "SERIAL"}));
  EXPECT_EQ(namesAfterInstall,
            (QStringList{"FIELDBUS", "MYBUS", "MYSERIAL", "OPTDEMO", "PANEL", "SERIAL"}));
  EXPECT_EQ(ascending, (std::vector<int>{0, 1, 2, 3, 10, 11}));
  EXPECT_EQ(descending, (std::vector<int>{11, 10, 3, 2, 1, 0}));
  EXPECT_TRUE(listHidesColumns);
  EXPECT_EQ(test::ReadFile(m_ws.dir() / "out/bus.dmk"), kBus);
  EXPECT_EQ(test::ReadFile(m_ws.dir() / "out/mybus.o"), "object");
  EXPECT_TRUE(fs::exists(runtime("mybus.dmk")));
  EXPECT_TRUE(fs::exists(runtime("mybus.o")));
  EXPECT_FALSE(fs::exists(runtime("myserial.dmk")));
  EXPECT_EQ(m_ws.answers().texts(),
            Strings{"'MYSERIAL'\n\nDo you really want to delete this driver?"});
  // The serial driver's tool came and went with it; the demo's own tool stays.
  const std::vector<app::ToolRecord> tools = app::ReadTools(m_ws.iniFile());
  ASSERT_EQ(tools.size(), 1u);
  EXPECT_EQ(tools[0].title, "Convert panel screens");
  EXPECT_EQ(m_ws.frame().session()->model().name(), "DEMO");
  EXPECT_EQ(m_ws.frame().projectScripts()->drivers().count(), 5u);
}

TEST_F(DriverLibraryTest, InstalledDriverToolAppearsInTheExtrasMenu) {
  ASSERT_TRUE(m_ws.start());
  WhenModal([&](QWidget& modal) {
    auto& dialog = static_cast<LibraryDialog&>(modal);
    dialog.driversPage()->setOpenChooser(
        [&](const QString&) { return QStringList{Src(m_ws, "myserial.dmk")}; });
    dialog.driversPage()->installButton()->click();
    dialog.reject();
  });
  m_ws.frame().actions().library->trigger();
  QStringList titles;
  for (const QAction* action : m_ws.frame().toolActions()) titles << action->text();
  EXPECT_EQ(titles, (QStringList{"Convert panel screens", "Serial monitor"}));
}

TEST_F(DriverLibraryTest, ConfiguresTheDemoProjectsDrivers) {
  installAll();
  // A driver the library no longer has, with the options the project keeps for it.
  const fs::path project = m_ws.projectFile("DEMO");
  ASSERT_TRUE(platform::WriteProfileString(project, "VM1X_DRV", "DRV_4", "GHOST"));
  ASSERT_TRUE(platform::WriteProfileString(project, "VM1X_DRV_GHOST", "RATE", "9600"));
  ASSERT_TRUE(m_ws.start());
  EXPECT_EQ(m_ws.answers().texts(), Strings{});  // the window is not open yet
  // The project tree's driver item opens the window.
  ProjectTree& tree = *m_ws.frame().projectTree();
  tree.openItem(tree.topItem(app::TreeItem::DriverConfiguration));
  DriverConfigView* view = m_ws.frame().driverConfiguration();
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(m_ws.answers().texts(), Strings{"'GHOST'\n\nUnknown Driver."});
  EXPECT_EQ(Column(*view->table(), 0),
            (QStringList{"FIELDBUS", "GHOST", "OPTDEMO", "PANEL", "SERIAL"}));
  EXPECT_EQ(Column(*view->table(), 1), (QStringList{"0", "-1", "2", "3", "1"}));
  EXPECT_EQ(Column(*view->table(), 3)[1], "< unknown >");
  EXPECT_EQ(view->status()->text(), "5 Entries");

  // Placeholder row: the keys the project stores for it.
  QStringList settingsRow;
  QString settingsTitle;
  view->setDialogHooks({nullptr, nullptr, [&](DriverSettingsDialog& dialog) {
                          settingsTitle = dialog.windowTitle();
                          const QTreeWidgetItem* item = dialog.list()->topLevelItem(0);
                          for (int c = 0; item && c < 3; ++c) settingsRow << item->text(c);
                          WhenModal([](QWidget& modal) { static_cast<QDialog&>(modal).accept(); });
                        }});
  view->table()->selectRow(1);
  view->propertiesAction()->trigger();
  EXPECT_EQ(settingsTitle, "Driver Settings - GHOST < unknown >");
  EXPECT_EQ(settingsRow, (QStringList{"RATE", "=", "9600"}));

  // A second driver with number 0 is refused, naming the owner of the number.
  m_ws.answers().clear();
  view->setDialogHooks({Choose("CLASH"), nullptr, nullptr});
  view->insertAction()->trigger();
  EXPECT_EQ(m_ws.answers().texts(),
            Strings{"'FIELDBUS'\n\nDriver with same number already exists."});

  // Delete key on OPTDEMO: the list is rewritten in the order shown, its options stay.
  m_ws.answers().clear();
  view->table()->selectRow(2);
  QTest::keyClick(view, Qt::Key_Delete);
  EXPECT_EQ(Column(*view->table(), 0), (QStringList{"FIELDBUS", "GHOST", "PANEL", "SERIAL"}));
  EXPECT_EQ(value("VM1X_DRV", "DRV_1"), "GHOST");
  EXPECT_EQ(value("VM1X_DRV", "DRV_4"), "<absent>");
  EXPECT_EQ(value("VM1X_DRV_OPTDEMO", "CYCLE"), "8");

  // Inserted again, its options dialog shows the kept values; a new one is confirmed.
  QString cycleShown;
  view->setDialogHooks({Choose("OPTDEMO"),
                        [&](DriverOptionsDialog& options) {
                          EXPECT_EQ(options.windowTitle(),
                                    "Driver Options - Demo options of every kind");
                          auto* cycle = qobject_cast<QLineEdit*>(options.control(4));
                          cycleShown = cycle->text();
                          cycle->setText("3");
                          qobject_cast<QCheckBox*>(options.control(0))->setChecked(false);
                          WhenModal([](QWidget& modal) { static_cast<QDialog&>(modal).accept(); });
                        },
                        nullptr});
  view->insertAction()->trigger();
  EXPECT_EQ(m_ws.answers().texts(), Strings{});
  EXPECT_EQ(cycleShown, "8");
  EXPECT_EQ(Column(*view->table(), 0),
            (QStringList{"FIELDBUS", "GHOST", "OPTDEMO", "PANEL", "SERIAL"}));
  EXPECT_EQ(view->table()->selectedRows(), std::vector<std::size_t>{2});
  EXPECT_EQ(value("VM1X_DRV_OPTDEMO", "CYCLE"), "3");
  EXPECT_EQ(value("VM1X_DRV_OPTDEMO", "TRACE"), "N");
  EXPECT_EQ(value("VM1X_DRV_OPTDEMO", "SEGMENT"), "D800");

  // A driver without options is inserted after the notice (Insert key); then sorting.
  view->setDialogHooks({Choose("MYSERIAL"), nullptr, nullptr});
  QTest::keyClick(view, Qt::Key_Insert);
  EXPECT_EQ(m_ws.answers().texts(), Strings{"There are no options for driver 'MYSERIAL'."});
  ClickHeader(*view->table(), 1);
  EXPECT_EQ(Column(*view->table(), 1), (QStringList{"-1", "0", "1", "2", "3", "11"}));
  ClickHeader(*view->table(), 1);
  EXPECT_EQ(Column(*view->table(), 0),
            (QStringList{"MYSERIAL", "PANEL", "OPTDEMO", "SERIAL", "FIELDBUS", "GHOST"}));
  // The next change saves the order shown.
  view->table()->selectRow(5);
  view->deleteAction()->trigger();
  for (const auto& [key, name] :
       std::vector<std::pair<std::string, std::string>>{{"DRV_0", "MYSERIAL"},
                                                        {"DRV_1", "PANEL"},
                                                        {"DRV_2", "OPTDEMO"},
                                                        {"DRV_3", "SERIAL"},
                                                        {"DRV_4", "FIELDBUS"},
                                                        {"DRV_5", "<absent>"}}) {
    EXPECT_EQ(value("VM1X_DRV", key), name) << key;
  }
  EXPECT_EQ(view->status()->text(), "5 Entries");
}

TEST_F(DriverLibraryTest, DriverConfigMenuFollowsTheActiveWindowAndDoubleClicks) {
  ASSERT_TRUE(m_ws.start());
  QAction* menu = nullptr;
  for (QAction* action : m_ws.frame().menuBar()->actions()) {
    if (action->text() == "&Driver Config") menu = action;
  }
  ASSERT_NE(menu, nullptr);
  EXPECT_FALSE(menu->isVisible());
  DriverConfigView* view = openConfiguration();
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(menu->isVisible());
  const QList<QAction*> items = menu->menu()->actions();
  ASSERT_EQ(items.size(), 3);
  view->table()->selectRow(0);
  emit menu->menu()->aboutToShow();
  EXPECT_TRUE(items[1]->isEnabled());
  EXPECT_TRUE(items[2]->isEnabled());

  // Properties from the menu opens the options of the selected driver.
  QString title;
  WhenModal([&](QWidget& modal) {
    title = modal.windowTitle();
    static_cast<QDialog&>(modal).reject();
  });
  items[2]->trigger();
  EXPECT_EQ(title, "Driver Options - Demo fieldbus master");

  // A double click below the rows inserts a driver.
  title.clear();
  WhenModal([&](QWidget& modal) {
    title = modal.windowTitle();
    static_cast<QDialog&>(modal).reject();
  });
  QWidget* viewport = view->table()->view()->viewport();
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(10, viewport->height() - 5));
  EXPECT_EQ(title, "Select Driver");

  m_ws.frame().showProjectTree(false);
  EXPECT_FALSE(menu->isVisible());
}

TEST_F(DriverLibraryTest, SelectDriverWantsASelection) {
  installAll();
  ASSERT_TRUE(m_ws.start());
  SelectDriverDialog dialog(m_ws.frame().projectScripts()->drivers());
  EXPECT_EQ(Column(*dialog.table(), 0),
            (QStringList{"CLASH", "FIELDBUS", "MYBUS", "MYSERIAL", "OPTDEMO", "PANEL", "SERIAL"}));
  dialog.accept();
  EXPECT_EQ(m_ws.answers().texts(), Strings{"Nothing selected!"});
  EXPECT_FALSE(dialog.chosen());
  dialog.table()->selectRow(3);
  dialog.accept();
  ASSERT_TRUE(dialog.chosen());
  EXPECT_EQ(dialog.chosen()->name, "MYSERIAL");
}

class DriverOptionsDialogTest : public DriverLibraryTest {
 protected:
  void SetUp() override {
    DriverLibraryTest::SetUp();
    ASSERT_TRUE(m_ws.start());
    m_script = library::DriverScript::parse(kBus, "MYBUS");
    m_model.emplace(m_script, m_ws.frame().session()->model().file(), "VM1X");
    m_dialog = std::make_unique<DriverOptionsDialog>(*m_model);
    m_dialog->setHelp([this] { ++m_helpShown; });
  }
  template <typename W>
  W* control(std::size_t row) {
    return qobject_cast<W*>(m_dialog->control(row));
  }

  library::DriverScript m_script = library::DriverScript::parse("", "X");
  std::optional<library::DriverOptionsModel> m_model;
  std::unique_ptr<DriverOptionsDialog> m_dialog;
  int m_helpShown = 0;
};

TEST_F(DriverOptionsDialogTest, OneControlPerOptionInScriptOrder) {
  ASSERT_EQ(m_dialog->rowCount(), 7u);
  ASSERT_NE(control<QCheckBox>(0), nullptr);
  EXPECT_EQ(control<QCheckBox>(0)->text(), "Logging");
  EXPECT_TRUE(control<QCheckBox>(0)->isChecked());
  ASSERT_NE(control<QLineEdit>(1), nullptr);
  EXPECT_EQ(control<QLineEdit>(1)->text(), "1");
  ASSERT_NE(control<QLineEdit>(2), nullptr);
  EXPECT_EQ(control<QLineEdit>(2)->text(), "3F8");
  ASSERT_NE(control<QLineEdit>(3), nullptr);
  EXPECT_EQ(control<QLineEdit>(3)->maxLength(), 8);
  QComboBox* speed = control<QComboBox>(4);
  ASSERT_NE(speed, nullptr);
  EXPECT_FALSE(speed->isEditable());
  EXPECT_EQ(speed->count(), 2);
  EXPECT_EQ(speed->currentText(), "fast");
  QComboBox* drive = control<QComboBox>(5);
  ASSERT_NE(drive, nullptr);
  EXPECT_TRUE(drive->isEditable());
  EXPECT_EQ(drive->count(), 4);
  EXPECT_EQ(drive->currentText(), "C");
  ASSERT_NE(control<QLabel>(6), nullptr);
  EXPECT_FALSE(control<QLabel>(6)->isEnabled());
  EXPECT_EQ(control<QLabel>(6)->text(), "7");

  // Hexadecimal input shows in upper case as it is typed.
  control<QLineEdit>(2)->clear();
  QTest::keyClicks(control<QLineEdit>(2), "3fa");
  EXPECT_EQ(control<QLineEdit>(2)->text(), "3FA");
  m_dialog->helpButton()->click();
  EXPECT_EQ(m_helpShown, 1);
}

TEST_F(DriverOptionsDialogTest, OkRefusesTheFirstBadValueAndKeepsTheDialogOpen) {
  struct Case {
    std::size_t row;
    const char* text;
    const char* message;
  } const cases[] = {
      {1, "5", "Please enter a decimal number in the range of [1..4;8]."},
      {1, "x", "Please enter a decimal number in the range of [1..4;8]."},
      {2, "300", "Please enter a hexadecimal number in the range of [2f8;3e8..3ff]."},
      {3, "AB", "Please enter at least 3 characters."},
  };
  m_dialog->show();
  for (const Case& c : cases) {
    m_ws.answers().clear();
    m_dialog->defaultButton()->click();
    control<QLineEdit>(c.row)->setText(c.text);
    m_dialog->accept();
    EXPECT_EQ(m_ws.answers().texts(), Strings{c.message}) << c.text;
    EXPECT_TRUE(m_dialog->isVisible()) << c.text;
    EXPECT_TRUE(m_dialog->control(c.row)->hasFocus() || !QApplication::focusWidget()) << c.text;
  }
  EXPECT_EQ(value("VM1X_DRV_MYBUS", "CH"), "<absent>");
}

TEST_F(DriverOptionsDialogTest, DefaultAndOkWriteTheWholeSection) {
  control<QCheckBox>(0)->setChecked(false);
  control<QLineEdit>(1)->setText("3");
  control<QComboBox>(4)->setCurrentText("slow");
  control<QComboBox>(5)->setEditText("D");
  m_dialog->accept();
  EXPECT_EQ(value("VM1X_DRV_MYBUS", "LOG"), "N");
  EXPECT_EQ(value("VM1X_DRV_MYBUS", "CH"), "3");
  EXPECT_EQ(value("VM1X_DRV_MYBUS", "SPEED"), "slow");
  EXPECT_EQ(value("VM1X_DRV_MYBUS", "DRIVE"), "D");
  EXPECT_EQ(value("VM1X_DRV_MYBUS", "RES"), "7");

  // Opened again: the stored values; Default brings the script's back.
  library::DriverOptionsModel again(m_script, m_ws.frame().session()->model().file(), "VM1X");
  DriverOptionsDialog second(again);
  EXPECT_FALSE(qobject_cast<QCheckBox*>(second.control(0))->isChecked());
  EXPECT_EQ(qobject_cast<QComboBox*>(second.control(4))->currentText(), "slow");
  second.defaultButton()->click();
  EXPECT_TRUE(qobject_cast<QCheckBox*>(second.control(0))->isChecked());
  EXPECT_EQ(qobject_cast<QLineEdit*>(second.control(1))->text(), "1");
  EXPECT_EQ(qobject_cast<QComboBox*>(second.control(4))->currentText(), "fast");
}

}  // namespace
}  // namespace zel::ui::testing
