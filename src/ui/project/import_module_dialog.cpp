#include "ui/project/import_module_dialog.h"

#include <QVBoxLayout>

#include "build/module_import.h"
#include "ui/widgets/ok_cancel_buttons.h"

namespace zel::ui {

ImportModuleDialog::ImportModuleDialog(const app::ModuleEntry& preset, QWidget* parent)
    : QDialog(parent), m_fields(new ModuleEntryFields(preset, this)) {
  setObjectName("ImportModuleDialog");
  setWindowTitle(QString::fromLatin1(build::kImportDialogTitle.data(),
                                     static_cast<int>(build::kImportDialogTitle.size())));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_fields);
  layout->addWidget(OkCancelButtons(this));
  resize(420, 180);
}

void ImportModuleDialog::accept() {
  if (!m_fields->checkEntry()) return;
  QDialog::accept();
}

std::optional<app::ModuleEntry> ImportModuleDialog::Ask(const app::ModuleEntry& preset,
                                                        QWidget* parent) {
  ImportModuleDialog dialog(preset, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.fields()->entry();
}

}  // namespace zel::ui
