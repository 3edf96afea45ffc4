#include "ui/editor/module_call_dialog.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QVBoxLayout>

#include "stl/editor/called_module.h"
#include "ui/widgets/ok_cancel_buttons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

namespace {

// The kind box lists these in this order.
constexpr std::array<app::ModuleKind, 2> kCallKinds = {app::ModuleKind::Cmp, app::ModuleKind::Cfm};
constexpr std::array<const char*, 2> kCallKindLabels = {"CMP", "CFM"};

}  // namespace

ModuleCallDialog::ModuleCallDialog(const std::vector<app::ModuleRecord>& modules, QWidget* parent)
    : QDialog(parent),
      kind(new QComboBox(this)),
      number(new QSpinBox(this)),
      moduleComment(new QLabel(this)),
      m_modules(modules) {
  setWindowTitle(tr("Module Call"));
  for (const char* label : kCallKindLabels) kind->addItem(tr(label));
  number->setRange(0, app::kMaxFunctionModuleNumber);
  moduleComment->setTextFormat(Qt::PlainText);
  moduleComment->setMinimumWidth(moduleComment->fontMetrics().averageCharWidth() * 40);
  auto* form = new QFormLayout;
  form->addRow(tr("&Module:"), kind);
  form->addRow(tr("&Number:"), number);
  form->addRow(tr("Comment:"), moduleComment);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(parameterRows());
  layout->addWidget(OkCancelButtons(this));
  connect(kind, &QComboBox::currentIndexChanged, this, &ModuleCallDialog::updateModuleComment);
  connect(number, &QSpinBox::valueChanged, this, &ModuleCallDialog::updateModuleComment);
  updateModuleComment();
}

QGridLayout* ModuleCallDialog::parameterRows() {
  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(tr("Parameter"), this), 0, 1);
  grid->addWidget(new QLabel(tr("Comment"), this), 0, 2);
  for (std::size_t row = 0; row < stl::kMaxCallParameters; ++row) {
    const int line = static_cast<int>(row) + 1;
    parameters[row] = new QLineEdit(this);
    comments[row] = new QLineEdit(this);
    grid->addWidget(new QLabel(tr("WITH"), this), line, 0);
    grid->addWidget(parameters[row], line, 1);
    grid->addWidget(comments[row], line, 2);
  }
  grid->setColumnStretch(2, 1);
  return grid;
}

app::ModuleKind ModuleCallDialog::moduleKind() const {
  const int index = kind->currentIndex();
  return index >= 0 && index < static_cast<int>(kCallKinds.size())
             ? kCallKinds[static_cast<std::size_t>(index)]
             : app::ModuleKind::Cmp;
}

const app::ModuleRecord* ModuleCallDialog::calledModule() const {
  return stl::FindCalledModule(m_modules, moduleKind(), number->value(),
                               stl::CalledVersion::SelectedFirst);
}

void ModuleCallDialog::updateModuleComment() {
  const app::ModuleRecord* module = calledModule();
  moduleComment->setText(module ? FromStored(module->comment) : QString());
}

std::string ModuleCallDialog::callText() const {
  stl::ModuleCallRequest request;
  request.module = {moduleKind(), number->value()};
  if (const app::ModuleRecord* module = calledModule(); module && !module->comment.empty())
    request.moduleComment = module->comment;
  for (std::size_t row = 0; row < stl::kMaxCallParameters; ++row)
    request.parameters[row] = {ToStored(parameters[row]->text()), ToStored(comments[row]->text())};
  return stl::ModuleCallText(request);
}

}  // namespace zel::ui
