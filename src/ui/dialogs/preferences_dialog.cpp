#include "ui/dialogs/preferences_dialog.h"

#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QVBoxLayout>

#include "app/preferences/preference_checks.h"
#include "app/preferences/serial_ports.h"
#include "platform/message_box.h"
#include "platform/no_case.h"
#include "ui/widgets/offending_field.h"
#include "ui/widgets/ok_cancel_buttons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

constexpr std::string_view kMsgFontChangeLater =
    "Change will take effect\nnext time an editor window is opened.";
constexpr int kMaxMargin = 1000;  // millimetres; far beyond any paper

int ScreenDpi() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? static_cast<int>(screen->logicalDotsPerInchY()) : app::kDefaultScreenDpi;
}

QSpinBox* MarginBox(long value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setRange(0, kMaxMargin);
  box->setSuffix(" mm");
  box->setValue(static_cast<int>(value));
  return box;
}

app::FontSetting FontSettingOf(const QFont& font, int dpi) {
  app::FontSetting setting;
  setting.face = ToStored(font.family());
  setting.height = app::PointsToHeight(std::max(1, font.pointSize()), dpi);
  setting.weight = static_cast<int>(font.weight());
  setting.italic = font.italic();
  return setting;
}

}  // namespace

QFont QFontOf(const app::FontSetting& font, int dpi) {
  QFont qfont(FromStored(font.face));
  qfont.setPointSize(std::max(1, app::HeightToPoints(font.height, dpi)));
  qfont.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
  qfont.setItalic(font.italic);
  return qfont;
}

QString FontDescription(const std::optional<app::FontSetting>& font, int dpi) {
  if (!font) return QObject::tr("Default");
  QString text =
      QString("%1, %2 pt").arg(FromStored(font->face)).arg(app::HeightToPoints(font->height, dpi));
  if (font->weight >= 600) text += QObject::tr(", bold");
  if (font->italic) text += QObject::tr(", italic");
  return text;
}

PreferencesDialog::PreferencesDialog(const app::Preferences& preferences,
                                     const app::ProjectFile* project, QWidget* parent)
    : QDialog(parent),
      m_preferences(preferences),
      m_project(project),
      m_communication(app::ReadCommunicationSettings(preferences, project)),
      m_dpi(ScreenDpi()),
      m_pages(new QTabWidget(this)) {
  setWindowTitle(tr("ZEL Preferences"));
  m_editorFont = preferences.editorFont(m_dpi);
  m_printFont = preferences.printFont(m_dpi);
  m_pages->addTab(generalPage(), tr("General"));
  m_pages->addTab(communicationPage(), tr("Communication Port"));
  m_pages->addTab(editorPage(), tr("STL Editor"));
  m_pages->addTab(printPage(), tr("Print"));
  // Every tab shows its title: the dialog is at least as wide as the tab row.
  m_pages->setUsesScrollButtons(false);
  m_pages->tabBar()->setExpanding(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pages);
  layout->addWidget(OkCancelButtons(this));
  resize(sizeHint() + QSize(40, 0));  // a little room beside the last tab
}

QWidget* PreferencesDialog::generalPage() {
  auto* page = new QWidget(this);
  std::string text = m_preferences.projectDirectoryText();
  if (text.empty()) text = app::kDefaultProjectDirectoryText;
  projectDirectory = new QLineEdit(FromStored(text), page);
  auto* browse = new QPushButton(tr("&Browse..."), page);
  auto* row = new QHBoxLayout;
  row->addWidget(projectDirectory, 1);
  row->addWidget(browse);
  auto* form = new QFormLayout(page);
  auto* label = new QLabel(tr("&Project directory:"), page);
  label->setBuddy(projectDirectory);
  form->addRow(label, row);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString dir = QFileDialog::getExistingDirectory(this, tr("Select the Project Directory"),
                                                          projectDirectory->text());
    if (!dir.isEmpty()) projectDirectory->setText(dir);
  });
  return page;
}

