#pragma once
// "ZEL Library": the run-time library of each controller type, one page per kind of
// script. Page "Drivers" is built here; page "IO Modules" is added by whoever builds it
// (addPage), so the dialog does not depend on it.

#include <QDialog>
#include <QTabWidget>

#include "library/driver_install.h"
#include "ui/library/drivers_page.h"

namespace zel::ui {

class LibraryDialog : public QDialog {
  Q_OBJECT

 public:
  explicit LibraryDialog(const library::LibraryPlace& place, QWidget* parent = nullptr);

  DriversPage* driversPage() const { return m_drivers; }
  QTabWidget* pages() const { return m_pages; }
  void addPage(QWidget* page, const QString& title);

 private:
  QTabWidget* m_pages;
  DriversPage* m_drivers;
};

}  // namespace zel::ui
