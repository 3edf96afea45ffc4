#include "access/telvane/connection_text.h"

#include <arpa/inet.h>

#include <charconv>

#include "platform/no_case.h"

namespace zel::telvane {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         platform::EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

// baud = decimal, at least 1200
std::optional<unsigned> ParseBaud(std::string_view digits) {
  if (digits.empty() || digits.size() > 7) return std::nullopt;
  unsigned value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
  if (value < kMinBaudRate || value > kMaxBaudRate) return std::nullopt;
  return value;
}

// ipv4 = four decimal numbers 0..255 separated by "."
std::optional<std::uint32_t> ParseIpv4(std::string_view text) {
  if (text.empty() || text.size() > 15) return std::nullopt;
  in_addr address{};
  const std::string copy(text);
  if (inet_pton(AF_INET, copy.c_str(), &address) != 1) return std::nullopt;
  return ntohl(address.s_addr);
}

}  // namespace

std::optional<ConnectionText> ParseConnectionText(std::string_view text) {
  const std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  const std::string_view head = text.substr(0, blank);
  const std::string_view tail = text.substr(blank + 1);
  ConnectionText result;
  if (StartsWithNoCase(head, "COM")) {
    if (head.size() != 4 || head[3] < '1' || head[3] > '9') return std::nullopt;
    const auto baud = ParseBaud(tail);
    if (!baud) return std::nullopt;
    result.kind = ConnectionText::Kind::Serial;
    result.port = std::string(head);
    result.baudRate = *baud;
    return result;
  }
  if (platform::EqualsNoCase(head, "TCPIP")) {
    const auto ipv4 = ParseIpv4(tail);
    if (!ipv4) return std::nullopt;
    result.kind = ConnectionText::Kind::Udp;
    result.ipv4 = *ipv4;
    result.address = std::string(tail);
    return result;
  }
  return std::nullopt;
}

}  // namespace zel::telvane
