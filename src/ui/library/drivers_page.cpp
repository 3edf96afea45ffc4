#include "ui/library/drivers_page.h"

#include "library/driver_list.h"
#include "library/runtime_folder.h"

namespace zel::ui {

DriversPage::DriversPage(library::LibraryPlace place, QWidget* parent)
    : LibraryPage(std::move(place), QStringLiteral("ZEL Driver Scripts (*.dmk)"), parent),
      m_table(new DriverTable(this)) {
  setTable(m_table, m_table->view());
  connect(reportButton(), &QRadioButton::toggled, m_table, &DriverTable::setReport);
  connect(m_table, &DriverTable::selectionChanged, this, &DriversPage::updateButtons);
  refresh();
}

void DriversPage::load() {
  library::DriverList drivers;
  drivers.load(place().programDirectory, place().type);
  std::vector<library::DriverRow> rows;
  for (const library::DriverInfo& driver : drivers.drivers())
    rows.push_back(library::RowOf(driver));
  library::SortDriverRows(rows, m_table->sortColumn(), m_table->sortDescending());
  m_table->setRows(std::move(rows));
  updateButtons();
}

void DriversPage::updateButtons() {
  setSelectionButtons(!m_table->selectedRows().empty());
}

void DriversPage::installScript(const std::filesystem::path& file) {
  library::InstallDriver(file, place());
}

void DriversPage::deinstall() {
  const std::vector<std::size_t> selected = m_table->selectedRows();
  if (selected.empty()) return;
  const std::string name = m_table->rows().at(selected.front()).name;
  // A script that could not be deleted stays listed as it was.
  if (library::DeinstallDriver(name, place()) == library::LibraryResult::Done) refresh();
}

void DriversPage::extract() {
  const std::vector<std::size_t> selected = m_table->selectedRows();
  if (selected.empty()) return;
  const std::string name = m_table->rows().at(selected.front()).name;
  const auto target = chooseExtractTarget(name + std::string(library::kDriverScriptExtension));
  if (target) library::ExtractDriver(name, *target, place());
}

}  // namespace zel::ui
