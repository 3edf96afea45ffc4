#include "tools/orvix/wizard/orvix_wizard.h"

#include <QAbstractButton>
#include <QEventLoop>
#include <QFileSystemModel>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/jobs/job.h"
#include "platform/code_page.h"
#include "platform/files.h"
#include "platform/timebase.h"
#include "tools/orvix/orvix_cli.h"
#include "tools/orvix/orvix_messages.h"
#include "tools/orvix/type_files.h"
#include "tools/orvix/v3_installation.h"
#include "tools/orvix/wizard/select_controller_dialog.h"

namespace zel::orvix {

namespace {

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), text.size());
}
// Stored texts are Windows-1252.
QString Stored(std::string_view text) {
  return QString::fromStdString(platform::Cp1252ToUtf8(text));
}

}  // namespace

FolderPage::FolderPage(QWidget* parent)
    : QWizardPage(parent),
      m_model(new QFileSystemModel(this)),
      m_tree(new QTreeView(this)),
      m_path(new QLabel(this)) {
  setTitle(Text(kPageFolderTitle));
  // The model reads a folder when it is expanded, not before.
  m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  m_model->setRootPath(QDir::rootPath());
  m_tree->setModel(m_model);
  for (int column = 1; column < m_model->columnCount(); ++column) m_tree->hideColumn(column);
  m_tree->header()->hide();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_tree);
  layout->addWidget(m_path);
  connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
    m_path->setText(QString::fromStdString(chosen().string()));
    emit completeChanged();
  });
}

bool FolderPage::isComplete() const {
  return !chosen().empty();
}

std::filesystem::path FolderPage::chosen() const {
  const QModelIndex index = m_tree->currentIndex();
  if (!index.isValid()) return {};
  return std::filesystem::path(m_model->filePath(index).toStdString());
}

void FolderPage::choose(const std::filesystem::path& dir) {
  const QModelIndex index = m_model->index(QString::fromStdString(dir.string()));
  m_tree->setCurrentIndex(index);
  m_tree->scrollTo(index);
}

void FolderPage::showOnlyBelow(const std::filesystem::path& dir) {
  m_tree->setRootIndex(m_model->index(QString::fromStdString(dir.string())));
}

ProjectsPage::ProjectsPage(const FolderPage* folder, QWidget* parent)
    : QWizardPage(parent),
      m_folder(folder),
      m_list(new QListWidget(this)),
      m_where(new QLabel(this)) {
  setTitle(Text(kPageProjectsTitle));
  m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_where);
  layout->addWidget(m_list);
  connect(m_list, &QListWidget::itemSelectionChanged, this, &ProjectsPage::completeChanged);
}

void ProjectsPage::initializePage() {
  m_list->clear();
  m_projects.clear();
  m_projectsDirectory = ProjectsDirectory(m_folder->chosen());
  const auto list = LoadProjectList(m_projectsDirectory);
  if (!list) {
    m_where->setText(Text(OneLine(Format(kMsgNoProjectList, m_projectsDirectory.string()))));
    return;
  }
  m_where->setText(QString::fromStdString(m_projectsDirectory.string()));
  for (const auto& entry : *list) {
    if (entry.name.empty()) continue;
    m_projects.push_back({entry.name, entry.comment});
    m_list->addItem(Stored(entry.name) + "\t" + Stored(entry.comment));
  }
}

bool ProjectsPage::isComplete() const {
  return !m_list->selectedItems().isEmpty();
}

std::vector<V3Project> ProjectsPage::selected() const {
  std::vector<V3Project> chosen;
  for (int row = 0; row < m_list->count(); ++row) {
    if (m_list->item(row)->isSelected())
      chosen.push_back(m_projects[static_cast<std::size_t>(row)]);
  }
  return chosen;
}

ConvertPage::ConvertPage(QWidget* parent)
    : QWizardPage(parent),
      m_text(new QPlainTextEdit(this)),
      m_step(new QLabel(this)),
      m_progress(new QProgressBar(this)),
      m_stop(new QPushButton(tr("Stop"), this)) {
  setTitle(Text(kWizardTitle));
  m_text->setReadOnly(true);
  m_stop->setEnabled(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_text);
  layout->addWidget(m_step);
  auto* row = new QHBoxLayout;
  row->addWidget(m_progress);
  row->addWidget(m_stop);
  layout->addLayout(row);
  setFinalPage(true);
  connect(m_stop, &QPushButton::clicked, this, [this] { m_stopRequested = true; });
}

void ConvertPage::initializePage() {
  m_done = false;
  m_stopRequested = false;
  const auto chosen = projects();
  QString text = tr("Finish converts these projects:\n");
  for (const auto& project : chosen) text += "  " + Stored(project.name) + "\n";
  if (chosen.size() > kMaxSelectedProjects) {
    text += tr("Only the first %1 are converted.\n").arg(kMaxSelectedProjects);
  }
  m_text->setPlainText(text);
  m_step->clear();
  m_progress->setRange(0, 1);
  m_progress->setValue(0);
}

