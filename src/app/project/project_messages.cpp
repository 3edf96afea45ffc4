#include "app/project/project_messages.h"

#include "platform/message_box.h"

namespace zel::app {

void TellUser(std::string_view text) {
  platform::ShowMessageBox(std::string(text), platform::Buttons::Ok, platform::Icon::Warning);
}

}  // namespace zel::app
