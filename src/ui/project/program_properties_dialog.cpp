#include "ui/project/program_properties_dialog.h"

#include <QVBoxLayout>

#include "app/modules/module_entry.h"
#include "app/modules/module_info.h"
#include "app/modules/module_ops.h"
#include "build/module_info.h"
#include "ui/widgets/ok_cancel_buttons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

ProgramPropertiesDialog::ProgramPropertiesDialog(app::ProjectModel& model, std::string fileName,
                                                 app::ShellHooks* hooks, QWidget* parent)
    : QDialog(parent),
      m_model(model),
      m_fileName(std::move(fileName)),
      m_hooks(hooks),
      m_pages(new QTabWidget(this)),
      m_info(new QLabel(this)) {
  setWindowTitle(tr("Program Properties"));
  const app::ModuleRecord* module = model.findModuleByName(m_fileName);
  const app::ModuleRecord record = module ? *module : app::ModuleRecord{};
  auto* general = new QWidget(this);
  m_fields = new ModuleEntryFields(app::EntryOf(record), general);
  const auto facts = app::ReadModuleFileFacts(model, record);
  m_info->setText(FromStored(app::PropertiesInfoText(record, facts, build::CompiledLanguageName)));
  m_info->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* page = new QVBoxLayout(general);
  page->addWidget(m_fields);
  page->addWidget(m_info);
  page->addStretch(1);
  m_pages->addTab(general, tr("General"));
  if (const auto log = app::ReadModuleLog(model, record)) {
    auto* text = new QPlainTextEdit(FromStored(*log), this);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pages->addTab(text, tr("Log File"));
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pages);
  layout->addWidget(OkCancelButtons(this));
  resize(520, 380);
}

void ProgramPropertiesDialog::accept() {
  if (!m_fields->checkEntry()) return;
  const auto result =
      app::ModuleOperations(m_model, m_hooks).applyProperties(m_fileName, m_fields->entry());
  if (result.keepDialogOpen()) return;
  QDialog::accept();
}

}  // namespace zel::ui
