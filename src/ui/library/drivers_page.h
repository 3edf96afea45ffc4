#pragma once
// Page "Drivers" of the library dialog: the driver scripts installed for the chosen
// controller type, and Install, Deinstall and Extract over the run-time library core.

#include "ui/library/driver_table.h"
#include "ui/library/library_page.h"

namespace zel::ui {

class DriversPage : public LibraryPage {
  Q_OBJECT

 public:
  DriversPage(library::LibraryPlace place, QWidget* parent = nullptr);

  DriverTable* table() const { return m_table; }

 protected:
  void load() override;
  void installScript(const std::filesystem::path& file) override;
  void deinstall() override;
  void extract() override;

 private:
  void updateButtons();

  DriverTable* m_table;
};

}  // namespace zel::ui
