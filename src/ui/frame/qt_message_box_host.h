#pragma once
// The desktop's message box host: every question a core asks becomes a modal QMessageBox
// over the active window.

#include "platform/message_box.h"

namespace zel::ui {

class QtMessageBoxHost : public platform::MessageBoxHost {
 public:
  platform::Answer show(const platform::MessageBoxRequest& request) override;
};

}  // namespace zel::ui
