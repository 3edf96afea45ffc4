#pragma once
// The allocation list window: the project's "C.BEL" as a sortable, filtered list with the
// commands that edit it. Every change is checked by the entry dialog, saved at once and
// only then shown; the list logic itself lives in the statement-list core.

#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTreeView>
#include <QWidget>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "stl/alloc/allocation_entry_check.h"
#include "stl/alloc/allocation_find.h"
#include "ui/allocation/allocation_list_model.h"
#include "ui/dialogs/find_replace_dialog.h"

namespace zel::ui {

class AllocationListView : public QWidget {
  Q_OBJECT

 public:
  // Loads the list of the project in `projectDirectory`; a missing file is an empty list.
  explicit AllocationListView(const std::filesystem::path& projectDirectory,
                              QWidget* parent = nullptr);

  AllocationListModel& model() const { return *m_model; }
  QTreeView* list() const { return m_list; }
  QLabel* countLine() const { return m_count; }
  QComboBox* filterBox() const { return m_filter; }
  FindReplaceDialog* findDialog() const { return m_find; }  // none until first opened

  // What a click on a column header does.
  void clickColumn(int column);
  // The order it had when it was last closed.
  void setOrder(stl::AllocationColumn column, bool reversed);
  void setFilter(stl::AllocationFilter filter);
  // Reads the file again after another window changed it.
  void reload();

  // Entry indices of the selected rows, in row order; selecting scrolls to the first.
  std::vector<std::size_t> selectedEntries() const;
  void selectEntries(const std::vector<std::size_t>& entries);
  bool hasSelection() const { return !selectedEntries().empty(); }

  // The commands of the context menu, the Edit menu and the keyboard.
  void insertOperand();
  void cut();
  void copy();
  void paste();
  void deleteSelected();
  void properties(stl::EntryField field);
  void propertiesOfCurrent();  // on the field of the current cell's column
  void showFindDialog(bool replace);
  bool findNext(const stl::FindOptions& options);
  void replaceCurrent(const stl::FindOptions& options, std::string_view replacement);
  void replaceAll(const stl::FindOptions& options, std::string_view replacement);

 signals:
  // The list on disk changed; windows that show symbols read it again.
  void listChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showSortIndicator();
  void load(const std::filesystem::path& file);
  bool commit(stl::AllocationList changed, const std::vector<std::size_t>& select);
  void showContextMenu(const QPoint& pos);
  void updateCount();
  std::optional<std::size_t> currentEntry() const;
  std::optional<std::size_t> currentRow() const;

  AllocationListModel* m_model;
  QTreeView* m_list;
  QLabel* m_count;
  QComboBox* m_filter;
  QPointer<FindReplaceDialog> m_find;
};

}  // namespace zel::ui
