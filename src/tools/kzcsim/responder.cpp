#include "tools/kzcsim/responder.h"

#include <chrono>

#include "tools/kzcsim/ci_text.h"
#include "tools/kzcsim/line_framing.h"

namespace zel::kzcsim {

void ExchangeLog::Record(Transport transport, std::string_view command,
                         const std::vector<Delivery>& deliveries, const Faults& faults) {
  if (!m_out) return;
  std::string line = transport == Transport::Serial ? "serial > " : "udp > ";
  line += Escaped(command);
  for (const Delivery& delivery : deliveries) line += " < " + Escaped(delivery.bytes);
  if (deliveries.empty()) line += " < (nothing)";
  const std::string fault = faults.Describe();
  if (!fault.empty()) line += " [" + fault + "]";
  Note(line);
}

void ExchangeLog::Note(std::string_view text) {
  if (!m_out) return;
  const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
  std::fprintf(m_out, "%lld.%06lld %.*s\n", static_cast<long long>(now / 1000000),
               static_cast<long long>(now % 1000000), static_cast<int>(text.size()), text.data());
  std::fflush(m_out);
}

std::vector<Delivery> Responder::Handle(Transport transport, bool probe, std::string_view text) {
  const std::string_view name = probe ? kProbeName : text;
  const Faults faults = m_faults.Decide(name);
  std::vector<Delivery> deliveries;
  if (faults.silent) {
    m_log.Record(transport, name, deliveries, faults);
    return deliveries;
  }
  Reply reply = probe ? m_ci.Probe() : m_ci.Execute(text);
  if (faults.corrupt) CorruptText(reply.text);
  // The controller's line holds no more than a command may have; that is what it echoes.
  const std::string_view echo = text.substr(0, kMaxCommand);
  if (!faults.drop) {
    if (transport == Transport::Serial) {
      std::string bytes = FrameSerial(echo, reply, probe);
      if (!bytes.empty()) deliveries.push_back({std::move(bytes), faults.delayMs});
    } else {
      for (std::string& datagram : FrameUdp(echo, reply)) {
        deliveries.push_back({std::move(datagram), faults.delayMs});
      }
    }
    if (faults.duplicate) {
      const std::size_t count = deliveries.size();
      for (std::size_t i = 0; i < count; ++i) deliveries.push_back(deliveries[i]);
    }
  }
  // The rate is the serial line's; "MV=" over UDP is answered and changes nothing.
  if (reply.switchRate != 0 && transport == Transport::Serial) {
    m_ci.controller().setRate(reply.switchRate);
  }
  m_log.Record(transport, name, deliveries, faults);
  return deliveries;
}

}  // namespace zel::kzcsim
