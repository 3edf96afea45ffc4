#pragma once
// "ZEL Library": the run-time library of each controller type, one page per kind of
// script: "Drivers" and "IO Modules".

#include <QDialog>
#include <QTabWidget>

#include "library/driver_install.h"
#include "ui/library/drivers_page.h"
#include "ui/library/io_modules_page.h"

namespace zel::ui {

class LibraryDialog : public QDialog {
  Q_OBJECT

 public:
  explicit LibraryDialog(const library::LibraryPlace& place, QWidget* parent = nullptr);

  DriversPage* driversPage() const { return m_drivers; }
  IoModulesPage* ioModulesPage() const { return m_ioModules; }
  QTabWidget* pages() const { return m_pages; }
  void addPage(QWidget* page, const QString& title);

 private:
  QTabWidget* m_pages;
  DriversPage* m_drivers;
  IoModulesPage* m_ioModules;
};

}  // namespace zel::ui
