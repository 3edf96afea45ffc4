#include "ui/library/driver_config_view.h"

#include <QKeyEvent>
#include <QVBoxLayout>

#include "app/text/text_format.h"
#include "library/driver_script.h"
#include "library/library_messages.h"
#include "library/runtime_folder.h"
#include "platform/message_box.h"
#include "ui/library/driver_options_dialog.h"
#include "ui/library/driver_settings_dialog.h"
#include "ui/library/select_driver_dialog.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

constexpr std::string_view kMsgScriptUnreadable = "'%s'\n\nFailed to open the file.";

void Inform(std::string text) {
  platform::ShowMessageBox(std::move(text), platform::Buttons::Ok, platform::Icon::Information);
}

}  // namespace

QString EntriesText(std::size_t count) {
  std::string text(library::kEntriesStatus);
  const std::size_t at = text.find("%u");
  if (at != std::string::npos) text.replace(at, 2, std::to_string(count));
  return FromStored(text);
}

DriverConfigView::DriverConfigView(app::ProjectFile project, std::string type,
                                   const library::DriverList& installed,
                                   std::filesystem::path programDirectory, QWidget* parent)
    : QWidget(parent),
      m_config(std::move(project), std::move(type)),
      m_installed(installed),
      m_programDirectory(std::move(programDirectory)),
      m_table(new DriverTable(this)),
      m_status(new QLabel(this)),
      m_insert(new QAction(tr("&Insert Driver..."), this)),
      m_delete(new QAction(tr("&Delete"), this)),
      m_properties(new QAction(tr("&Properties..."), this)) {
  setWindowTitle(tr("Driver Configuration"));
  m_table->setMultiSelection(true);
  m_table->view()->setContextMenuPolicy(Qt::ActionsContextMenu);
  m_table->view()->addActions({m_insert, m_delete, m_properties});
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_table, 1);
  layout->addWidget(m_status);
  connect(m_insert, &QAction::triggered, this, &DriverConfigView::insertDriver);
  connect(m_delete, &QAction::triggered, this, &DriverConfigView::deleteSelected);
  connect(m_properties, &QAction::triggered, this, &DriverConfigView::properties);
  connect(m_table, &DriverTable::rowActivated, this, &DriverConfigView::activated);
  connect(m_table, &DriverTable::emptySpaceDoubleClicked, this, &DriverConfigView::insertDriver);
  connect(m_table, &DriverTable::selectionChanged, this, &DriverConfigView::updateActions);
  connect(m_table, &DriverTable::sortRequested, this,
          [this](library::DriverColumn column, bool descending) {
            m_config.setOrder(column, descending);
            showRows();
          });
  m_config.load(m_installed, true);
  showRows();
}

void DriverConfigView::showRows(std::optional<std::size_t> select) {
  m_table->setSortIndicator(m_config.orderColumn(), m_config.orderDescending());
  m_table->setRows(m_config.rows());
  if (select) m_table->selectRow(*select);
  m_status->setText(EntriesText(m_config.rows().size()));
  updateActions();
}

void DriverConfigView::updateActions() {
  const std::size_t selected = m_table->selectedRows().size();
  m_delete->setEnabled(selected > 0);
  m_properties->setEnabled(selected == 1);
}

void DriverConfigView::activated() {
  if (m_table->selectedRows().size() == 1) {
    properties();
  } else {
    insertDriver();
  }
}

void DriverConfigView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Insert) {
    insertDriver();
  } else if (event->key() == Qt::Key_Delete && !m_table->selectedRows().empty()) {
    deleteSelected();
  } else {
    QWidget::keyPressEvent(event);
  }
}

void DriverConfigView::insertDriver() {
  if (!m_config.canInsertFrom(m_installed)) return;
  SelectDriverDialog select(m_installed, this);
  if (m_hooks.select) m_hooks.select(select);
  if (select.exec() != QDialog::Accepted || !select.chosen()) return;
  const library::DriverInfo driver = *select.chosen();
  if (!m_config.acceptNew(driver)) return;
  if (!editOptions(driver)) return;
  const std::optional<std::size_t> row = m_config.insert(driver);
  showRows(row);
  emit configurationChanged();
}

void DriverConfigView::deleteSelected() {
  const std::vector<std::size_t> selected = m_table->selectedRows();
  if (selected.empty()) return;
  m_config.remove(selected);
  showRows();
  emit configurationChanged();
}

void DriverConfigView::properties() {
  const std::vector<std::size_t> selected = m_table->selectedRows();
  if (selected.size() != 1) return;
  const library::DriverRow row = m_config.rows().at(selected.front());
  if (!row.known) {
    showSettings(row);
    return;
  }
  if (const library::DriverInfo* driver = m_installed.find(row.name)) editOptions(*driver);
}

bool DriverConfigView::editOptions(const library::DriverInfo& driver) {
  const std::filesystem::path file =
      library::DriverScriptPath(m_programDirectory, m_config.type(), driver.name);
  const std::optional<library::DriverScript> script = library::DriverScript::load(file);
  if (!script) {
    platform::ShowMessageBox(app::FillText(kMsgScriptUnreadable, StoredPath(file)),
                             platform::Buttons::Ok, platform::Icon::Error);
    return false;
  }
  library::DriverOptionsModel model(*script, m_config.project(), m_config.type());
  if (model.empty()) {
    Inform(model.noOptionsMessage());
    return true;
  }
  DriverOptionsDialog dialog(model, this);
  if (m_hooks.options) m_hooks.options(dialog);
  return dialog.exec() == QDialog::Accepted;
}

void DriverConfigView::showSettings(const library::DriverRow& row) {
  const auto entries = library::ReadStoredOptions(m_config.project(), m_config.type(), row.name);
  if (entries.empty()) {
    Inform(app::FillText(library::kMsgNoOptions, row.name));
    return;
  }
  DriverSettingsDialog dialog(library::DriverSettingsTitle(row.name, row.description), entries,
                              this);
  if (m_hooks.settings) m_hooks.settings(dialog);
  dialog.exec();
}

}  // namespace zel::ui