QWidget* PreferencesDialog::communicationPage() {
  auto* page = new QWidget(this);
  const app::CommunicationValues& v = m_communication.values;
  useSerial = new QRadioButton(tr("Use &RS232"), page);
  useTcpip = new QRadioButton(tr("Use &TCP/IP"), page);
  (v.method == app::kCiMethodTcpip ? useTcpip : useSerial)->setChecked(true);
  // The ports are probed each time the page opens: adapters come and go.
  comPort = new QComboBox(page);
  for (const auto& name : app::ExistingComPorts(m_preferences)) comPort->addItem(FromStored(name));
  if (comPort->findText(FromStored(v.port), Qt::MatchFixedString) < 0) {
    comPort->addItem(FromStored(v.port));
  }
  comPort->setCurrentIndex(comPort->findText(FromStored(v.port), Qt::MatchFixedString));
  baudRate = new QComboBox(page);
  for (const long rate : app::kBaudRates) baudRate->addItem(QString::number(rate));
  if (baudRate->findText(QString::number(v.baudRate)) < 0) {
    baudRate->addItem(QString::number(v.baudRate));
  }
  baudRate->setCurrentText(QString::number(v.baudRate));
  ipAddress = new QLineEdit(FromStored(v.address), page);
  saveInProject = new QCheckBox(tr("&Save in Project"), page);
  saveInProject->setChecked(m_communication.anyFromProject());
  saveInProject->setEnabled(m_project != nullptr);
  auto* form = new QFormLayout(page);
  form->addRow(useSerial);
  form->addRow(tr("Local &COM port:"), comPort);
  form->addRow(tr("&Baud rate:"), baudRate);
  form->addRow(useTcpip);
  form->addRow(tr("Controller &IP address:"), ipAddress);
  form->addRow(saveInProject);
  auto enable = [this] {
    const bool serial = useSerial->isChecked();
    comPort->setEnabled(serial);
    baudRate->setEnabled(serial);
    ipAddress->setEnabled(!serial);
  };
  connect(useSerial, &QRadioButton::toggled, this, enable);
  enable();
  return page;
}

QWidget* PreferencesDialog::editorPage() {
  auto* page = new QWidget(this);
  promptAllocation = new QCheckBox(tr("&Prompt for Allocation List Entries"), page);
  useElse = new QCheckBox(tr("Use &ELSE instead of OTHRW"), page);
  promptAllocation->setChecked(m_preferences.promptForAllocationEntries());
  useElse->setChecked(m_preferences.useElseInsteadOfOthrw());
  auto* form = new QFormLayout(page);
  form->addRow(promptAllocation);
  form->addRow(useElse);
  form->addRow(tr("Font:"), fontRow(true, page));
  return page;
}

// The font's description with its Default and Browse buttons, for the editor or the
// printer font.
QHBoxLayout* PreferencesDialog::fontRow(bool editor, QWidget* page) {
  QLabel*& label = editor ? editorFontLabel : printFontLabel;
  label = new QLabel(FontDescription(editor ? m_editorFont : m_printFont, m_dpi), page);
  auto* byDefault = new QPushButton(tr("&Default"), page);
  auto* browse = new QPushButton(tr("B&rowse..."), page);
  auto* row = new QHBoxLayout;
  row->addWidget(label, 1);
  row->addWidget(byDefault);
  row->addWidget(browse);
  connect(byDefault, &QPushButton::clicked, this,
          [this, editor] { editor ? setEditorFont(std::nullopt) : setPrintFont(std::nullopt); });
  connect(browse, &QPushButton::clicked, this, [this, editor] { browseFont(editor); });
  return row;
}

