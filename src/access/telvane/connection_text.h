#pragma once
// The connection text a host passes to Connect:
//   connection = "COM" digit blank baud | "TCPIP" blank ipv4
//   digit      = "1".."9";  baud = decimal, at least 1200;  ipv4 = dotted quad
// Letters match without regard to case; anything else is malformed.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel::telvane {

inline constexpr unsigned kMinBaudRate = 1200;
inline constexpr unsigned kMaxBaudRate = 4000000;  // the fastest line termios can set

struct ConnectionText {
  enum class Kind { Serial, Udp };
  Kind kind = Kind::Serial;
  std::string port;        // "COM1".."COM9" as written
  unsigned baudRate = 0;   // serial
  std::uint32_t ipv4 = 0;  // UDP, in host byte order
  std::string address;     // UDP, as written
};

std::optional<ConnectionText> ParseConnectionText(std::string_view text);

}  // namespace zel::telvane
