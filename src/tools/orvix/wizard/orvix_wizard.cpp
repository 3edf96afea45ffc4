#include "tools/orvix/wizard/orvix_wizard.h"

#include <QAbstractButton>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTreeView>
#include <QVBoxLayout>

#include "platform/code_page.h"
#include "platform/timebase.h"
#include "tools/orvix/orvix_cli.h"
#include "tools/orvix/orvix_messages.h"
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
    : QWizardPage(parent), m_text(new QPlainTextEdit(this)), m_progress(new QProgressBar(this)) {
  setTitle(Text(kWizardTitle));
  m_text->setReadOnly(true);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_text);
  layout->addWidget(m_progress);
  setFinalPage(true);
}

void ConvertPage::initializePage() {
  m_done = false;
  const auto chosen = projects();
  QString text = tr("Finish converts these projects:\n");
  for (const auto& project : chosen) text += "  " + Stored(project.name) + "\n";
  if (chosen.size() > kMaxSelectedProjects) {
    text += tr("Only the first %1 are converted.\n").arg(kMaxSelectedProjects);
  }
  m_text->setPlainText(text);
  m_progress->setRange(0, static_cast<int>(std::min(chosen.size(), kMaxSelectedProjects)));
  m_progress->setValue(0);
}

bool ConvertPage::isComplete() const {
  return true;
}

bool ConvertPage::validatePage() {
  if (m_done) return true;
  convert();
  m_done = true;
  // The summary stays on the page; a second Finish closes the wizard.
  wizard()->button(QWizard::BackButton)->setEnabled(false);
  return false;
}

void ConvertPage::convert() {
  const ConversionSetup where = setup();
  auto chosen = projects();
  if (chosen.size() > kMaxSelectedProjects) chosen.resize(kMaxSelectedProjects);
  QString converted;
  QString skipped;
  int step = 0;
  for (const V3Project& project : chosen) {
    m_text->appendPlainText(tr("Converting %1 ...").arg(Stored(project.name)));
    const ConversionResult result = ConvertProject(where, project, chooseType, platform::Now());
    for (const auto& note : result.notes) m_text->appendPlainText("  " + Stored(OneLine(note)));
    if (result.outcome == ConversionOutcome::Converted) {
      converted += "  " + Stored(project.name) + " (" + Stored(result.type) + ")\n";
    } else {
      skipped += "  " + Stored(project.name) + ": " + Stored(OneLine(result.message)) + "\n";
    }
    m_progress->setValue(++step);
  }
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
