#pragma once
// The converter's wizard: the version-3 folder, the projects to convert, and the
// conversion with its progress and summary. The pages only present the core.

#include <QWizard>
#include <atomic>
#include <filesystem>
#include <functional>
#include <vector>

#include "tools/orvix/conversion.h"

class QFileSystemModel;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTreeView;

namespace zel::orvix {

class FolderPage : public QWizardPage {
  Q_OBJECT
 public:
  explicit FolderPage(QWidget* parent = nullptr);
  bool isComplete() const override;
  std::filesystem::path chosen() const;
  void choose(const std::filesystem::path& dir);  // as if the user clicked it
  // Shows only the folders below `dir` (the pictures of the manual show no stranger's).
  void showOnlyBelow(const std::filesystem::path& dir);

 private:
  QFileSystemModel* m_model;
  QTreeView* m_tree;
  QLabel* m_path;
};

class ProjectsPage : public QWizardPage {
  Q_OBJECT
 public:
  ProjectsPage(const FolderPage* folder, QWidget* parent = nullptr);
  void initializePage() override;
  bool isComplete() const override;
  std::vector<V3Project> selected() const;
  std::filesystem::path projectsDirectory() const { return m_projectsDirectory; }
  QListWidget* list() const { return m_list; }

 private:
  const FolderPage* m_folder;
  std::filesystem::path m_projectsDirectory;
  std::vector<V3Project> m_projects;
  QListWidget* m_list;
  QLabel* m_where;
};

class ConvertPage : public QWizardPage {
  Q_OBJECT
 public:
  explicit ConvertPage(QWidget* parent = nullptr);
  void initializePage() override;
  bool validatePage() override;  // Finish: converts
  bool isComplete() const override;
  QString summary() const;

  std::function<std::vector<V3Project>()> projects;
  std::function<ConversionSetup()> setup;
  TypeChooser chooseType;

 private:
  void convert();
  // One project as a job: the page stays responsive and shows its steps; Stop cancels it
  // at its next step and converts no further project.
  ConversionResult runJob(const ConversionSetup& where, const V3Project& project,
                          app::ControllerType type);
  QPlainTextEdit* m_text;
  QLabel* m_step;
  QProgressBar* m_progress;
  QPushButton* m_stop;
  std::atomic<bool> m_stopRequested{false};  // read by the job's worker too
  bool m_done = false;
};

class OrvixWizard : public QWizard {
  Q_OBJECT
 public:
  // `programDirectory` holds ZEL.INI; `projectDirectory` is where new projects go.
  OrvixWizard(std::filesystem::path programDirectory, std::filesystem::path projectDirectory,
              QWidget* parent = nullptr);
  FolderPage* folderPage() const { return m_folder; }
  ProjectsPage* projectsPage() const { return m_projects; }
  ConvertPage* convertPage() const { return m_convert; }

 private:
  FolderPage* m_folder;
  ProjectsPage* m_projects;
  ConvertPage* m_convert;
};

}  // namespace zel::orvix
