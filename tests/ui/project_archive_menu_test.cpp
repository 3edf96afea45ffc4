// Project > Backup... and Restore... in the main frame: the project list and file dialogs
// lead to a job whose text goes to the message window, and the restored project opens.

#include <gtest/gtest.h>

#include <QFileDialog>
#include <QStatusBar>
#include <fstream>

#include "archive/archive_listing.h"
#include "ui/frame/message_pump.h"
#include "ui/frame/message_window.h"
#include "ui/project/project_name_dialog.h"
#include "ui_workspace.h"

namespace zel::ui::testing {
namespace {

class ProjectArchiveMenu : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(m_ws.start()); }
  MainFrame& frame() { return m_ws.frame(); }
  void waitForArchive() {
    for (int i = 0; i < 400 && frame().archiveJob().running(); ++i) ProcessEvents();
    for (int i = 0; i < 20; ++i) ProcessEvents();
  }
  QString messages() { return frame().showMessageWindow(false)->shownText(); }
  std::string openProject() { return m_ws.frame().windowTitle().toStdString(); }

  UiWorkspace m_ws;
  MessagePump m_pump;  // the job's worker posts its messages
};

TEST_F(ProjectArchiveMenu, BackupThroughItsDialogsThenRestoreOpensTheCopy) {
  const MainActions& a = frame().actions();
  EXPECT_EQ(a.backup->text(), "Bac&kup...");
  EXPECT_EQ(a.restore->text(), "&Restore...");
  ASSERT_TRUE(a.backup->isEnabled());
  ASSERT_TRUE(a.restore->isEnabled());
  const fs::path zip = m_ws.dir() / "saved.zip";
  QString listTitle, proposed, fileTitle;
  QStringList filters;
  WhenModal([&](QWidget& modal) {
    auto* list = qobject_cast<ProjectNameDialog*>(&modal);
    ASSERT_NE(list, nullptr);
    listTitle = list->windowTitle();
    list->nameField()->setText("DEMO");
    WhenModal([&](QWidget& next) {
      auto* files = qobject_cast<QFileDialog*>(&next);
      ASSERT_NE(files, nullptr);
      fileTitle = files->windowTitle();
      filters = files->nameFilters();
      proposed = files->selectedFiles().value(0);
      files->selectFile(QString::fromStdString(zip.string()));
      QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
    });
    list->accept();
  });
  a.backup->trigger();
  waitForArchive();
  CancelWhenModal();
  EXPECT_EQ(listTitle, "Backup Project");
  EXPECT_EQ(fileTitle, "Backup Project");
  EXPECT_EQ(filters, QStringList{"Zip Files (*.zip)"});
  EXPECT_TRUE(proposed.endsWith("/DEMO.zip")) << proposed.toStdString();
  ASSERT_TRUE(fs::exists(zip));
  // The comment names the program that packed it, as a backup made by zelc does.
  const auto listing = archive::ListArchive(zip);
  ASSERT_TRUE(listing.has_value());
  EXPECT_EQ(listing->comment, std::string("DEMO,") + ZEL_VERSION);
  EXPECT_TRUE(messages().contains("\nZEL Project Backup\n")) << messages().toStdString();
  EXPECT_TRUE(messages().contains("Project DEMO backed up as file ")) << messages().toStdString();
  EXPECT_TRUE(m_ws.answers().texts().empty());

  ASSERT_TRUE(frame().startRestore(zip, "COPY"));
  EXPECT_FALSE(a.restore->isEnabled()) << "one archive job at a time";
  waitForArchive();
  EXPECT_TRUE(a.restore->isEnabled());
  EXPECT_TRUE(fs::exists(m_ws.projectFile("COPY")));
  EXPECT_NE(openProject().find("COPY"), std::string::npos) << openProject();
  EXPECT_TRUE(m_ws.answers().texts().empty());
}

// Restore... asks for the file, then for the name, proposing the file's title; a name that
// is taken keeps the name dialog open with its message.
TEST_F(ProjectArchiveMenu, RestoreThroughItsDialogs) {
  const fs::path zip = m_ws.dir() / "LINE2.ZIP";
  ASSERT_TRUE(frame().startBackup("DEMO", zip));
  waitForArchive();
  ASSERT_TRUE(fs::exists(zip));
  QString fileTitle, nameTitle, proposed;
  WhenModal([&](QWidget& modal) {
    auto* files = qobject_cast<QFileDialog*>(&modal);
    ASSERT_NE(files, nullptr);
    fileTitle = files->windowTitle();
    files->selectFile(QString::fromStdString(zip.string()));
    WhenModal([&](QWidget& next) {
      auto* names = qobject_cast<ProjectNameDialog*>(&next);
      ASSERT_NE(names, nullptr);
      nameTitle = names->windowTitle();
      proposed = names->name();
      names->nameField()->setText("DEMO");
      names->accept();  // taken: the dialog stays
      names->nameField()->setText("LINE2");
      names->accept();
    });
    QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
  });
  frame().actions().restore->trigger();
  waitForArchive();
  CancelWhenModal();
  EXPECT_EQ(fileTitle, "Restore Project");
  EXPECT_EQ(nameTitle, "Restore Project");
  EXPECT_EQ(proposed, "LINE2");
  EXPECT_EQ(m_ws.answers().texts(),
            std::vector<std::string>{"A project with the same name already exists."});
  EXPECT_TRUE(fs::exists(m_ws.projectFile("LINE2")));
  EXPECT_NE(openProject().find("LINE2"), std::string::npos) << openProject();
}

TEST_F(ProjectArchiveMenu, AFailedRestoreShowsItsBoxesAndKeepsTheProjectOpen) {
  const fs::path zip = m_ws.dir() / "nothing.zip";
  {
    std::ofstream out(zip, std::ios::binary);
    out << "not an archive";
  }
  const std::string before = openProject();
  ASSERT_TRUE(frame().startRestore(zip, "BROKEN"));
  waitForArchive();
  EXPECT_EQ(m_ws.answers().texts(), std::vector<std::string>{"Failed to restore the project."});
  EXPECT_TRUE(messages().contains("ERROR: Creating a project failed. ("))
      << messages().toStdString();
  EXPECT_FALSE(fs::exists(m_ws.projects() / "BROKEN"));
  EXPECT_EQ(openProject(), before);
}

}  // namespace
}  // namespace zel::ui::testing
