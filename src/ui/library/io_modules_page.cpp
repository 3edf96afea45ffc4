#include "ui/library/io_modules_page.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "library/io_module_install.h"
#include "library/project_io_modules.h"
#include "library/runtime_folder.h"
#include "platform/message_box.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

const QString kScriptFilter = QStringLiteral("IO Scripts (*.iod)");

std::filesystem::path ToPath(const QString& text) {
  return std::filesystem::path(text.toStdString());
}

}  // namespace

IoModulesPage::IoModulesPage(library::LibraryPlace place, QWidget* parent)
    : QWidget(parent),
      m_place(std::move(place)),
      m_type(new TypeSelector(m_place.type, this)),
      m_table(new QTreeWidget(this)),
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
  m_table->setHeaderLabels(
      {tr("IO Module"), tr("File"), tr("In"), tr("Out"), tr("IW"), tr("OW"), tr("Switch")});
  m_table->setRootIsDecorated(false);
  m_table->header()->setSectionsClickable(true);
  m_table->header()->setSortIndicatorShown(true);
  m_table->header()->setSortIndicator(0, Qt::AscendingOrder);
  m_report->setChecked(true);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(tr("Controller &type:"), this));
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

  connect(m_type, &QComboBox::currentIndexChanged, this, &IoModulesPage::refresh);
  connect(m_report, &QRadioButton::toggled, this, &IoModulesPage::setReport);
  connect(m_table->header(), &QHeaderView::sectionClicked, this, &IoModulesPage::clickColumn);
  connect(m_table, &QTreeWidget::itemSelectionChanged, this, &IoModulesPage::updateButtons);
  connect(m_install, &QPushButton::clicked, this, &IoModulesPage::install);
  connect(m_deinstall, &QPushButton::clicked, this, &IoModulesPage::deinstall);
  connect(m_extract, &QPushButton::clicked, this, &IoModulesPage::extract);
  refresh();
}

void IoModulesPage::refresh() {
  m_place.type = m_type->typeName();
  // Scripts that do not parse are reported as the project's load reports them.
  m_rows = library::IoModuleRows(library::LoadIoModules(m_place.programDirectory, m_place.type));
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
  const bool selected = selectedRow().has_value();
  m_deinstall->setEnabled(selected);
  m_extract->setEnabled(selected);
}

void IoModulesPage::install() {
  const QStringList files = m_open(FromStored(m_place.programDirectory.string()));
  for (const QString& file : files)
    library::InstallIoModule(m_place.programDirectory, m_place.type, ToPath(file));
  if (!files.isEmpty()) refresh();
}

void IoModulesPage::deinstall() {
  const auto row = selectedRow();
  if (!row) return;
  if (library::DeinstallIoModule(m_place.programDirectory, m_place.type, m_rows.at(*row).file))
    refresh();
}

void IoModulesPage::extract() {
  const auto row = selectedRow();
  if (!row) return;
  const std::string file = m_rows.at(*row).file;
  const QString chosen = m_save(FromStored(file));
  if (chosen.isEmpty()) return;
  library::ExtractIoModule(m_place.programDirectory, m_place.type, file, ToPath(chosen));
}

}  // namespace zel::ui
