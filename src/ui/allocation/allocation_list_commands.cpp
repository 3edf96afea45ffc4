// The allocation list window's commands: each runs on a copy of the list, and the copy
// replaces the shown list only once it is saved.

#include <QApplication>
#include <QClipboard>
#include <algorithm>

#include "platform/message_box.h"
#include "stl/alloc/allocation_clipboard.h"
#include "ui/allocation/allocation_entry_dialog.h"
#include "ui/allocation/allocation_list_view.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

stl::EntryTexts TextsOf(const stl::AllocationEntry& entry) {
  return {entry.operand.display, entry.symbol, entry.comment};
}

}  // namespace

void AllocationListView::insertOperand() {
  stl::AllocationList working = m_model->list();
  AllocationEntryDialog dialog(working, {}, stl::EntryField::Operand, this);
  if (dialog.exec() != QDialog::Accepted || !dialog.entry()) return;
  working.append(*dialog.entry());
  const std::size_t added = working.size() - 1;
  commit(std::move(working), {added});
}

void AllocationListView::properties(stl::EntryField field) {
  const auto entry = currentEntry();
  if (!entry) return;
  stl::AllocationList working = m_model->list();
  working.setEditedEntry(*entry);
  AllocationEntryDialog dialog(working, TextsOf(working.at(*entry)), field, this);
  if (dialog.exec() != QDialog::Accepted || !dialog.entry()) return;
  working.at(*entry) = *dialog.entry();
  commit(std::move(working), {*entry});
}

void AllocationListView::propertiesOfCurrent() {
  const QModelIndex current = m_list->currentIndex();
  properties(current.isValid() ? static_cast<stl::EntryField>(current.column())
                               : stl::EntryField::Operand);
}

void AllocationListView::copy() {
  const std::vector<std::size_t> entries = selectedEntries();
  if (entries.empty()) return;
  const std::string text = stl::AllocationClipboardText(m_model->list(), entries);
  QApplication::clipboard()->setText(FromStored(text));
}

void AllocationListView::cut() {
  if (!hasSelection()) return;
  copy();
  deleteSelected();
}

void AllocationListView::paste() {
  const auto lines = stl::ParseAllocationClipboard(ToStored(QApplication::clipboard()->text()));
  if (lines.empty()) return;
  // Each accepted line joins the working list at once, so a later line that repeats
  // it is refused like any other duplicate.
  stl::AllocationList working = m_model->list();
  std::vector<std::size_t> added;
  for (const stl::EntryTexts& texts : lines) {
    AllocationEntryDialog dialog(working, texts, stl::EntryField::Operand, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.entry()) continue;
    working.append(*dialog.entry());
    added.push_back(working.size() - 1);
  }
  if (!added.empty()) commit(std::move(working), added);
}

void AllocationListView::deleteSelected() {
  std::vector<std::size_t> entries = selectedEntries();
  if (entries.empty()) return;
  const std::size_t firstRow = currentRow().value_or(0);
  stl::AllocationList working = m_model->list();
  std::sort(entries.rbegin(), entries.rend());
  for (const std::size_t entry : entries) working.remove(entry);
  if (!commit(std::move(working), {})) return;
  // The row that took the place of the first deleted one stays selected.
  if (const auto next =
          m_model->entryAt(std::min(static_cast<int>(firstRow), m_model->rowCount() - 1))) {
    selectEntries({*next});
  }
}

void AllocationListView::showFindDialog(bool replace) {
  ShowFindReplace(m_find, *this, replace,
                  {[this](const stl::FindOptions& options) { findNext(options); },
                   [this](const stl::FindOptions& options, const std::string& text) {
                     replaceCurrent(options, text);
                   },
                   [this](const stl::FindOptions& options, const std::string& text) {
                     replaceAll(options, text);
                   }});
}

bool AllocationListView::findNext(const stl::FindOptions& options) {
  const auto row = stl::FindInComments(m_model->list(), m_model->rows(), currentRow(), options);
  if (!row) {
    platform::ShowMessageBox(stl::CannotFindMessage(options.text));
    return false;
  }
  selectEntries({m_model->rows()[*row]});
  return true;
}

// Replaces in the selected entry when it holds the text, then moves on to the next one
// that does, so that pressing Replace again walks down the list.
void AllocationListView::replaceCurrent(const stl::FindOptions& options,
                                        std::string_view replacement) {
  const auto entry = currentEntry();
  if (entry && stl::CommentContains(m_model->list().at(*entry).comment, options)) {
    stl::AllocationList working = m_model->list();
    stl::ReplaceInEntry(working, *entry, options, replacement);
    if (!commit(std::move(working), {*entry})) return;
  }
  findNext(options);
}

void AllocationListView::replaceAll(const stl::FindOptions& options, std::string_view replacement) {
  stl::AllocationList working = m_model->list();
  if (stl::ReplaceAllInComments(working, options, replacement) == 0) {
    platform::ShowMessageBox(stl::CannotFindMessage(options.text));
    return;
  }
  commit(std::move(working), selectedEntries());
}

}  // namespace zel::ui
