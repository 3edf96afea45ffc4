#include "ui/tools/external_tool_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "platform/message_box.h"
#include "ui/widgets/ok_cancel_buttons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

constexpr int kShownFlags = app::kToolWait | app::kToolReleasePorts | app::kToolReloadProject;

QLineEdit* Field(const std::string& text, std::size_t max, QWidget* parent) {
  auto* edit = new QLineEdit(FromStored(text), parent);
  edit->setMaxLength(static_cast<int>(max));
  return edit;
}

QString DefaultChooser(QWidget* parent, const QString& start) {
  return QFileDialog::getOpenFileName(
      parent, QObject::tr("Program"), start,
      QObject::tr("Executables(*.exe;*.com;*.bat;*.dll);;Programs and scripts (*)"), nullptr,
      QFileDialog::DontUseNativeDialog);
}

}  // namespace

ExternalToolDialog::ExternalToolDialog(const app::ToolRecord& tool, app::TokenValues tokens,
                                       QWidget* parent)
    : QDialog(parent),
      m_tokens(std::move(tokens)),
      m_title(Field(tool.title, app::kToolTitleMax, this)),
      m_program(Field(tool.program, app::kToolProgramMax, this)),
      m_parameters(Field(tool.parameters, app::kToolParametersMax, this)),
      m_wait(new QCheckBox(tr("&Wait for Completion"), this)),
      m_releasePorts(new QCheckBox(tr("Release &COM Ports"), this)),
      m_reloadProject(new QCheckBox(tr("Re&load Project"), this)),
      m_browse(new QPushButton(tr("&Browse..."), this)),
      m_otherFlags(tool.flags & ~kShownFlags) {
  setWindowTitle(tr("External Tool"));
  m_wait->setChecked(tool.waits());
  m_releasePorts->setChecked(tool.releasesPorts());
  m_reloadProject->setChecked((tool.flags & app::kToolReloadProject) != 0);
  // The project is reloaded only around a run the program waits for.
  m_reloadProject->setEnabled(tool.waits());
  connect(m_wait, &QCheckBox::toggled, m_reloadProject, &QWidget::setEnabled);
  connect(m_browse, &QPushButton::clicked, this, &ExternalToolDialog::browse);
  m_chooser = [this](const QString& start) { return DefaultChooser(this, start); };

  auto* program = new QHBoxLayout;
  program->addWidget(m_program, 1);
  program->addWidget(m_browse);
  auto* form = new QFormLayout;
  form->addRow(tr("&Title:"), m_title);
  // A row of a layout gets no buddy of its own.
  auto* programLabel = new QLabel(tr("&Program:"), this);
  programLabel->setBuddy(m_program);
  form->addRow(programLabel, program);
  form->addRow(tr("P&arameters:"), m_parameters);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(m_wait);
  layout->addWidget(m_releasePorts);
  layout->addWidget(m_reloadProject);
  layout->addWidget(OkCancelButtons(this));
  m_program->setMinimumWidth(m_program->fontMetrics().averageCharWidth() * 48);
}

app::ToolRecord ExternalToolDialog::tool() const {
  app::ToolRecord tool;
  tool.title = ToStored(m_title->text().trimmed());
  tool.program = ToStored(m_program->text());
  tool.parameters = ToStored(m_parameters->text());
  tool.flags = m_otherFlags;
  if (m_wait->isChecked()) tool.flags |= app::kToolWait;
  if (m_releasePorts->isChecked()) tool.flags |= app::kToolReleasePorts;
  if (m_reloadProject->isChecked()) tool.flags |= app::kToolReloadProject;
  return tool;
}

void ExternalToolDialog::browse() {
  const std::string text = ToStored(m_program->text());
  const std::optional<std::string> expanded =
      app::ReplaceTokens(text, m_tokens, app::TokenMode::Install);
  QString start = FromStored(expanded.value_or(text));
  if (start.isEmpty()) start = FromStored(m_tokens.programDirectory.string());
  const QString chosen = m_chooser(start);
  if (!chosen.isEmpty()) m_program->setText(chosen);
}

void ExternalToolDialog::accept() {
  if (m_title->text().trimmed().isEmpty()) {
    platform::ShowMessageBox("Please enter a menu title.", platform::Buttons::Ok,
                             platform::Icon::Warning);
    m_title->setFocus();
    return;
  }
  QDialog::accept();
}

}  // namespace zel::ui
