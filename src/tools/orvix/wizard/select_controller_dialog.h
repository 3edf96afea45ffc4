#pragma once
// "Select Controller": the controller type of one project, the detected one preset.

#include <QDialog>
#include <optional>

#include "app/project/controller_type.h"

class QListWidget;

namespace zel::orvix {

class SelectControllerDialog : public QDialog {
  Q_OBJECT
 public:
  SelectControllerDialog(const QString& project, app::ControllerType preset,
                         QWidget* parent = nullptr);
  app::ControllerType chosen() const;

  // Shows the dialog; nullopt when the user cancels.
  static std::optional<app::ControllerType> ask(const QString& project, app::ControllerType preset,
                                                QWidget* parent);

 private:
  QListWidget* m_types;
};

}  // namespace zel::orvix
