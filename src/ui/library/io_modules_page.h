#pragma once
// Page "IO Modules" of the library dialog: the IO module scripts installed for the chosen
// controller type with their sizes and switch positions, and Install, Deinstall and
// Extract over the run-time library core. Self-contained, so the dialog only adds it.

#include <QTreeWidget>
#include <vector>

#include "library/io_module_rows.h"
#include "ui/library/library_page.h"

namespace zel::ui {

class IoModulesPage : public LibraryPage {
  Q_OBJECT

 public:
  IoModulesPage(library::LibraryPlace place, QWidget* parent = nullptr);

  QTreeWidget* table() const { return m_table; }
  const std::vector<library::IoModuleRow>& rows() const { return m_rows; }

  // A click on a column header: sorts by it, a second click reverses.
  void clickColumn(int column);
  void setReport(bool report);

 protected:
  void load() override;
  void installScript(const std::filesystem::path& file) override;
  void deinstall() override;
  void extract() override;

 private:
  void fill();
  void updateButtons();
  std::optional<std::size_t> selectedRow() const;

  QTreeWidget* m_table;
  std::vector<library::IoModuleRow> m_rows;
  library::IoModuleColumn m_column = library::IoModuleColumn::Name;
  bool m_descending = false;
};

}  // namespace zel::ui
