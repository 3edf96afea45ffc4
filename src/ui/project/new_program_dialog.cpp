#include "ui/project/new_program_dialog.h"

#include <QVBoxLayout>

#include "app/modules/module_ops.h"
#include "ui/widgets/ok_cancel_buttons.h"

namespace zel::ui {

namespace {

app::ModuleEntry Preset(std::optional<app::ModuleKind> kind) {
  app::ModuleEntry entry;
  if (kind) entry.kind = *kind;
  return entry;
}

}  // namespace

NewProgramDialog::NewProgramDialog(app::ProjectModel& model, app::ShellHooks* hooks,
                                   std::optional<app::ModuleKind> kind, QWidget* parent)
    : QDialog(parent),
      m_model(model),
      m_hooks(hooks),
      m_fields(new ModuleEntryFields(Preset(kind), this)) {
  setWindowTitle(tr("New Program"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_fields);
  layout->addWidget(OkCancelButtons(this));
  resize(420, 180);
}

void NewProgramDialog::accept() {
  if (!m_fields->checkEntry()) return;
  const auto result = app::ModuleOperations(m_model, m_hooks).insertModule(m_fields->entry());
  if (result.keepDialogOpen()) return;
  QDialog::accept();
}

}  // namespace zel::ui
