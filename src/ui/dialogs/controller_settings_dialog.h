#pragma once
// "Controller Settings": pages "Run Mode", "Drives", "Options", "Password" and
// "Download". The values are read once on opening; OK writes only what changed.

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>

#include "app/settings/controller_settings.h"

namespace zel::ui {

class ControllerSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ControllerSettingsDialog(app::ControllerSettings settings, QWidget* parent = nullptr);

  // The values as the controls hold them now; nullopt when the error program field
  // holds no integer.
  std::optional<app::ControllerSettingsValues> edited() const;
  const app::ControllerSettingsValues& readValues() const { return m_read; }
  void accept() override;

  QTabWidget* pages() const { return m_pages; }
  QCheckBox* autostart;
  QCheckBox* runStopInput;
  QLineEdit* runStopOperand;
  QCheckBox* resetPrograms;
  QCheckBox* resetOutputs;
  QCheckBox* errorOutput;
  QLineEdit* errorOperand;
  QLineEdit* errorProgram;
  QCheckBox* stopBeforeDownload;
  QComboBox* driveProject;
  QComboBox* driveStartup;
  QComboBox* driveKernel;
  QComboBox* comPort;
  QLineEdit* kernelParams;
  QLineEdit* password;
  QToolButton* showPassword;
  QCheckBox* downloadSources;
  QCheckBox* downloadNewDrivers;

 private:
  QWidget* runModePage();
  QWidget* drivesPage();
  QWidget* optionsPage();
  QWidget* passwordPage();
  QWidget* downloadPage();
  void applyRules();
  // The control that holds a key's value.
  QWidget* fieldOf(std::string_view key) const;

  app::ControllerSettings m_settings;
  app::ControllerSettingsValues m_read;
  QTabWidget* m_pages;
};

}  // namespace zel::ui