bool ConvertPage::isComplete() const {
  return true;
}

bool ConvertPage::validatePage() {
  if (m_done) return true;
  wizard()->button(QWizard::BackButton)->setEnabled(false);
  wizard()->button(QWizard::FinishButton)->setEnabled(false);
  convert();
  m_done = true;
  wizard()->button(QWizard::FinishButton)->setEnabled(true);
  // The summary stays on the page; a second Finish closes the wizard.
  return false;
}

ConversionResult ConvertPage::runJob(const ConversionSetup& where, const V3Project& project,
                                     app::ControllerType type) {
  ConversionResult result;
  app::Job job;
  const bool started = job.start([&](app::JobControl& control) {
    ConversionHooks hooks;
    hooks.progress = [&](std::string_view step, int number, int steps) {
      control.progress(std::string(step), number, steps);
    };
    hooks.cancelRequested = [&] { return control.cancelRequested() || m_stopRequested.load(); };
    const auto fixedType = [type](const V3Project&, app::ControllerType) {
      return std::optional(type);
    };
    result = ConvertProject(where, project, fixedType, platform::Now(), hooks);
    return app::JobOutcome{result.outcome == ConversionOutcome::Converted
                               ? app::JobResult::Succeeded
                               : app::JobResult::Failed};
  });
  if (!started) {
    result.outcome = ConversionOutcome::Failed;
    result.message = tr("The conversion could not be started.").toStdString();
    return result;
  }
  QEventLoop loop;
  QTimer timer;
  connect(&timer, &QTimer::timeout, &loop, [&] {
    const app::JobProgress progress = job.progress();
    if (progress.steps > 0) {
      m_progress->setRange(0, progress.steps);
      m_progress->setValue(progress.step);
    }
    m_step->setText(Stored(project.name) + ": " + Stored(progress.text));
    if (!job.running()) loop.quit();
  });
  timer.start(30);
  loop.exec();
  job.wait();
  return result;
}

void ConvertPage::convert() {
  const ConversionSetup where = setup();
  auto chosen = projects();
  if (chosen.size() > kMaxSelectedProjects) chosen.resize(kMaxSelectedProjects);
  QString converted;
  QString skipped;
  m_stop->setEnabled(true);
  for (const V3Project& project : chosen) {
    const QString name = Stored(project.name);
    std::optional<std::string> refusal =
        m_stopRequested ? std::optional(std::string(kMsgCancelled)) : CheckProject(where, project);
    std::optional<app::ControllerType> type;
    if (!refusal) {
      const auto v3Dir = platform::FindPathNoCase(where.v3ProjectsDirectory / project.name);
      type = chooseType(project, DetectControllerType(v3Dir.value_or(where.v3ProjectsDirectory)));
      if (!type) refusal = std::string(kMsgCancelled);
    }
    if (refusal) {
      skipped += "  " + name + ": " + Stored(OneLine(*refusal)) + "\n";
      continue;
    }
    m_text->appendPlainText(tr("Converting %1 ...").arg(name));
    const ConversionResult result = runJob(where, project, *type);
    for (const auto& note : result.notes) m_text->appendPlainText("  " + Stored(OneLine(note)));
    if (result.outcome == ConversionOutcome::Converted) {
      converted += "  " + name + " (" + Stored(result.type) + ")\n";
    } else {
      skipped += "  " + name + ": " + Stored(OneLine(result.message)) + "\n";
    }
  }
  m_stop->setEnabled(false);
  m_step->clear();
  m_text->appendPlainText(tr("\nConverted:\n") +
                          (converted.isEmpty() ? tr("  none\n") : converted));
  m_text->appendPlainText(tr("Skipped:\n") + (skipped.isEmpty() ? tr("  none\n") : skipped));
}

QString ConvertPage::summary() const {
  return m_text->toPlainText();
}

OrvixWizard::OrvixWizard(std::filesystem::path programDirectory,
                         std::filesystem::path projectDirectory, QWidget* parent)
    : QWizard(parent),
      m_folder(new FolderPage(this)),
      m_projects(new ProjectsPage(m_folder, this)),
      m_convert(new ConvertPage(this)) {
  setWindowTitle(Text(kWizardTitle));
  setWizardStyle(QWizard::ClassicStyle);
  addPage(m_folder);
  addPage(m_projects);
  addPage(m_convert);
  m_convert->projects = [this] { return m_projects->selected(); };
  m_convert->setup = [this, programDirectory, projectDirectory] {
    return ConversionSetup{programDirectory, projectDirectory, m_projects->projectsDirectory()};
  };
  m_convert->chooseType = [this](const V3Project& project, app::ControllerType detected) {
    return SelectControllerDialog::ask(Stored(project.name), detected, this);
  };
}

}  // namespace zel::orvix
