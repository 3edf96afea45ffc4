// Page "IO Modules" of the library dialog over a copy of the demo's VM1X scripts.

#include "ui/library/io_modules_page.h"

#include <gtest/gtest.h>

#include <QTabWidget>
#include <fstream>

#include "ui/library/library_dialog.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

using platform::Answer;

class IoModulesPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_page = std::make_unique<IoModulesPage>(
        library::LibraryPlace{m_ws.dir(), "VM1X", m_ws.projects(), ""});
  }
  QStringList column(int c) const {
    QStringList texts;
    for (int i = 0; i < m_page->table()->topLevelItemCount(); ++i)
      texts << m_page->table()->topLevelItem(i)->text(c);
    return texts;
  }
  QStringList row(int r) const {
    QStringList texts;
    for (int c = 0; c < 7; ++c) texts << m_page->table()->topLevelItem(r)->text(c);
    return texts;
  }

  UiWorkspace m_ws;
  std::unique_ptr<IoModulesPage> m_page;
};

TEST_F(IoModulesPageTest, ListsEveryScriptWithItsSwitchPositions) {
  EXPECT_EQ(m_page->typeSelector()->typeName(), "VM1X");
  EXPECT_EQ(column(0), (QStringList{"Analogue Input 4x12 Bit", "Analogue Output 2x12 Bit",
                                    "Digital Input 16", "Digital Output 16", "VM1X base module"}));
  EXPECT_EQ(row(2), (QStringList{"Digital Input 16", "DI16.IOD", "2", "0", "2", "0", "0-3, 6+7"}));
  EXPECT_EQ(row(4), (QStringList{"VM1X base module", "VM1X.IOD", "2", "2", "2", "2", "0"}));
  // Another type lists its own folder.
  m_page->typeSelector()->selectType("VM2X");
  EXPECT_TRUE(column(0).contains("VM2X base module"));
  EXPECT_FALSE(column(0).contains("VM1X base module"));
  fs::remove_all(m_ws.dir() / "RUNTIME.RUD");
  m_page->typeSelector()->selectType("RUD");
  EXPECT_EQ(m_page->table()->topLevelItemCount(), 0);
}

TEST_F(IoModulesPageTest, ColumnsSortAndReverseButNotTheSwitchColumn) {
  m_page->clickColumn(1);  // File
  EXPECT_EQ(column(1), (QStringList{"AI4.IOD", "AO2.IOD", "DI16.IOD", "DO16.IOD", "VM1X.IOD"}));
  m_page->clickColumn(1);
  EXPECT_EQ(column(1), (QStringList{"VM1X.IOD", "DO16.IOD", "DI16.IOD", "AO2.IOD", "AI4.IOD"}));
  m_page->clickColumn(2);  // In; equal ones keep the order they had
  EXPECT_EQ(column(1), (QStringList{"AO2.IOD", "DO16.IOD", "VM1X.IOD", "DI16.IOD", "AI4.IOD"}));
  m_page->clickColumn(6);
  EXPECT_EQ(m_ws.answers().texts(),
            std::vector<std::string>{"Sorry, this column cannot be sorted..."});
  EXPECT_EQ(column(2), (QStringList{"0", "1", "2", "2", "8"}));
  m_page->listButton()->setChecked(true);
  EXPECT_TRUE(m_page->table()->isColumnHidden(6));
  EXPECT_FALSE(m_page->table()->isColumnHidden(0));
}

TEST_F(IoModulesPageTest, InstallDeinstallExtract) {
  std::ofstream(m_ws.dir() / "RELAY8.iod") << ";$NE Relay 8\r\n;$EA 0 1 0 1 $3A0 $3A1\r\n";
  m_page->setOpenChooser([&](const QString&) {
    return QStringList{QString::fromStdString((m_ws.dir() / "RELAY8.iod").string())};
  });
  m_page->installButton()->click();
  EXPECT_EQ(column(0).size(), 6);
  EXPECT_TRUE(column(6).contains("0+1"));
  m_page->table()->topLevelItem(column(1).indexOf("RELAY8.IOD"))->setSelected(true);
  m_page->setSaveChooser([&](const QString& proposed) {
    EXPECT_EQ(proposed, "RELAY8.IOD");
    return QString::fromStdString((m_ws.dir() / "copy.iod").string());
  });
  m_page->extractButton()->click();
  EXPECT_TRUE(fs::exists(m_ws.dir() / "copy.iod"));
  m_ws.answers().push(Answer::Yes);
  m_page->deinstallButton()->click();
  EXPECT_EQ(column(0).size(), 5);
  EXPECT_EQ(
      m_ws.answers().texts(),
      std::vector<std::string>{"'RELAY8.IOD'\n\nDo you really want to delete the IO module?"});
}

TEST_F(IoModulesPageTest, TheLibraryDialogHostsThePage) {
  ASSERT_TRUE(m_ws.start());
  QStringList tabs;
  WhenModal([&](QWidget& modal) {
    if (auto* dialog = qobject_cast<LibraryDialog*>(&modal)) {
      for (int i = 0; i < dialog->pages()->count(); ++i) tabs << dialog->pages()->tabText(i);
      auto* page = dialog->findChild<IoModulesPage*>();
      EXPECT_TRUE(page && page->typeSelector()->typeName() == "VM1X");
    }
    modal.close();
  });
  m_ws.frame().libraryDialog();
  EXPECT_EQ(tabs, (QStringList{"Drivers", "IO Modules"}));
}

}  // namespace
}  // namespace zel::ui::testing
