#include "ui/io/io_entry_dialog.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "platform/message_box.h"
#include "ui/widgets/ok_cancel_buttons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

QLineEdit* NumberField(int value, QWidget* parent) {
  auto* edit = new QLineEdit(QString::number(value), parent);
  edit->setMaxLength(5);
  return edit;
}

// A field that does not read as a number is refused with the range message of the
// checks; -1 stands for it and lies outside every range.
int NumberIn(const QLineEdit* edit) {
  bool ok = false;
  const int value = edit->text().trimmed().toInt(&ok);
  return ok ? value : -1;
}

}  // namespace

IoEntryDialog::IoEntryDialog(const library::IoModuleList& modules, const library::IoEntry& entry,
                             library::IoField active, QWidget* parent)
    : QDialog(parent),
      m_modules(modules),
      m_module(new QComboBox(this)),
      m_switch(NumberField(entry.switchPosition, this)),
      m_iw(NumberField(entry.iw, this)),
      m_ow(NumberField(entry.ow, this)) {
  setWindowTitle(tr("IO Module Entry"));
  for (const auto& module : modules.modules())
    m_module->addItem(FromStored(module.displayName), FromStored(module.fileName));
  // An entry of a module that is not installed shows no type: OK then asks for one.
  const library::IoModuleScript* current = modules.find(entry.module);
  m_module->setCurrentIndex(current ? m_module->findData(FromStored(current->fileName)) : -1);
  auto* form = new QFormLayout;
  form->addRow(tr("&Module Type:"), m_module);
  form->addRow(tr("&Switch:"), m_switch);
  form->addRow(tr("&IW:"), m_iw);
  form->addRow(tr("&OW:"), m_ow);
  m_module->setMinimumWidth(m_module->fontMetrics().averageCharWidth() * 32);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancelButtons(this));
  activate(active);
}

QLineEdit* IoEntryDialog::field(library::IoField which) const {
  switch (which) {
    case library::IoField::Iw:
      return m_iw;
    case library::IoField::Ow:
      return m_ow;
    default:
      return m_switch;
  }
}

void IoEntryDialog::activate(library::IoField which) {
  if (which == library::IoField::Module) {
    m_module->setFocus();
    return;
  }
  QLineEdit* edit = field(which);
  edit->setFocus();
  edit->selectAll();
}

void IoEntryDialog::accept() {
  const int index = m_module->currentIndex();
  const library::IoModuleScript* module =
      index < 0 ? nullptr : m_modules.find(ToStored(m_module->itemData(index).toString()));
  library::IoEntry entry{module ? module->fileName : std::string{}, NumberIn(m_switch),
                         NumberIn(m_iw), NumberIn(m_ow)};
  // Whatever the module, a field must hold what the project file can keep.
  for (const auto which : {library::IoField::Switch, library::IoField::Iw, library::IoField::Ow}) {
    const int value = NumberIn(field(which));
    if (module && (value < 0 || value > library::kMaxIoEntryNumber)) {
      platform::ShowMessageBox("Please enter an integer between 0 and " +
                                   std::to_string(library::kMaxIoEntryNumber) + ".",
                               platform::Buttons::Ok, platform::Icon::Warning);
      activate(which);
      return;
    }
  }
  if (const auto problem = library::ValidateIoEntry(entry, module)) {
    platform::ShowMessageBox(problem->message, platform::Buttons::Ok, platform::Icon::Warning);
    activate(problem->field);
    return;
  }
  m_entry = std::move(entry);
  QDialog::accept();
}

std::optional<library::IoEntry> IoEntryDialogEditor::edit(const library::IoEntry& entry,
                                                          library::IoField focus) {
  IoEntryDialog dialog(m_modules, entry, focus, m_parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.entry();
}

}  // namespace zel::ui
