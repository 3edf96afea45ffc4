#pragma once
// Page "Drivers" of the library dialog: the driver scripts installed for the chosen
// controller type, and Install, Deinstall and Extract over the run-time library core.

#include <QPushButton>
#include <QRadioButton>
#include <QWidget>
#include <functional>

#include "library/driver_install.h"
#include "ui/library/driver_table.h"
#include "ui/library/type_selector.h"

namespace zel::ui {

class DriversPage : public QWidget {
  Q_OBJECT

 public:
  // `place.type` presets the type list; the page changes it as the user chooses.
  DriversPage(library::LibraryPlace place, QWidget* parent = nullptr);

  // The file choosers; the defaults show the platform's dialogs. Install may take
  // several scripts; an empty list or name cancels.
  using OpenChooser = std::function<QStringList(const QString& startDir)>;
  using SaveChooser = std::function<QString(const QString& proposed)>;
  void setOpenChooser(OpenChooser chooser) { m_open = std::move(chooser); }
  void setSaveChooser(SaveChooser chooser) { m_save = std::move(chooser); }

  const library::LibraryPlace& place() const { return m_place; }
  TypeSelector* typeSelector() const { return m_type; }
  DriverTable* table() const { return m_table; }
  QRadioButton* listButton() const { return m_list; }
  QRadioButton* reportButton() const { return m_report; }
  QPushButton* installButton() const { return m_install; }
  QPushButton* deinstallButton() const { return m_deinstall; }
  QPushButton* extractButton() const { return m_extract; }

  // Reads the type's folder again.
  void refresh();

 private:
  void install();
  void deinstall();
  void extract();
  void updateButtons();

  library::LibraryPlace m_place;
  TypeSelector* m_type;
  DriverTable* m_table;
  QRadioButton* m_list;
  QRadioButton* m_report;
  QPushButton* m_install;
  QPushButton* m_deinstall;
  QPushButton* m_extract;
  OpenChooser m_open;
  SaveChooser m_save;
};

}  // namespace zel::ui
