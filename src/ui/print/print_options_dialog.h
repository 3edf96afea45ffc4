#pragma once
// The print options window: which sections the project documentation prints, preset from
// the project's "PRINT" section. OK prints on the printer, Preview shows the pages first.

#include <QCheckBox>
#include <QDialog>
#include <array>

#include "print/print_options.h"

namespace zel::ui {

class PrintOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  // What the window ended with besides Rejected: Accepted prints, Preview previews.
  static constexpr int Preview = 2;

  // `docTextUsable`: "Project.TXT" can be read and written; otherwise its box is disabled
  // and the documentation text is not printed.
  PrintOptionsDialog(const print::PrintOptions& options, bool docTextUsable,
                     QWidget* parent = nullptr);

  // The boxes as chosen; a disabled documentation box keeps the stored choice.
  print::PrintOptions options() const;
  QCheckBox* box(bool print::PrintOptions::*option) const;

 private:
  struct Row {
    bool print::PrintOptions::*option;
    QCheckBox* box;
  };
  std::array<Row, 12> m_rows{};
  print::PrintOptions m_stored;
};

}  // namespace zel::ui
