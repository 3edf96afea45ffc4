#include "ui/dialogs/controller_settings_dialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/project/project_messages.h"
#include "app/settings/settings_schema.h"
#include "platform/message_box.h"
#include "ui/widgets/offending_field.h"
#include "ui/widgets/ok_cancel_buttons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// The key's choices for the project's type, enabled unless the type fixes the key. A
// stored value the list would not offer stays shown, so that OK never changes it behind
// the user's back.
QComboBox* ChoiceBox(std::string_view name, const std::string& type, const std::string& current,
                     QWidget* parent) {
  const app::SettingKey& key = app::SchemaKey(name);
  auto* box = new QComboBox(parent);
  for (const auto& choice : app::SettingChoices(key, type)) box->addItem(FromStored(choice));
  if (box->findText(FromStored(current), Qt::MatchFixedString) < 0) {
    box->addItem(FromStored(current));
  }
  box->setCurrentIndex(box->findText(FromStored(current), Qt::MatchFixedString));
  box->setEnabled(!app::IsSettingFixed(key, type));
  return box;
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
  auto* errorProgramLabel = new QLabel(tr("Error Pro&gram:"), page);
  errorProgramLabel->setBuddy(errorProgram);
  grid->addWidget(errorProgramLabel, 3, 0);
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
  const std::string type = m_settings.type();
  driveProject = ChoiceBox(app::kKeyDriveProject, type, m_read.driveProject, page);
  driveStartup = ChoiceBox(app::kKeyDriveStartup, type, m_read.driveStartup, page);
  driveKernel = ChoiceBox(app::kKeyDriveKernel, type, m_read.driveKernel, page);
  auto* form = new QFormLayout(page);
  form->addRow(tr("Project &File:"), driveProject);
  form->addRow(tr("Startup &Batch:"), driveStartup);
  form->addRow(tr("&Kernel:"), driveKernel);
  return page;
}

QWidget* ControllerSettingsDialog::optionsPage() {
  auto* page = new QWidget(this);
  comPort = ChoiceBox(app::kKeyKernelComPort, m_settings.type(), m_read.kernelComPort, page);
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
  password->setEchoMode(QLineEdit::Password);
  label->setBuddy(password);
  // Typed unseen, as a password is, but the user may look at what was typed.
  showPassword = new QToolButton(page);
  showPassword->setText(tr("S&how"));
  showPassword->setCheckable(true);
  showPassword->setToolTip(tr("Show or hide the password"));
  connect(showPassword, &QToolButton::toggled, password, [this](bool shown) {
    password->setEchoMode(shown ? QLineEdit::Normal : QLineEdit::Password);
  });
  auto* row = new QHBoxLayout;
  row->addWidget(password, 1);
  row->addWidget(showPassword);
  auto* layout = new QVBoxLayout(page);
  layout->addWidget(label);
  layout->addLayout(row);
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
  runStopOperand->setEnabled(runStopInput->isChecked());
  errorOperand->setEnabled(errorOutput->isChecked());
}

std::optional<app::ControllerSettingsValues> ControllerSettingsDialog::edited() const {
  app::ControllerSettingsValues v = m_read;
  if (app::ParseSetting(app::SchemaKey(app::kKeyErrorProgram), ToStored(errorProgram->text()),
                        m_settings.type(), v)) {
    return std::nullopt;
  }
  v.runMode =
      Bit(autostart, app::kRunModeAutostart) | Bit(runStopInput, app::kRunModeRunStopInput) |
      Bit(resetPrograms, app::kRunModeResetPrograms) |
      Bit(resetOutputs, app::kRunModeResetOutputs) | Bit(errorOutput, app::kRunModeErrorOutput);
  v.externalInput = ToStored(runStopOperand->text());
  v.externalOutput = ToStored(errorOperand->text());
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

QWidget* ControllerSettingsDialog::fieldOf(std::string_view key) const {
  if (key == app::kKeyExternalInput) return runStopOperand;
  if (key == app::kKeyExternalOutput) return errorOperand;
  if (key == app::kKeyErrorProgram) return errorProgram;
  return m_pages->widget(0);
}

void ControllerSettingsDialog::accept() {
  const auto values = edited();
  if (!values) {
    // The field takes only integers in range and says so for either fault.
    ShowOffendingField(errorProgram);
    app::TellUser(app::SettingRangeMessage(app::SchemaKey(app::kKeyErrorProgram)));
    return;
  }
  if (const auto error = app::ValidateSettings(*values)) {
    ShowOffendingField(fieldOf(error->key));
    platform::ShowMessageBox(error->message, platform::Buttons::Ok, platform::Icon::Warning);
    return;
  }
  m_settings.apply(m_read, *values);
  QDialog::accept();
}

}  // namespace zel::ui
