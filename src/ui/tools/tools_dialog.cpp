#include "ui/tools/tools_dialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "platform/message_box.h"
#include "ui/widgets/ok_cancel_buttons.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

ToolsDialog::ToolsDialog(std::vector<app::ToolRecord> tools, app::TokenValues tokens, Runner run,
                         QWidget* parent)
    : QDialog(parent),
      m_tools(std::move(tools)),
      m_tokens(std::move(tokens)),
      m_run(std::move(run)),
      m_list(new QListWidget(this)),
      m_add(new QPushButton(tr("&Add..."), this)),
      m_remove(new QPushButton(tr("&Remove"), this)),
      m_properties(new QPushButton(tr("&Properties"), this)),
      m_up(new QPushButton(tr("&Up"), this)),
      m_down(new QPushButton(tr("&Down"), this)),
      m_execute(new QPushButton(tr("&Execute"), this)) {
  setWindowTitle(tr("Tools"));
  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {m_add, m_remove, m_properties, m_up, m_down, m_execute}) {
    button->setAutoDefault(false);
    buttons->addWidget(button);
  }
  buttons->addStretch(1);
  auto* row = new QHBoxLayout;
  row->addWidget(m_list, 1);
  row->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row, 1);
  layout->addWidget(OkCancelButtons(this));
  resize(460, 320);
  connect(m_add, &QPushButton::clicked, this, &ToolsDialog::add);
  connect(m_remove, &QPushButton::clicked, this, &ToolsDialog::remove);
  connect(m_properties, &QPushButton::clicked, this, &ToolsDialog::editSelected);
  connect(m_up, &QPushButton::clicked, this, [this] { move(-1); });
  connect(m_down, &QPushButton::clicked, this, [this] { move(1); });
  connect(m_execute, &QPushButton::clicked, this, &ToolsDialog::execute);
  connect(m_list, &QListWidget::currentRowChanged, this, &ToolsDialog::updateButtons);
  connect(m_list, &QListWidget::itemDoubleClicked, this, &ToolsDialog::editSelected);
  refill(m_tools.empty() ? -1 : 0);
}

bool ToolsDialog::edit(app::ToolRecord& tool) {
  ExternalToolDialog dialog(tool, m_tokens, this);
  if (m_editHook) m_editHook(dialog);
  if (dialog.exec() != QDialog::Accepted) return false;
  tool = dialog.tool();
  return true;
}

void ToolsDialog::add() {
  app::ToolRecord tool;
  if (!edit(tool)) return;
  m_tools.push_back(std::move(tool));
  refill(static_cast<int>(m_tools.size()) - 1);
}

void ToolsDialog::remove() {
  const int row = m_list->currentRow();
  if (row < 0) return;
  if (platform::ShowMessageBox("Do you really want to delete the tool?", platform::Buttons::YesNo,
                               platform::Icon::Question) != platform::Answer::Yes) {
    return;
  }
  m_tools.erase(m_tools.begin() + row);
  refill(std::min(row, static_cast<int>(m_tools.size()) - 1));
}

void ToolsDialog::editSelected() {
  const int row = m_list->currentRow();
  if (row < 0) return;
  if (edit(m_tools[static_cast<std::size_t>(row)])) refill(row);
}

void ToolsDialog::move(int by) {
  const int row = m_list->currentRow();
  const int to = row + by;
  if (row < 0 || to < 0 || to >= static_cast<int>(m_tools.size())) return;
  std::swap(m_tools[static_cast<std::size_t>(row)], m_tools[static_cast<std::size_t>(to)]);
  refill(to);
}

void ToolsDialog::execute() {
  const int row = m_list->currentRow();
  if (row >= 0 && m_run) m_run(m_tools[static_cast<std::size_t>(row)]);
}

void ToolsDialog::refill(int select) {
  m_list->clear();
  for (const app::ToolRecord& tool : m_tools) m_list->addItem(FromStored(tool.title));
  m_list->setCurrentRow(select);
  updateButtons();
}

void ToolsDialog::updateButtons() {
  const int row = m_list->currentRow();
  const int count = static_cast<int>(m_tools.size());
  m_remove->setEnabled(row >= 0);
  m_properties->setEnabled(row >= 0);
  m_execute->setEnabled(row >= 0 && m_run != nullptr);
  m_up->setEnabled(row > 0);
  m_down->setEnabled(row >= 0 && row + 1 < count);
}

}  // namespace zel::ui
