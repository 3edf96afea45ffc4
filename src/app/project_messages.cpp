#include "app/project_messages.h"

#include "platform/message_box.h"

namespace zel::app {

void TellUser(std::string_view text) {
  platform::ShowMessageBox(std::string(text), platform::Buttons::Ok, platform::Icon::Warning);
}

std::string WithName(std::string_view pattern, std::string_view name) {
  std::string text(pattern);
  const std::size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, name);
  return text;
}

}  // namespace zel::app
