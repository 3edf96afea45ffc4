#pragma once
// "Select Driver": the installed drivers of the project's type, to insert one.

#include <QDialog>
#include <QRadioButton>
#include <optional>

#include "library/driver_list.h"
#include "ui/library/driver_table.h"

namespace zel::ui {

class SelectDriverDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SelectDriverDialog(const library::DriverList& installed, QWidget* parent = nullptr);

  DriverTable* table() const { return m_table; }
  QRadioButton* listButton() const { return m_list; }
  QRadioButton* reportButton() const { return m_report; }
  // The chosen driver once accepted.
  const std::optional<library::DriverInfo>& chosen() const { return m_chosen; }

  void accept() override;

 private:
  const library::DriverList& m_installed;
  DriverTable* m_table;
  QRadioButton* m_list;
  QRadioButton* m_report;
  std::optional<library::DriverInfo> m_chosen;
};

}  // namespace zel::ui
