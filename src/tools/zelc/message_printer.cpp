#include "tools/zelc/message_printer.h"

#include <chrono>

#include "platform/messages.h"
#include "tools/zelc/terminal_text.h"

namespace zel::zelc {

namespace {
// How long one wait for a posted text lasts before `done` is asked again.
constexpr int kPollMs = 25;
}  // namespace

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

bool MessagePrinter::pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  platform::PumpMessages();
  while (!done()) {
    if (timeoutMs >= 0 && std::chrono::steady_clock::now() >= deadline) return false;
    if (const auto message = platform::GetMessageWithTimeout(kPollMs)) {
      platform::DispatchMessage(*message);
      platform::PumpMessages();
    }
  }
  // A worker's last lines may still be queued behind its end.
  platform::PumpMessages();
  return true;
}

}  // namespace zel::zelc
