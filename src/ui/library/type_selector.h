#pragma once
// The controller type list of the library pages: "RUD Compact", "RUD Standard", "VM0X",
// "VM1X", "VM2X", preset to the open project's type.

#include <QComboBox>
#include <string>
#include <string_view>

namespace zel::ui {

class TypeSelector : public QComboBox {
  Q_OBJECT

 public:
  // `type` is a stored type name (any case); an unknown or empty one selects the first.
  explicit TypeSelector(std::string_view type, QWidget* parent = nullptr);
  std::string typeName() const;  // the stored name of the selected type ("RUD2" ...)
  void selectType(std::string_view type);
};

}  // namespace zel::ui
