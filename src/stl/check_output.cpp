#include "stl/check_output.h"

namespace zel::stl {

void ErrorCounter::error(int line, std::string_view text) {
  ++m_count;
  m_report.error(line, text);
}

std::string MessageWindowLine(std::string_view module, int line, std::string_view text) {
  std::string out(module);
  out += kSourceExtension;
  out += '(' + std::to_string(line) + ')';
  out += PrintableText(text);
  out += "\r\n";
  return out;
}

std::string LogLine(int line, std::string_view text) {
  return " Line: " + std::to_string(line) + PrintableText(text) + "\n";
}

std::string PrintableText(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  return out;
}

void MessageLines::error(int line, std::string_view text) {
  m_text += MessageWindowLine(m_module, line, text);
}

void MessageLines::notice(std::string_view text) {
  m_text += PrintableText(text);
  m_text += "\r\n";
}

}  // namespace zel::stl
