#pragma once
// "ZEL Preferences": pages "General", "Communication Port", "STL Editor" and "Print".
// OK checks the entries through the preference checks and writes the preferences file
// (and, with Save in Project, the open project's communication keys).

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

class QHBoxLayout;
#include <filesystem>
#include <optional>

#include "app/preferences/communication_settings.h"
#include "app/preferences/font_setting.h"
#include "app/preferences/preferences.h"
#include "app/project/project_file.h"

namespace zel::ui {

class PreferencesDialog : public QDialog {
  Q_OBJECT

 public:
  // `project` is the open project's file, or nullptr.
  PreferencesDialog(const app::Preferences& preferences, const app::ProjectFile* project,
                    QWidget* parent = nullptr);

  struct Outcome {
    // Set when the project directory changed: the open project closes and the program
    // switches to it.
    std::optional<std::filesystem::path> newProjectDirectory;
    bool communicationChanged = false;  // the open connection must close
  };
  const Outcome& outcome() const { return m_outcome; }
  void accept() override;

  QTabWidget* pages() const { return m_pages; }
  QLineEdit* projectDirectory;
  QRadioButton* useSerial;
  QRadioButton* useTcpip;
  QComboBox* comPort;
  QComboBox* baudRate;
  QLineEdit* ipAddress;
  QCheckBox* saveInProject;
  QCheckBox* promptAllocation;
  QCheckBox* useElse;
  QLabel* editorFontLabel;
  QLabel* printFontLabel;
  QSpinBox* marginLeft;
  QSpinBox* marginRight;
  QSpinBox* marginTop;
  QSpinBox* marginBottom;

  // The font buttons' work, also for tests.
  void setEditorFont(std::optional<app::FontSetting> font);
  void setPrintFont(std::optional<app::FontSetting> font);

 private:
  QWidget* generalPage();
  QWidget* communicationPage();
  QWidget* editorPage();
  QWidget* printPage();
  QHBoxLayout* fontRow(bool editor, QWidget* page);
  void browseFont(bool editor);
  app::CommunicationValues communicationEntry() const;
  bool checkPages();
  void writeAll();

  const app::Preferences& m_preferences;
  const app::ProjectFile* m_project;
  app::CommunicationSettings m_communication;
  std::optional<app::FontSetting> m_editorFont;
  std::optional<app::FontSetting> m_printFont;
  int m_dpi;
  QTabWidget* m_pages;
  Outcome m_outcome;
};

// The setting as a font of the windows, and back.
QFont QFontOf(const app::FontSetting& font, int dpi);

// What a font setting reads as, e.g. "Courier New, 10 pt, bold"; "Default" for none.
QString FontDescription(const std::optional<app::FontSetting>& font, int dpi);

}  // namespace zel::ui