QWidget* PreferencesDialog::printPage() {
  auto* page = new QWidget(this);
  QHBoxLayout* row = fontRow(false, page);
  const app::PrintMargins margins = m_preferences.printMargins();
  marginLeft = MarginBox(margins.left, page);
  marginRight = MarginBox(margins.right, page);
  marginTop = MarginBox(margins.top, page);
  marginBottom = MarginBox(margins.bottom, page);
  auto* form = new QFormLayout(page);
  form->addRow(tr("Font:"), row);
  form->addRow(tr("&Left margin:"), marginLeft);
  form->addRow(tr("&Right margin:"), marginRight);
  form->addRow(tr("&Top margin:"), marginTop);
  form->addRow(tr("&Bottom margin:"), marginBottom);
  return page;
}

void PreferencesDialog::browseFont(bool editor) {
  const auto& current = editor ? m_editorFont : m_printFont;
  QFont initial = current ? QFontOf(*current, m_dpi) : QFont("Monospace", 10);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, this);
  if (!ok) return;
  if (editor) {
    setEditorFont(FontSettingOf(chosen, m_dpi));
  } else {
    setPrintFont(FontSettingOf(chosen, m_dpi));
  }
}

void PreferencesDialog::setEditorFont(std::optional<app::FontSetting> font) {
  const bool changed = font != m_editorFont;
  m_editorFont = std::move(font);
  editorFontLabel->setText(FontDescription(m_editorFont, m_dpi));
  if (changed) platform::ShowMessageBox(std::string(kMsgFontChangeLater));
}

void PreferencesDialog::setPrintFont(std::optional<app::FontSetting> font) {
  m_printFont = std::move(font);
  printFontLabel->setText(FontDescription(m_printFont, m_dpi));
}

app::CommunicationValues PreferencesDialog::communicationEntry() const {
  app::CommunicationValues v;
  v.method = useTcpip->isChecked() ? app::kCiMethodTcpip : app::kCiMethodSerial;
  v.port = ToStored(comPort->currentText());
  v.baudRate = baudRate->currentText().toLong();
  v.address = ToStored(ipAddress->text().trimmed());
  return v;
}

// The checks tell the user what is wrong; the field they are about is shown first.
bool PreferencesDialog::checkPages() {
  const std::string directory = ToStored(projectDirectory->text());
  if (directory.find_first_not_of(" \t") == std::string::npos) ShowOffendingField(projectDirectory);
  const auto dir = app::CheckProjectDirectoryEntry(directory, m_preferences.programDirectory());
  if (!dir) {
    ShowOffendingField(projectDirectory);
    return false;
  }
  const std::string address = ToStored(ipAddress->text().trimmed());
  if (useTcpip->isChecked() && !app::IsCompleteIpAddress(address)) ShowOffendingField(ipAddress);
  if (useTcpip->isChecked() && !app::CheckIpAddressEntry(address)) {
    ShowOffendingField(ipAddress);
    return false;
  }
  return true;
}

void PreferencesDialog::accept() {
  if (!checkPages()) return;
  writeAll();
  QDialog::accept();
}

void PreferencesDialog::writeAll() {
  const app::Preferences& p = m_preferences;
  p.setPromptForAllocationEntries(promptAllocation->isChecked());
  p.setUseElseInsteadOfOthrw(useElse->isChecked());
  p.setEditorFont(m_editorFont.value_or(app::FontSetting{}), m_dpi);
  p.setPrintFont(m_printFont.value_or(app::FontSetting{}), m_dpi);
  p.setPrintMargins(
      {marginLeft->value(), marginRight->value(), marginTop->value(), marginBottom->value()});
  m_outcome.communicationChanged =
      app::ApplyCommunicationValues(p, m_project, m_communication.values, communicationEntry(),
                                    saveInProject->isChecked() && m_project != nullptr);
  // A trailing separator or a "." names the same directory and must not close the project.
  const auto normal = [](const std::filesystem::path& dir) {
    return (dir / "").lexically_normal().string();
  };
  const std::filesystem::path before = p.projectDirectory();
  p.setProjectDirectory(ToStored(projectDirectory->text()));
  const std::filesystem::path after = p.projectDirectory();
  if (!platform::EqualsNoCase(normal(before), normal(after))) {
    m_outcome.newProjectDirectory = after;
  }
}

}  // namespace zel::ui
