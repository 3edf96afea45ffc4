#pragma once
// "Module Call": a CMP or CFM of the open project with up to six parameter rows, each
// with an optional comment. The called module's comment is shown as the kind and number
// change; the call is handed on as display lines for the editor to insert.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <array>
#include <string>
#include <vector>

#include "app/modules/module.h"
#include "stl/editor/insert.h"

class QGridLayout;

namespace zel::ui {

class ModuleCallDialog : public QDialog {
  Q_OBJECT

 public:
  // `modules` is the open project's module list.
  explicit ModuleCallDialog(const std::vector<app::ModuleRecord>& modules,
                            QWidget* parent = nullptr);

  // The lines to insert, each ended with CR LF (Windows-1252 bytes).
  std::string callText() const;

  QComboBox* kind;  // CMP, CFM
  QSpinBox* number;
  QLabel* moduleComment;
  std::array<QLineEdit*, stl::kMaxCallParameters> parameters{};
  std::array<QLineEdit*, stl::kMaxCallParameters> comments{};

 private:
  app::ModuleKind moduleKind() const;
  const app::ModuleRecord* calledModule() const;
  void updateModuleComment();
  QGridLayout* parameterRows();

  std::vector<app::ModuleRecord> m_modules;
};

}  // namespace zel::ui
