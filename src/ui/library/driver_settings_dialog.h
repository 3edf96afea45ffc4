#pragma once
// "Driver Settings": what the project stores for a driver whose script is not installed,
// key by key, so the user sees the values that the configuration keeps for it.

#include <QDialog>
#include <QTreeWidget>
#include <string>
#include <utility>
#include <vector>

namespace zel::ui {

class DriverSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  DriverSettingsDialog(const std::string& title,
                       const std::vector<std::pair<std::string, std::string>>& entries,
                       QWidget* parent = nullptr);
  QTreeWidget* list() const { return m_list; }

 private:
  QTreeWidget* m_list;
};

}  // namespace zel::ui
