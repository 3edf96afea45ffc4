#include "access/telvane/connection_text.h"

#include <gtest/gtest.h>

namespace zel::telvane {
namespace {

struct TextCase {
  const char* text;
  bool valid;
  ConnectionText::Kind kind = ConnectionText::Kind::Serial;
  unsigned baud = 0;
  std::uint32_t ipv4 = 0;
};

const TextCase kCases[] = {
    {"COM1 9600", true, ConnectionText::Kind::Serial, 9600},
    {"com9 1200", true, ConnectionText::Kind::Serial, 1200},
    {"Com2 57600", true, ConnectionText::Kind::Serial, 57600},
    {"TCPIP 192.168.0.10", true, ConnectionText::Kind::Udp, 0, 0xC0A8000A},
    {"tcpip 127.0.0.1", true, ConnectionText::Kind::Udp, 0, 0x7F000001},
    {"COM0 9600", false},   // port 0
    {"COM10 9600", false},  // two-digit port
    {"COM1 600", false},    // below 1200
    {"COM1 1199", false},
    {"COM1", false},        // no blank
    {"COM1  9600", false},  // two blanks
    {"COM1 9600 ", false},
    {"COM1 96a0", false},
    {"COM1 -9600", false},
    {"COM1 99999999999", false},  // would overflow
    {"TCPIP", false},
    {"TCPIP 256.0.0.1", false},
    {"TCPIP 1.2.3", false},
    {"TCPIP host.example", false},
    {"TCPIP 1.2.3.4 ", false},
    {"TCP 1.2.3.4", false},
    {"LPT1 9600", false},
    {" COM1 9600", false},
    {"", false},
};

TEST(ConnectionText, ParsesOrRefusesEachText) {
  for (const TextCase& c : kCases) {
    SCOPED_TRACE(c.text);
    const auto parsed = ParseConnectionText(c.text);
    ASSERT_EQ(parsed.has_value(), c.valid);
    if (!c.valid) continue;
    EXPECT_EQ(parsed->kind, c.kind);
    if (c.kind == ConnectionText::Kind::Serial) {
      EXPECT_EQ(parsed->baudRate, c.baud);
      EXPECT_EQ(parsed->port, std::string(c.text).substr(0, 4));
    } else {
      EXPECT_EQ(parsed->ipv4, c.ipv4);
    }
  }
}

}  // namespace
}  // namespace zel::telvane
