#pragma once
// "Allocation List Entry": one entry's absolute operand, symbol and comment. OK runs the
// entry checks against the list; a refused entry shows its message and the dialog stays
// open on the field at fault.

#include <QDialog>
#include <QLineEdit>
#include <optional>

#include "stl/alloc/allocation_entry_check.h"
#include "stl/alloc/allocation_list.h"

namespace zel::ui {

class AllocationEntryDialog : public QDialog {
  Q_OBJECT

 public:
  // `list` has its edited entry set when an existing entry is changed, so the duplicate
  // checks skip it. `active` is the field that takes the focus.
  AllocationEntryDialog(const stl::AllocationList& list, const stl::EntryTexts& texts,
                        stl::EntryField active, QWidget* parent = nullptr);

  QLineEdit* field(stl::EntryField which) const;
  // The accepted entry, once OK succeeded.
  const std::optional<stl::AllocationEntry>& entry() const { return m_entry; }
  void accept() override;

 private:
  void activate(stl::EntryField which);

  const stl::AllocationList& m_list;
  QLineEdit* m_operand;
  QLineEdit* m_symbol;
  QLineEdit* m_comment;
  std::optional<stl::AllocationEntry> m_entry;
};

}  // namespace zel::ui
