#include "ui/project/module_entry_fields.h"

#include <QFormLayout>

#include "platform/message_box.h"
#include "ui/widgets/offending_field.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

ModuleEntryFields::ModuleEntryFields(const app::ModuleEntry& preset, QWidget* parent)
    : QWidget(parent),
      m_number(new QLineEdit(QString::number(preset.number), this)),
      m_version(new QComboBox(this)),
      m_comment(new QLineEdit(FromStored(preset.comment), this)),
      m_kind(new QComboBox(this)) {
  for (int v = app::kMinVersion; v <= app::kMaxVersion; ++v) m_version->addItem(QString::number(v));
  m_version->setCurrentText(QString::number(preset.version));
  m_comment->setMaxLength(static_cast<int>(app::kModuleCommentMax));
  m_kind->addItems({tr("Program"), tr("CMP"), tr("CFM")});
  m_kind->setCurrentIndex(static_cast<int>(preset.kind));
  auto* form = new QFormLayout(this);
  form->setContentsMargins(0, 0, 0, 0);
  form->addRow(tr("&Type:"), m_kind);
  form->addRow(tr("&Number:"), m_number);
  form->addRow(tr("&Version:"), m_version);
  form->addRow(tr("&Comment:"), m_comment);
}

app::ModuleEntry ModuleEntryFields::entry() const {
  app::ModuleEntry entry;
  entry.kind = static_cast<app::ModuleKind>(m_kind->currentIndex());
  bool ok = false;
  const int number = m_number->text().trimmed().toInt(&ok);
  entry.number = ok ? number : -1;
  entry.version = m_version->currentText().toInt();
  entry.comment = ToStored(m_comment->text());
  return entry;
}

QWidget* ModuleEntryFields::field(app::ModuleEntryField which) const {
  switch (which) {
    case app::ModuleEntryField::Number:
      return m_number;
    case app::ModuleEntryField::Version:
      return m_version;
    case app::ModuleEntryField::Comment:
      return m_comment;
  }
  return m_number;
}

bool ModuleEntryFields::checkEntry() {
  const auto refusal = app::RefuseModuleEntry(entry());
  if (!refusal) return true;
  ShowOffendingField(field(refusal->field));
  platform::ShowMessageBox(refusal->message, platform::Buttons::Ok, platform::Icon::Warning);
  return false;
}

}  // namespace zel::ui
