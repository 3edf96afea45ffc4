#pragma once
// Page "IO Modules" of the library dialog: the IO module scripts installed for the chosen
// controller type with their sizes and switch positions, and Install, Deinstall and
// Extract over the run-time library core. Self-contained, so the dialog only adds it.

#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QWidget>
#include <functional>

#include "library/driver_install.h"
#include "library/io_module_rows.h"
#include "ui/library/type_selector.h"

namespace zel::ui {

class IoModulesPage : public QWidget {
  Q_OBJECT

 public:
  // `place.type` presets the type list; the page changes it as the user chooses.
  IoModulesPage(library::LibraryPlace place, QWidget* parent = nullptr);

  // The file choosers; the defaults show the platform's dialogs. An empty list or name
  // cancels.
  using OpenChooser = std::function<QStringList(const QString& startDir)>;
  using SaveChooser = std::function<QString(const QString& proposed)>;
  void setOpenChooser(OpenChooser chooser) { m_open = std::move(chooser); }
  void setSaveChooser(SaveChooser chooser) { m_save = std::move(chooser); }

  const library::LibraryPlace& place() const { return m_place; }
  TypeSelector* typeSelector() const { return m_type; }
  QTreeWidget* table() const { return m_table; }
  QRadioButton* listButton() const { return m_list; }
  QRadioButton* reportButton() const { return m_report; }
  QPushButton* installButton() const { return m_install; }
  QPushButton* deinstallButton() const { return m_deinstall; }
  QPushButton* extractButton() const { return m_extract; }
  const std::vector<library::IoModuleRow>& rows() const { return m_rows; }

  // Reads the type's folder again.
  void refresh();
  // A click on a column header: sorts by it, a second click reverses.
  void clickColumn(int column);
  void setReport(bool report);

 private:
  void fill();
  void install();
  void deinstall();
  void extract();
  void updateButtons();
  std::optional<std::size_t> selectedRow() const;

  library::LibraryPlace m_place;
  TypeSelector* m_type;
  QTreeWidget* m_table;
  QRadioButton* m_list;
  QRadioButton* m_report;
  QPushButton* m_install;
  QPushButton* m_deinstall;
  QPushButton* m_extract;
  OpenChooser m_open;
  SaveChooser m_save;
  std::vector<library::IoModuleRow> m_rows;
  library::IoModuleColumn m_column = library::IoModuleColumn::Name;
  bool m_descending = false;
};

}  // namespace zel::ui
