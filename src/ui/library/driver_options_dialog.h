#pragma once
// "Driver Options - <description>": generated from the driver script's option lines, one
// row per option in script order. A yes/no option is a check box carrying its
// description; every other option is its description and a control: an edit field for
// text and decimal numbers, an edit field that shows upper case for hexadecimal numbers,
// a drop-down list for a text choice, and a drop-down of drive letters that also takes
// typing. Options of a type the program does not know are shown, not editable.

#include <QDialog>
#include <QPushButton>
#include <functional>
#include <vector>

#include "library/driver_options_model.h"

namespace zel::ui {

class DriverOptionsDialog : public QDialog {
  Q_OBJECT

 public:
  // `model` outlives the dialog; OK writes through it.
  explicit DriverOptionsDialog(library::DriverOptionsModel& model, QWidget* parent = nullptr);

  // The control of option row n: QCheckBox, QLineEdit or QComboBox (a QLabel for an
  // option that cannot be edited).
  QWidget* control(std::size_t row) const { return m_controls.at(row); }
  std::size_t rowCount() const { return m_controls.size(); }
  QPushButton* defaultButton() const { return m_default; }
  QPushButton* helpButton() const { return m_help; }
  void setHelp(std::function<void()> help) { m_showHelp = std::move(help); }

  void accept() override;

 private:
  QWidget* makeControl(const library::OptionRow& row);
  void showValues();  // model -> controls
  void takeValues();  // controls -> model

  library::DriverOptionsModel& m_model;
  std::vector<QWidget*> m_controls;
  QPushButton* m_default;
  QPushButton* m_help;
  std::function<void()> m_showHelp;
};

}  // namespace zel::ui
