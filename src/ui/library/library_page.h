#pragma once
// The frame every page of the library dialog shares: the controller type, List and
// Report, and Install, Deinstall and Extract with their file choosers. A page supplies its
// table, reads the type's scripts into it, and does the three commands over its core.

#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "library/driver_install.h"
#include "ui/library/type_selector.h"

namespace zel::ui {

class LibraryPage : public QWidget {
  Q_OBJECT

 public:
  // The file choosers; the defaults show the platform's dialogs. Install may take
  // several scripts; an empty list or name cancels.
  using OpenChooser = std::function<QStringList(const QString& startDir)>;
  using SaveChooser = std::function<QString(const QString& proposed)>;
  void setOpenChooser(OpenChooser chooser) { m_open = std::move(chooser); }
  void setSaveChooser(SaveChooser chooser) { m_save = std::move(chooser); }

  const library::LibraryPlace& place() const { return m_place; }
  TypeSelector* typeSelector() const { return m_type; }
  QRadioButton* listButton() const { return m_list; }
  QRadioButton* reportButton() const { return m_report; }
  QPushButton* installButton() const { return m_install; }
  QPushButton* deinstallButton() const { return m_deinstall; }
  QPushButton* extractButton() const { return m_extract; }

  // Reads the type's folder again.
  void refresh();

 protected:
  // `place.type` presets the type list; the page changes it as the user chooses.
  // `scriptFilter` is the choosers' filter.
  LibraryPage(library::LibraryPlace place, QString scriptFilter, QWidget* parent);

  // Puts the page's table between the type row and the buttons, and next after the type
  // in the tab order (`focus`: the part of the table that takes the focus, when not the
  // table itself); once, from the page's constructor, which then calls refresh().
  void setTable(QWidget* table, QWidget* focus = nullptr);
  // Deinstall and Extract work on the selected script.
  void setSelectionButtons(bool selected);
  // The target the user chose for extracting a script, `proposed` preset; none on cancel.
  std::optional<std::filesystem::path> chooseExtractTarget(const std::string& proposed);

  // Reads the scripts of place().type into the table.
  virtual void load() = 0;
  virtual void installScript(const std::filesystem::path& file) = 0;
  virtual void deinstall() = 0;
  virtual void extract() = 0;

 private:
  void install();

  library::LibraryPlace m_place;
  TypeSelector* m_type;
  QRadioButton* m_list;
  QRadioButton* m_report;
  QPushButton* m_install;
  QPushButton* m_deinstall;
  QPushButton* m_extract;
  QVBoxLayout* m_layout;
  OpenChooser m_open;
  SaveChooser m_save;
};

}  // namespace zel::ui
