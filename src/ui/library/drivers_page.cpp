#include "ui/library/drivers_page.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "library/driver_list.h"
#include "library/runtime_folder.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// The script filter as the platform's chooser writes it.
const QString kScriptFilter = QStringLiteral("ZEL Driver Scripts (*.dmk)");

std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(text.toStdString());
}

}  // namespace

DriversPage::DriversPage(library::LibraryPlace place, QWidget* parent)
    : QWidget(parent),
      m_place(std::move(place)),
      m_type(new TypeSelector(m_place.type, this)),
      m_table(new DriverTable(this)),
      m_list(new QRadioButton(tr("&List"), this)),
      m_report(new QRadioButton(tr("&Report"), this)),
      m_install(new QPushButton(tr("&Install..."), this)),
      m_deinstall(new QPushButton(tr("&Deinstall"), this)),
      m_extract(new QPushButton(tr("E&xtract..."), this)) {
  m_open = [this](const QString& start) {
    return QFileDialog::getOpenFileNames(this, tr("Install"), start, kScriptFilter, nullptr,
                                         QFileDialog::DontUseNativeDialog);
  };
  m_save = [this](const QString& proposed) {
    return QFileDialog::getSaveFileName(this, tr("Extract"), proposed, kScriptFilter, nullptr,
                                        QFileDialog::DontUseNativeDialog);
  };
  m_report->setChecked(true);
  auto* top = new QHBoxLayout;
  auto* typeLabel = new QLabel(tr("Controller &type:"), this);
  typeLabel->setBuddy(m_type);
  top->addWidget(typeLabel);
  top->addWidget(m_type);
  top->addStretch(1);
  top->addWidget(m_list);
  top->addWidget(m_report);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {m_install, m_deinstall, m_extract}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(m_table, 1);
  layout->addLayout(buttons);

  connect(m_type, &QComboBox::currentIndexChanged, this, &DriversPage::refresh);
  connect(m_report, &QRadioButton::toggled, m_table, &DriverTable::setReport);
  connect(m_table, &DriverTable::selectionChanged, this, &DriversPage::updateButtons);
  connect(m_install, &QPushButton::clicked, this, &DriversPage::install);
  connect(m_deinstall, &QPushButton::clicked, this, &DriversPage::deinstall);
  connect(m_extract, &QPushButton::clicked, this, &DriversPage::extract);
  refresh();
}

void DriversPage::refresh() {
  m_place.type = m_type->typeName();
  library::DriverList drivers;
  drivers.load(m_place.programDirectory, m_place.type);
  std::vector<library::DriverRow> rows;
  for (const library::DriverInfo& driver : drivers.drivers())
    rows.push_back(library::RowOf(driver));
  library::SortDriverRows(rows, m_table->sortColumn(), m_table->sortDescending());
  m_table->setRows(std::move(rows));
  updateButtons();
}

void DriversPage::updateButtons() {
  const bool selected = !m_table->selectedRows().empty();
  m_deinstall->setEnabled(selected);
  m_extract->setEnabled(selected);
}

void DriversPage::install() {
  const QStringList files = m_open(FromStored(m_place.programDirectory.string()));
  for (const QString& file : files) library::InstallDriver(ToPath(file), m_place);
  if (!files.isEmpty()) refresh();
}

void DriversPage::deinstall() {
  const std::vector<std::size_t> selected = m_table->selectedRows();
  if (selected.empty()) return;
  const std::string name = m_table->rows().at(selected.front()).name;
  // A script that could not be deleted stays listed as it was.
  if (library::DeinstallDriver(name, m_place) == library::LibraryResult::Done) refresh();
}

void DriversPage::extract() {
  const std::vector<std::size_t> selected = m_table->selectedRows();
  if (selected.empty()) return;
  const std::string name = m_table->rows().at(selected.front()).name;
  const QString chosen = m_save(FromStored(name + std::string(library::kDriverScriptExtension)));
  if (chosen.isEmpty()) return;
  library::ExtractDriver(name, ToPath(chosen), m_place);
}

}  // namespace zel::ui
