#include "ui/library/io_modules_page.h"

#include <QHeaderView>

#include "library/io_module_install.h"
#include "library/io_module_list.h"
#include "library/runtime_folder.h"
#include "platform/message_box.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

IoModulesPage::IoModulesPage(library::LibraryPlace place, QWidget* parent)
    : LibraryPage(std::move(place), QStringLiteral("IO Scripts (*.iod)"), parent),
      m_table(new QTreeWidget(this)) {
  m_table->setHeaderLabels(
      {tr("IO Module"), tr("File"), tr("In"), tr("Out"), tr("IW"), tr("OW"), tr("Switch")});
  m_table->setRootIsDecorated(false);
  m_table->header()->setSectionsClickable(true);
  m_table->header()->setSortIndicatorShown(true);
  m_table->header()->setSortIndicator(0, Qt::AscendingOrder);
  setTable(m_table);
  connect(reportButton(), &QRadioButton::toggled, this, &IoModulesPage::setReport);
  connect(m_table->header(), &QHeaderView::sectionClicked, this, &IoModulesPage::clickColumn);
  connect(m_table, &QTreeWidget::itemSelectionChanged, this, &IoModulesPage::updateButtons);
  refresh();
}

void IoModulesPage::load() {
  // Scripts that do not parse are reported as the project's load reports them.
  m_rows = library::IoModuleRows(library::LoadIoModules(place().programDirectory, place().type));
  library::SortIoModuleRows(m_rows, m_column, m_descending);
  fill();
}

void IoModulesPage::fill() {
  m_table->clear();
  for (const auto& row : m_rows) {
    auto* item = new QTreeWidgetItem(m_table);
    item->setText(0, FromStored(row.name));
    item->setText(1, FromStored(row.file));
    item->setText(2, QString::number(row.in));
    item->setText(3, QString::number(row.out));
    item->setText(4, QString::number(row.iwSize));
    item->setText(5, QString::number(row.owSize));
    item->setText(6, FromStored(row.switches));
  }
  m_table->header()->setSortIndicator(static_cast<int>(m_column),
                                      m_descending ? Qt::DescendingOrder : Qt::AscendingOrder);
  updateButtons();
}

void IoModulesPage::clickColumn(int column) {
  const auto chosen = static_cast<library::IoModuleColumn>(column);
  if (chosen == library::IoModuleColumn::Switch) {
    platform::ShowMessageBox(std::string(library::kMsgColumnNotSortable), platform::Buttons::Ok,
                             platform::Icon::Information);
    fill();  // the header keeps showing the order the rows are in
    return;
  }
  m_descending = chosen == m_column ? !m_descending : false;
  m_column = chosen;
  library::SortIoModuleRows(m_rows, m_column, m_descending);
  fill();
}

void IoModulesPage::setReport(bool report) {
  for (int column = 1; column < m_table->columnCount(); ++column)
    m_table->setColumnHidden(column, !report);
  m_table->setHeaderHidden(!report);
}

std::optional<std::size_t> IoModulesPage::selectedRow() const {
  const auto items = m_table->selectedItems();
  if (items.isEmpty()) return std::nullopt;
  return static_cast<std::size_t>(m_table->indexOfTopLevelItem(items.front()));
}

void IoModulesPage::updateButtons() {
  setSelectionButtons(selectedRow().has_value());
}

void IoModulesPage::installScript(const std::filesystem::path& file) {
  library::InstallIoModule(place().programDirectory, place().type, file);
}

void IoModulesPage::deinstall() {
  const auto row = selectedRow();
  if (!row) return;
  if (library::DeinstallIoModule(place().programDirectory, place().type, m_rows.at(*row).file))
    refresh();
}

void IoModulesPage::extract() {
  const auto row = selectedRow();
  if (!row) return;
  const std::string file = m_rows.at(*row).file;
  if (const auto target = chooseExtractTarget(file))
    library::ExtractIoModule(place().programDirectory, place().type, file, *target);
}

}  // namespace zel::ui
