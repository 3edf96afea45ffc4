#include "ui/dialogs/controller_settings_dialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/modules/module_messages.h"
#include "app/project/project_messages.h"
#include "app/settings/settings_dialog_rules.h"
#include "ui/widgets/ok_cancel_buttons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// A stored value the list would not offer stays shown, so that OK never changes it
// behind the user's back.
QComboBox* ChoiceBox(const std::vector<std::string>& choices, const std::string& current,
                     QWidget* parent) {
  auto* box = new QComboBox(parent);
  for (const auto& choice : choices) box->addItem(FromStored(choice));
  if (box->findText(FromStored(current), Qt::MatchFixedString) < 0) {
    box->addItem(FromStored(current));
  }
  box->setCurrentIndex(box->findText(FromStored(current), Qt::MatchFixedString));
  return box;
}

std::vector<std::string> DriveChoices() {
  return {app::kDriveChoices.begin(), app::kDriveChoices.end()};
}

int Bit(const QCheckBox* box, int bit) {
  return box->isChecked() ? bit : 0;
}

}  // namespace

ControllerSettingsDialog::ControllerSettingsDialog(app::ControllerSettings settings,
                                                   QWidget* parent)
    : QDialog(parent),
      m_settings(std::move(settings)),
      m_read(m_settings.read()),
      m_pages(new QTabWidget(this)) {
  setWindowTitle(tr("Controller Settings"));
  m_pages->addTab(runModePage(), tr("Run Mode"));
  m_pages->addTab(drivesPage(), tr("Drives"));
  m_pages->addTab(optionsPage(), tr("Options"));
  m_pages->addTab(passwordPage(), tr("Password"));
  m_pages->addTab(downloadPage(), tr("Download"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pages);
  layout->addWidget(OkCancelButtons(this));
  applyRules();
}

QWidget* ControllerSettingsDialog::runModePage() {
  auto* page = new QWidget(this);
  const int mode = m_read.runMode;
  autostart = new QCheckBox(tr("&Autostart"), page);
  runStopInput = new QCheckBox(tr("&Start/Stop Input"), page);
  runStopOperand = new QLineEdit(FromStored(m_read.externalInput), page);
  resetPrograms = new QCheckBox(tr("Reset &Programs"), page);
  resetOutputs = new QCheckBox(tr("Reset &Outputs"), page);
  errorOutput = new QCheckBox(tr("&Error Output"), page);
  errorOperand = new QLineEdit(FromStored(m_read.externalOutput), page);
  errorProgram = new QLineEdit(QString::number(m_read.errorProgram), page);
  stopBeforeDownload = new QCheckBox(tr("&Delete project before download"), page);
  autostart->setChecked(mode & app::kRunModeAutostart);
  runStopInput->setChecked(mode & app::kRunModeRunStopInput);
  resetPrograms->setChecked(mode & app::kRunModeResetPrograms);
  resetOutputs->setChecked(mode & app::kRunModeResetOutputs);
  errorOutput->setChecked(mode & app::kRunModeErrorOutput);
  stopBeforeDownload->setChecked(m_read.downloadStopPrograms);
  auto* grid = new QGridLayout(page);
  grid->addWidget(autostart, 0, 0);
  grid->addWidget(runStopInput, 1, 0);
  grid->addWidget(runStopOperand, 1, 1);
  grid->addWidget(errorOutput, 2, 0);
  grid->addWidget(errorOperand, 2, 1);
  grid->addWidget(new QLabel(tr("Error Pro&gram:"), page), 3, 0);
  grid->addWidget(errorProgram, 3, 1);
  grid->addWidget(resetPrograms, 4, 0);
  grid->addWidget(resetOutputs, 5, 0);
  grid->addWidget(stopBeforeDownload, 6, 0, 1, 2);
  grid->setRowStretch(7, 1);
  connect(runStopInput, &QCheckBox::toggled, runStopOperand, &QLineEdit::setEnabled);
  connect(errorOutput, &QCheckBox::toggled, errorOperand, &QLineEdit::setEnabled);
  return page;
}

QWidget* ControllerSettingsDialog::drivesPage() {
  auto* page = new QWidget(this);
  driveProject = ChoiceBox(DriveChoices(), m_read.driveProject, page);
  driveStartup = ChoiceBox(DriveChoices(), m_read.driveStartup, page);
  driveKernel = ChoiceBox(DriveChoices(), m_read.driveKernel, page);
  auto* form = new QFormLayout(page);
  form->addRow(tr("Project &File:"), driveProject);
  form->addRow(tr("Startup &Batch:"), driveStartup);
  form->addRow(tr("&Kernel:"), driveKernel);
  return page;
}

QWidget* ControllerSettingsDialog::optionsPage() {
  auto* page = new QWidget(this);
  const auto rules = app::DialogRulesFor(m_settings.type());
  comPort = ChoiceBox(rules.comPortChoices, m_read.kernelComPort, page);
  kernelParams = new QLineEdit(FromStored(m_read.kernelParams), page);
  auto* form = new QFormLayout(page);
  form->addRow(tr("Controller &COM Port:"), comPort);
  form->addRow(tr("Additional &Parameters:"), kernelParams);
  return page;
}

QWidget* ControllerSettingsDialog::passwordPage() {
  auto* page = new QWidget(this);
  auto* label = new QLabel(FromStored(app::kPasswordLabel), page);
  password = new QLineEdit(FromStored(m_read.password), page);
  label->setBuddy(password);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(label);
  layout->addWidget(password);
  layout->addStretch(1);
  return page;
}

QWidget* ControllerSettingsDialog::downloadPage() {
  auto* page = new QWidget(this);
  downloadSources = new QCheckBox(tr("Download &Source Files"), page);
  downloadNewDrivers = new QCheckBox(tr("Download &Modified Driver Files"), page);
  downloadSources->setChecked(m_read.downloadSources);
  downloadNewDrivers->setChecked(m_read.downloadNewDrivers);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(downloadSources);
  layout->addWidget(downloadNewDrivers);
  layout->addStretch(1);
  return page;
}

void ControllerSettingsDialog::applyRules() {
  const auto rules = app::DialogRulesFor(m_settings.type());
  for (QComboBox* box : {driveProject, driveStartup, driveKernel}) {
    box->setEnabled(rules.drivesEnabled);
  }
  comPort->setEnabled(rules.comPortEnabled);
  runStopOperand->setEnabled(runStopInput->isChecked());
  errorOperand->setEnabled(errorOutput->isChecked());
}

std::optional<app::ControllerSettingsValues> ControllerSettingsDialog::edited() const {
  const auto number = app::ParseErrorProgramEntry(ToStored(errorProgram->text()));
  if (!number) return std::nullopt;
  app::ControllerSettingsValues v = m_read;
  v.runMode =
      Bit(autostart, app::kRunModeAutostart) | Bit(runStopInput, app::kRunModeRunStopInput) |
      Bit(resetPrograms, app::kRunModeResetPrograms) |
      Bit(resetOutputs, app::kRunModeResetOutputs) | Bit(errorOutput, app::kRunModeErrorOutput);
  v.externalInput = ToStored(runStopOperand->text());
  v.externalOutput = ToStored(errorOperand->text());
  v.errorProgram = *number;
  v.downloadStopPrograms = stopBeforeDownload->isChecked();
  v.driveProject = ToStored(driveProject->currentText());
  v.driveStartup = ToStored(driveStartup->currentText());
  v.driveKernel = ToStored(driveKernel->currentText());
  v.kernelComPort = ToStored(comPort->currentText());
  v.kernelParams = ToStored(kernelParams->text());
  v.password = ToStored(password->text());
  v.downloadSources = downloadSources->isChecked();
  v.downloadNewDrivers = downloadNewDrivers->isChecked();
  return v;
}

void ControllerSettingsDialog::accept() {
  const auto values = edited();
  if (!values) {
    m_pages->setCurrentIndex(0);
    app::TellUser(app::IntegerRangeMessage(0, app::kMaxErrorProgram));
    errorProgram->setFocus();
    return;
  }
  if (!app::CheckRunModePage(*values)) {
    m_pages->setCurrentIndex(0);
    return;
  }
  m_settings.apply(m_read, *values);
  QDialog::accept();
}

}  // namespace zel::ui
