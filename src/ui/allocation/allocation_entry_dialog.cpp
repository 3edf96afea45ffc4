#include "ui/allocation/allocation_entry_dialog.h"

#include <QFormLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/message_box.h"
#include "ui/widgets/ok_cancel_buttons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// Typing stops at the field's limit. A pasted text may be longer: it is shown whole, so
// the checks judge what was pasted rather than a silently cut copy of it.
QLineEdit* MakeField(const std::string& preset, std::size_t limit, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  const QString text = FromStored(preset);
  edit->setMaxLength(std::max(static_cast<int>(limit), static_cast<int>(text.size())));
  edit->setText(text);
  return edit;
}

}  // namespace

AllocationEntryDialog::AllocationEntryDialog(const stl::AllocationList& list,
                                             const stl::EntryTexts& texts, stl::EntryField active,
                                             QWidget* parent)
    : QDialog(parent),
      m_list(list),
      m_operand(MakeField(texts.operand, stl::kMaxOperandLength, this)),
      m_symbol(MakeField(texts.symbol, stl::kMaxSymbolLength, this)),
      m_comment(MakeField(texts.comment, stl::kMaxStoredCommentLength, this)) {
  setWindowTitle(tr("Allocation List Entry"));
  auto* form = new QFormLayout;
  form->addRow(tr("&Absolute Operand:"), m_operand);
  form->addRow(tr("&Symbolic Operand:"), m_symbol);
  form->addRow(tr("&Comment:"), m_comment);
  m_comment->setMinimumWidth(m_comment->fontMetrics().averageCharWidth() * 40);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(OkCancelButtons(this));
  activate(active);
}

QLineEdit* AllocationEntryDialog::field(stl::EntryField which) const {
  switch (which) {
    case stl::EntryField::Operand:
      return m_operand;
    case stl::EntryField::Symbol:
      return m_symbol;
    case stl::EntryField::Comment:
      return m_comment;
  }
  return m_operand;
}

void AllocationEntryDialog::activate(stl::EntryField which) {
  QLineEdit* edit = field(which);
  edit->setFocus();
  edit->selectAll();
}

void AllocationEntryDialog::accept() {
  const stl::EntryTexts texts{ToStored(m_operand->text()), ToStored(m_symbol->text()),
                              ToStored(m_comment->text())};
  auto check = stl::CheckAllocationEntry(texts, m_list);
  if (!check.entry) {
    platform::ShowMessageBox(std::string(check.message));
    activate(check.field);
    return;
  }
  m_entry = std::move(check.entry);
  QDialog::accept();
}

}  // namespace zel::ui
