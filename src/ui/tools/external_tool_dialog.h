#pragma once
// "External Tool": one tool's menu title, program, parameters and flags.

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "app/tools/replace_tokens.h"
#include "app/tools/tool_record.h"

namespace zel::ui {

class ExternalToolDialog : public QDialog {
  Q_OBJECT

 public:
  // `tokens` expands the program text before browsing, so the chooser starts in the
  // directory a tokenised path names.
  ExternalToolDialog(const app::ToolRecord& tool, app::TokenValues tokens,
                     QWidget* parent = nullptr);

  app::ToolRecord tool() const;
  QLineEdit* titleField() const { return m_title; }
  QLineEdit* programField() const { return m_program; }
  QLineEdit* parametersField() const { return m_parameters; }
  QCheckBox* waitBox() const { return m_wait; }
  QCheckBox* releasePortsBox() const { return m_releasePorts; }
  QCheckBox* reloadProjectBox() const { return m_reloadProject; }
  QPushButton* browseButton() const { return m_browse; }

  // Chooses the program file; the default shows the platform's file chooser.
  using Chooser = std::function<QString(const QString& startPath)>;
  void setChooser(Chooser chooser) { m_chooser = std::move(chooser); }

  void accept() override;

 private:
  void browse();

  app::TokenValues m_tokens;
  QLineEdit* m_title;
  QLineEdit* m_program;
  QLineEdit* m_parameters;
  QCheckBox* m_wait;
  QCheckBox* m_releasePorts;
  QCheckBox* m_reloadProject;
  QPushButton* m_browse;
  Chooser m_chooser;
  int m_otherFlags = 0;  // bits this dialog does not show are kept as they were
};

}  // namespace zel::ui
