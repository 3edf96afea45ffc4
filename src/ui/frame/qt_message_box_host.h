#pragma once
// The desktop's message box host: every question a core asks becomes a modal QMessageBox
// over the active window, shown on the GUI thread whichever thread asks.

#include "platform/message_box.h"

namespace zel::ui {

class QtMessageBoxHost : public platform::MessageBoxHost {
 public:
  platform::Answer show(const platform::MessageBoxRequest& request) override;

 private:
  static platform::Answer showHere(const platform::MessageBoxRequest& request);
};

}  // namespace zel::ui
