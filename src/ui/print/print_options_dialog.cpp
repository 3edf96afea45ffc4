#include "ui/print/print_options_dialog.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace zel::ui {

namespace {

using print::PrintOptions;

struct Choice {
  bool PrintOptions::*option;
  const char* text;
};

// In the order the sections print; the metrics page is the odd one out, set apart below.
constexpr std::array<Choice, 12> kChoices{{
    {&PrintOptions::title, QT_TRANSLATE_NOOP("PrintOptionsDialog", "&Title Page")},
    {&PrintOptions::docText,
     QT_TRANSLATE_NOOP("PrintOptionsDialog", "Project &Documentation (Project.txt)")},
    {&PrintOptions::controllerSettings,
     QT_TRANSLATE_NOOP("PrintOptionsDialog", "&Controller Settings")},
    {&PrintOptions::projectTree, QT_TRANSLATE_NOOP("PrintOptionsDialog", "Project T&ree")},
    {&PrintOptions::io, QT_TRANSLATE_NOOP("PrintOptionsDialog", "&IO Configuration")},
    {&PrintOptions::drivers, QT_TRANSLATE_NOOP("PrintOptionsDialog", "Dri&ver Configuration")},
    {&PrintOptions::allocationList, QT_TRANSLATE_NOOP("PrintOptionsDialog", "&Allocation List")},
    {&PrintOptions::properties, QT_TRANSLATE_NOOP("PrintOptionsDialog", "Module &Properties")},
    {&PrintOptions::source, QT_TRANSLATE_NOOP("PrintOptionsDialog", "Module &Sources")},
    {&PrintOptions::log, QT_TRANSLATE_NOOP("PrintOptionsDialog", "Compile &Logs")},
    {&PrintOptions::crossReference, QT_TRANSLATE_NOOP("PrintOptionsDialog", "Cross Re&ference")},
    {&PrintOptions::metrics, QT_TRANSLATE_NOOP("PrintOptionsDialog", "Printer &Metrics")},
}};

}  // namespace

PrintOptionsDialog::PrintOptionsDialog(const PrintOptions& options, bool docTextUsable,
                                       QWidget* parent)
    : QDialog(parent), m_stored(options) {
  setObjectName("PrintOptionsDialog");
  setWindowTitle(tr("Print Project"));
  auto* layout = new QVBoxLayout(this);
  auto* sections = new QGroupBox(tr("Print"), this);
  auto* sectionLayout = new QVBoxLayout(sections);
  auto* extras = new QGroupBox(tr("Options"), this);
  auto* extraLayout = new QVBoxLayout(extras);
  for (std::size_t i = 0; i < kChoices.size(); ++i) {
    const Choice& choice = kChoices[i];
    const bool metrics = choice.option == &PrintOptions::metrics;
    auto* box = new QCheckBox(tr(choice.text), metrics ? extras : sections);
    box->setChecked(options.*choice.option);
    (metrics ? extraLayout : sectionLayout)->addWidget(box);
    m_rows[i] = {choice.option, box};
  }
  if (!docTextUsable) {
    QCheckBox* doc = box(&PrintOptions::docText);
    doc->setChecked(false);
    doc->setEnabled(false);
    doc->setToolTip(tr("Project.txt cannot be read and written."));
  }
  layout->addWidget(sections);
  layout->addWidget(extras);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  QPushButton* preview = buttons->addButton(tr("Pre&view..."), QDialogButtonBox::ActionRole);
  preview->setObjectName("preview");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(preview, &QPushButton::clicked, this, [this] { done(Preview); });
  layout->addWidget(buttons);
}

QCheckBox* PrintOptionsDialog::box(bool PrintOptions::*option) const {
  for (const Row& row : m_rows) {
    if (row.option == option) return row.box;
  }
  return nullptr;
}

PrintOptions PrintOptionsDialog::options() const {
  PrintOptions options;
  for (const Row& row : m_rows) {
    options.*row.option = row.box->isEnabled() ? row.box->isChecked() : m_stored.*row.option;
  }
  return options;
}

}  // namespace zel::ui
