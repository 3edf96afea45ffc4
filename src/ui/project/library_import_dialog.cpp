#include "ui/project/library_import_dialog.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "library/runtime_folder.h"
#include "platform/message_box.h"
#include "ui/project/import_module_dialog.h"
#include "ui/widgets/ok_cancel_buttons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// The description's lines side by side, for one row.
QString OneLine(const std::string& text) {
  QString line = FromStored(text).simplified();
  return line;
}

}  // namespace

LibraryImportDialog::LibraryImportDialog(app::ProjectModel& model, app::ShellHooks* hooks,
                                         std::filesystem::path programDirectory, QWidget* parent)
    : QDialog(parent),
      m_model(model),
      m_hooks(hooks),
      m_folder(library::RuntimeDirectory(programDirectory, model.target())),
      m_list(new QTreeWidget(this)) {
  setObjectName("LibraryImportDialog");
  setWindowTitle(QString::fromLatin1(build::kLibraryImportTitle.data(),
                                     static_cast<int>(build::kLibraryImportTitle.size())));
  m_list->setColumnCount(2);
  m_list->setHeaderLabels({tr("Module"), tr("Description")});
  m_list->setRootIsDecorated(false);
  m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_list->setSortingEnabled(true);
  for (const auto& module : build::LibraryModules(programDirectory, model.target())) {
    auto* item =
        new QTreeWidgetItem(m_list, {FromStored(module.fileName), OneLine(module.description)});
    item->setData(0, Qt::UserRole, static_cast<int>(m_names.size()));
    m_names.push_back(module.fileName);
  }
  m_list->sortByColumn(0, Qt::AscendingOrder);
  m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  m_ask = [this](const app::ModuleEntry& preset) { return ImportModuleDialog::Ask(preset, this); };
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list);
  layout->addWidget(OkCancelButtons(this));
  resize(520, 320);
}

void LibraryImportDialog::accept() {
  const auto selected = m_list->selectedItems();
  if (selected.isEmpty()) {
    platform::ShowMessageBox(std::string(build::kMsgImportNothingSelected), platform::Buttons::Ok,
                             platform::Icon::Warning);
    return;
  }
  for (const QTreeWidgetItem* item : selected) {
    const auto index = static_cast<std::size_t>(item->data(0, Qt::UserRole).toInt());
    build::ImportModule(m_model, m_hooks, m_folder / m_names.at(index), m_ask);
  }
  QDialog::accept();
}

}  // namespace zel::ui
