// Project > Backup... and Restore...: a project packed into a ZIP file and a new project
// made from one. The work runs as the frame's job with its progress in the status bar and
// its text in the message window; the restored project opens.

#include <QFileDialog>
#include <QStatusBar>

#include "app/project/project_messages.h"
#include "app/shell/message_service.h"
#include "archive/project_restore.h"
#include "ui/frame/main_frame.h"
#include "ui/project/project_name_dialog.h"
#include "ui/widgets/stored_text.h"

#ifndef ZEL_VERSION
#define ZEL_VERSION ""
#endif

namespace zel::ui {

namespace {

const char* const kZipFilter = "Zip Files (*.zip)";

}  // namespace

bool MainFrame::archiveCommandsAllowed() const {
  return m_session && !m_busy && !m_archive.running();
}

void MainFrame::backupProject() {
  if (!archiveCommandsAllowed()) return;
  const QString current = projectOpen() ? FromStored(m_session->model().name()) : QString();
  QString chosen;
  ProjectNameDialog dialog(
      *m_session, tr("Backup Project"), current,
      [&](const QString& name) {
        if (!m_session->isProject(ToStored(name))) {
          app::TellUser(app::kMsgProjectNotFound);
          return false;
        }
        chosen = name;
        return true;
      },
      this);
  if (dialog.exec() != QDialog::Accepted || chosen.isEmpty()) return;
  const QString start = m_archiveDirectory.isEmpty()
                            ? FromStored(StoredPath(m_session->projectDirectory()))
                            : m_archiveDirectory;
  // Qt's own dialog asks before it overwrites an existing file.
  const QString file =
      QFileDialog::getSaveFileName(this, tr("Backup Project"), start + "/" + chosen + ".zip",
                                   tr(kZipFilter), nullptr, QFileDialog::DontUseNativeDialog);
  if (file.isEmpty()) return;
  startBackup(ToStored(chosen), std::filesystem::path(file.toStdString()));
}

bool MainFrame::startBackup(const std::string& name, const std::filesystem::path& file) {
  if (!archiveCommandsAllowed()) return false;
  m_archiveDirectory = QString::fromStdString(file.parent_path().string());
  // The backup holds what the editors show.
  if (projectOpen() && m_session->model().name() == name && !saveAllPrograms()) return false;
  showMessageWindow(false);
  build::BackupRequest request{m_session->projectDirectory(), name, file, ZEL_VERSION};
  if (!m_archive.startBackup(std::move(request))) return false;
  m_restoring.clear();
  setBusy(true);
  statusBar()->showMessage(tr("Backing up the project"));
  return true;
}

void MainFrame::restoreProject() {
  if (!archiveCommandsAllowed()) return;
  const QString start = m_archiveDirectory.isEmpty()
                            ? FromStored(StoredPath(m_session->projectDirectory()))
                            : m_archiveDirectory;
  const QString file =
      QFileDialog::getOpenFileName(this, tr("Restore Project"), start, tr(kZipFilter), nullptr,
                                   QFileDialog::DontUseNativeDialog);
  if (file.isEmpty()) return;
  const std::filesystem::path zip(file.toStdString());
  m_archiveDirectory = QString::fromStdString(zip.parent_path().string());
  if (const auto refused = archive::CheckArchiveFileName(zip)) {
    app::TellUser(*refused);
    return;
  }
  QString chosen;
  ProjectNameDialog dialog(
      *m_session, tr("Restore Project"), QString::fromStdString(archive::ProposedProjectName(zip)),
      [&](const QString& name) {
        if (const auto refused =
                archive::CheckRestoreName(m_session->projectDirectory(), ToStored(name))) {
          app::TellUser(*refused);
          return false;
        }
        chosen = name;
        return true;
      },
      this);
  if (dialog.exec() != QDialog::Accepted || chosen.isEmpty()) return;
  startRestore(zip, ToStored(chosen));
}

bool MainFrame::startRestore(const std::filesystem::path& file, const std::string& name) {
  if (!archiveCommandsAllowed()) return false;
  showMessageWindow(false);
  if (!m_archive.startRestore(m_session->projectDirectory(), name, file)) return false;
  m_restoring = name;
  setBusy(true);
  statusBar()->showMessage(tr("Restoring the project"));
  return true;
}

void MainFrame::archiveEnded() {
  m_archive.wait();  // the worker has posted its last message and is ending
  setBusy(false);
  if (m_archive.takeRaise()) showMessageWindow(true);
  for (const std::string& text : m_archive.takeAlerts()) app::TellUser(text);
  const bool made = m_archive.succeeded();
  statusBar()->showMessage(made ? tr("Done") : tr("Failed"), 5000);
  const std::string restored = std::exchange(m_restoring, {});
  if (made && !restored.empty() && m_session) m_session->openProject(restored);
}

}  // namespace zel::ui
