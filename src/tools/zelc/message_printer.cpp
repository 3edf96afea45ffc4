#include "tools/zelc/message_printer.h"

#include "tools/zelc/terminal_text.h"

namespace zel::zelc {

MessagePrinter::MessagePrinter(std::ostream& out) : m_out(out) {
  m_service = app::ShowMessageWindow(false);
  if (m_service) m_service->addSink(*this);
}

MessagePrinter::~MessagePrinter() {
  if (m_service) m_service->removeSink(*this);
  app::CloseMessageWindow();
}

// Message window lines end with CR LF; a terminal and a script want LF alone.
void MessagePrinter::appended(std::string_view stored) {
  const std::string text = ToTerminal(stored);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    m_out.put(text[i]);
  }
  m_out.flush();
}

}  // namespace zel::zelc
