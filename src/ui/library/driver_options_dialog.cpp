#include "ui/library/driver_options_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

#include "platform/message_box.h"
#include "ui/frame/help.h"
#include "ui/frame/help_window.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

using library::OptionType;

// A stored value that is not among the choices is offered too, so opening and confirming
// the dialog never changes it silently.
void SelectText(QComboBox* box, const QString& text) {
  if (box->isEditable()) {
    box->setEditText(text);
    return;
  }
  int index = box->findText(text);
  if (index < 0 && !text.isEmpty()) {
    box->addItem(text);
    index = box->count() - 1;
  }
  box->setCurrentIndex(index);
}

QString ControlText(const QWidget* control) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (const auto* box = qobject_cast<const QComboBox*>(control)) return box->currentText();
  return {};
}

}  // namespace

DriverOptionsDialog::DriverOptionsDialog(library::DriverOptionsModel& model, QWidget* parent)
    : QDialog(parent),
      m_model(model),
      m_default(new QPushButton(tr("&Default"), this)),
      m_help(new QPushButton(tr("&Help"), this)),
      m_showHelp([this] {
        // A window of the dialog's own: the modal dialog would block the frame's.
        OpenHelpPage("drivers.html", [this](const std::filesystem::path& page) {
          auto* help = new HelpWindow(this);
          help->setAttribute(Qt::WA_DeleteOnClose);
          return help->showPage(page);
        });
      }) {
  setWindowTitle(FromStored(model.title()));
  auto* rows = new QWidget;
  auto* grid = new QGridLayout(rows);
  int line = 0;
  for (const library::OptionRow& row : model.rows()) {
    QWidget* control = makeControl(row);
    m_controls.push_back(control);
    if (row.option.type == OptionType::YesNo) {
      grid->addWidget(control, line, 0, 1, 2);
    } else {
      auto* label = new QLabel(FromStored(row.option.description), rows);
      label->setBuddy(control);
      grid->addWidget(label, line, 0);
      grid->addWidget(control, line, 1);
    }
    ++line;
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(line, 1);
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(rows);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->addButton(m_default, QDialogButtonBox::ResetRole);
  buttons->addButton(m_help, QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_default, &QPushButton::clicked, this, [this] {
    m_model.setDefaults();
    showValues();
  });
  connect(m_help, &QPushButton::clicked, this, [this] {
    if (m_showHelp) m_showHelp();
  });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(scroll, 1);
  layout->addWidget(buttons);
  showValues();
  const int height = std::min(560, rows->sizeHint().height() + 80);
  resize(std::max(460, rows->sizeHint().width() + 40), height);
}

QWidget* DriverOptionsDialog::makeControl(const library::OptionRow& row) {
  const library::DriverOption& option = row.option;
  switch (option.type) {
    case OptionType::YesNo:
      return new QCheckBox(FromStored(option.description));
    case OptionType::TextList:
    case OptionType::Drive: {
      auto* box = new QComboBox;
      for (const std::string& choice : option.choices) box->addItem(FromStored(choice));
      box->setEditable(option.type == OptionType::Drive);
      return box;
    }
    case OptionType::Text:
    case OptionType::Decimal: {
      auto* edit = new QLineEdit;
      if (option.maxLength) edit->setMaxLength(*option.maxLength);
      return edit;
    }
    case OptionType::Hex: {
      auto* edit = new QLineEdit;
      connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const int cursor = edit->cursorPosition();
        edit->setText(text.toUpper());
        edit->setCursorPosition(cursor);
      });
      return edit;
    }
    case OptionType::Other:
      break;
  }
  auto* value = new QLabel;
  value->setEnabled(false);
  return value;
}

void DriverOptionsDialog::showValues() {
  for (std::size_t i = 0; i < m_controls.size(); ++i) {
    QWidget* control = m_controls[i];
    const library::OptionRow& row = m_model.rows()[i];
    QString value = FromStored(row.value);
    if (row.option.type == OptionType::Hex) value = value.toUpper();
    if (auto* box = qobject_cast<QCheckBox*>(control)) {
      box->setChecked(m_model.checked(i));
    } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
      edit->setText(value);
    } else if (auto* combo = qobject_cast<QComboBox*>(control)) {
      SelectText(combo, value);
    } else if (auto* label = qobject_cast<QLabel*>(control)) {
      label->setText(value);
    }
  }
}

void DriverOptionsDialog::takeValues() {
  for (std::size_t i = 0; i < m_controls.size(); ++i) {
    QWidget* control = m_controls[i];
    if (const auto* box = qobject_cast<const QCheckBox*>(control)) {
      m_model.setChecked(i, box->isChecked());
    } else if (qobject_cast<const QLineEdit*>(control) || qobject_cast<const QComboBox*>(control)) {
      m_model.setValue(i, ToStored(ControlText(control)));
    }
  }
}

void DriverOptionsDialog::accept() {
  takeValues();
  if (const std::optional<library::OptionRefusal> refusal = m_model.validate()) {
    platform::ShowMessageBox(refusal->message, platform::Buttons::Ok, platform::Icon::Warning);
    if (refusal->row < m_controls.size()) {
      QWidget* control = m_controls[refusal->row];
      control->setFocus();
      if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
    }
    return;
  }
  if (!m_model.save()) {
    platform::ShowMessageBox("Failed to write the project file.", platform::Buttons::Ok,
                             platform::Icon::Error);
    return;
  }
  QDialog::accept();
}

}  // namespace zel::ui
