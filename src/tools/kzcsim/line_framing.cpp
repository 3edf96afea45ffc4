#include "tools/kzcsim/line_framing.h"

#include "tools/kzcsim/ci_text.h"

namespace zel::kzcsim {

std::string FrameSerial(std::string_view echo, const Reply& reply, bool probe) {
  if (reply.kind == Reply::Kind::Silent) return {};
  std::string bytes = probe ? std::string("\r\n") : std::string(echo);
  if (reply.kind == Reply::Kind::Error) bytes += kBel;
  bytes += reply.text;
  bytes += reply.kind == Reply::Kind::MoreInput ? kInputPrompt : kReadyPrompt;
  return bytes;
}

namespace {

std::string Datagram(std::string_view echo, std::string_view text) {
  std::string bytes(echo);
  bytes += '\0';
  bytes += text;
  bytes += '\0';
  return bytes;
}

}  // namespace

std::vector<std::string> FrameUdp(std::string_view echo, const Reply& reply) {
  switch (reply.kind) {
    case Reply::Kind::Silent:
      return {};
    case Reply::Kind::Error:
      return {Datagram(echo, std::string(1, kBel) + reply.text)};
    case Reply::Kind::MoreInput:
      return {Datagram(echo, reply.text + ":")};
    case Reply::Kind::Text:
      break;
  }
  if (reply.executing) {
    const std::string_view code = !reply.text.empty() && reply.text[0] == '='
                                      ? std::string_view(reply.text).substr(1)
                                      : std::string_view(reply.text);
    return {Datagram(echo, "Executing"), Datagram(echo, "ReturnCode: " + std::string(code))};
  }
  return {Datagram(echo, reply.text)};
}

UdpCommand ReadDatagram(std::string_view datagram) {
  if (datagram.size() == 1 && datagram[0] == kProbe) return {true, {}};
  std::string_view text = datagram.substr(0, datagram.find('\0'));
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.remove_suffix(1);
  return {false, std::string(text)};
}

std::vector<SerialLine::Input> SerialLine::Receive(std::string_view bytes) {
  std::vector<Input> inputs;
  for (char c : bytes) {
    switch (c) {
      case '\r':
        inputs.push_back({false, m_line});
        m_line.clear();
        break;
      case '\n':
      case '\0':
        break;
      case '\b':
      case '\x7F':
        if (!m_line.empty()) m_line.pop_back();
        break;
      case kProbe:
        if (m_line.empty()) {
          inputs.push_back({true, {}});
          break;
        }
        [[fallthrough]];
      default:
        if (m_line.size() <= kMaxCommand) m_line += c;
        break;
    }
  }
  return inputs;
}

}  // namespace zel::kzcsim
