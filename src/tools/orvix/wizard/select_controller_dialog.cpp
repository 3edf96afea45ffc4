#include "tools/orvix/wizard/select_controller_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include "tools/orvix/orvix_messages.h"

namespace zel::orvix {

SelectControllerDialog::SelectControllerDialog(const QString& project, app::ControllerType preset,
                                               QWidget* parent)
    : QDialog(parent), m_types(new QListWidget(this)) {
  setWindowTitle(QString::fromUtf8(kSelectControllerTitle.data(), kSelectControllerTitle.size()));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(project, this));
  layout->addWidget(new QLabel(
      QString::fromUtf8(kAvailableTypesLabel.data(), kAvailableTypesLabel.size()), this));
  for (const auto& info : app::ControllerTypes()) {
    auto* item = new QListWidgetItem(QString::fromUtf8(info.label.data(), info.label.size()));
    item->setData(Qt::UserRole, static_cast<int>(info.type));
    m_types->addItem(item);
    if (info.type == preset) m_types->setCurrentItem(item);
  }
  layout->addWidget(m_types);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(m_types, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
  layout->addWidget(buttons);
}

app::ControllerType SelectControllerDialog::chosen() const {
  const auto* item = m_types->currentItem();
  return item ? static_cast<app::ControllerType>(item->data(Qt::UserRole).toInt())
              : app::ControllerType::Vm1x;
}

std::optional<app::ControllerType> SelectControllerDialog::ask(const QString& project,
                                                               app::ControllerType preset,
                                                               QWidget* parent) {
  SelectControllerDialog dialog(project, preset, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.chosen();
}

}  // namespace zel::orvix
