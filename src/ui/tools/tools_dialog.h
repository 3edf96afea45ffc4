#pragma once
// "Tools": the list of external tools with Add, Remove, Properties, Up, Down and Execute.
// OK hands back the whole list; the caller rewrites section "TOOLS" with it.

#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <vector>

#include "app/tools/replace_tokens.h"
#include "app/tools/tool_record.h"
#include "ui/tools/external_tool_dialog.h"

namespace zel::ui {

class ToolsDialog : public QDialog {
  Q_OBJECT

 public:
  using Runner = std::function<void(const app::ToolRecord&)>;
  ToolsDialog(std::vector<app::ToolRecord> tools, app::TokenValues tokens, Runner run,
              QWidget* parent = nullptr);

  const std::vector<app::ToolRecord>& tools() const { return m_tools; }
  QListWidget* list() const { return m_list; }
  QPushButton* addButton() const { return m_add; }
  QPushButton* removeButton() const { return m_remove; }
  QPushButton* propertiesButton() const { return m_properties; }
  QPushButton* upButton() const { return m_up; }
  QPushButton* downButton() const { return m_down; }
  QPushButton* executeButton() const { return m_execute; }

  // Lets a test reach the browse button of the edit dialog before it runs.
  using EditHook = std::function<void(ExternalToolDialog&)>;
  void setEditHook(EditHook hook) { m_editHook = std::move(hook); }

 private:
  void add();
  void remove();
  void editSelected();
  void move(int by);
  void execute();
  bool edit(app::ToolRecord& tool);
  void refill(int select);
  void updateButtons();

  std::vector<app::ToolRecord> m_tools;
  app::TokenValues m_tokens;
  Runner m_run;
  EditHook m_editHook;
  QListWidget* m_list;
  QPushButton* m_add;
  QPushButton* m_remove;
  QPushButton* m_properties;
  QPushButton* m_up;
  QPushButton* m_down;
  QPushButton* m_execute;
};

}  // namespace zel::ui
