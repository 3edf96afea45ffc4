#include "ui/library/type_selector.h"

#include "app/project/controller_type.h"
#include "ui/widgets/stored_text.h"

namespace zel::ui {

TypeSelector::TypeSelector(std::string_view type, QWidget* parent) : QComboBox(parent) {
  for (const app::ControllerTypeInfo& info : app::ControllerTypes()) {
    addItem(FromStored(info.label), FromStored(info.name));
  }
  selectType(type);
}

std::string TypeSelector::typeName() const {
  return ToStored(currentData().toString());
}

void TypeSelector::selectType(std::string_view type) {
  const std::optional<app::ControllerType> parsed = app::ParseControllerType(type);
  const int index = parsed ? findData(FromStored(app::Info(*parsed).name)) : -1;
  setCurrentIndex(index >= 0 ? index : 0);
}

}  // namespace zel::ui
