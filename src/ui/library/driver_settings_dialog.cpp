#include "ui/library/driver_settings_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QVBoxLayout>

#include "ui/widgets/stored_text.h"

namespace zel::ui {

DriverSettingsDialog::DriverSettingsDialog(
    const std::string& title, const std::vector<std::pair<std::string, std::string>>& entries,
    QWidget* parent)
    : QDialog(parent), m_list(new QTreeWidget(this)) {
  setWindowTitle(FromStored(title));
  m_list->setColumnCount(3);
  m_list->setHeaderLabels({tr("Key"), QString(), tr("Value")});
  m_list->setRootIsDecorated(false);
  for (const auto& [key, value] : entries) {
    new QTreeWidgetItem(m_list, {FromStored(key), QStringLiteral("="), FromStored(value)});
  }
  m_list->header()->resizeSection(0, 160);
  m_list->header()->resizeSection(1, 24);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list, 1);
  layout->addWidget(buttons);
  resize(460, 300);
}

}  // namespace zel::ui
