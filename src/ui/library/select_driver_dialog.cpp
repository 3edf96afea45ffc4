#include "ui/library/select_driver_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "library/library_messages.h"
#include "platform/message_box.h"
#include "ui/widgets/ok_cancel_buttons.h"

namespace zel::ui {

SelectDriverDialog::SelectDriverDialog(const library::DriverList& installed, QWidget* parent)
    : QDialog(parent),
      m_installed(installed),
      m_table(new DriverTable(this)),
      m_list(new QRadioButton(tr("&List"), this)),
      m_report(new QRadioButton(tr("&Report"), this)) {
  setWindowTitle(tr("Select Driver"));
  std::vector<library::DriverRow> rows;
  for (const library::DriverInfo& driver : installed.drivers())
    rows.push_back(library::RowOf(driver));
  library::SortDriverRows(rows, m_table->sortColumn(), m_table->sortDescending());
  m_table->setRows(std::move(rows));
  m_report->setChecked(true);
  connect(m_report, &QRadioButton::toggled, m_table, &DriverTable::setReport);
  connect(m_table, &DriverTable::rowActivated, this, [this] { accept(); });

  auto* info = new QLabel(
      tr("Choose the driver to add to the project. Its options are set in the next step."), this);
  info->setWordWrap(true);
  auto* views = new QHBoxLayout;
  views->addWidget(info, 1);
  views->addWidget(m_list);
  views->addWidget(m_report);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(views);
  layout->addWidget(m_table, 1);
  layout->addWidget(OkCancelButtons(this));
  resize(560, 340);
}

void SelectDriverDialog::accept() {
  const std::vector<std::size_t> selected = m_table->selectedRows();
  if (selected.empty()) {
    platform::ShowMessageBox(std::string(library::kMsgNothingSelected), platform::Buttons::Ok,
                             platform::Icon::Warning);
    return;
  }
  const library::DriverInfo* driver = m_installed.find(m_table->rows().at(selected.front()).name);
  if (!driver) return;
  m_chosen = *driver;
  QDialog::accept();
}

}  // namespace zel::ui
