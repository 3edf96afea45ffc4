#include "tools/orvix/dos_text.h"

#include "platform/code_page.h"

namespace zel::orvix {

namespace {
constexpr char kCtrlZ = 26;
}

std::string ConvertDosText(std::string_view oem) {
  std::string text = platform::OemToCp1252(oem);
  if (!text.empty() && text.back() == kCtrlZ) {
    text.pop_back();
    text += "\r\n";
  }
  return text;
}

std::string FirstLine(std::string_view text, std::size_t limit) {
  const auto end = text.find_first_of("\r\n");
  std::string_view line = text.substr(0, end);
  return std::string(line.substr(0, limit));
}

}  // namespace zel::orvix
