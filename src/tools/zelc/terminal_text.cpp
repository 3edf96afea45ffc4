#include "tools/zelc/terminal_text.h"

#include "platform/code_page.h"

namespace zel::zelc {

std::string FromTerminal(std::string_view utf8) {
  return platform::Utf8ToCp1252(utf8);
}

std::string ToTerminal(std::string_view cp1252) {
  return platform::Cp1252ToUtf8(cp1252);
}

std::string ToTerminalLines(std::string_view cp1252) {
  std::string text = ToTerminal(cp1252);
  std::erase(text, '\r');
  return text;
}

std::string Field(std::string_view cp1252) {
  std::string text = ToTerminal(cp1252);
  for (char& c : text) {
    if (c == '\t' || c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

}  // namespace zel::zelc
