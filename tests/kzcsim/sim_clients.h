#pragma once
// The PC's side of the kzcsim program for its tests: a UDP client on its loopback port and
// the PC's end of its pseudo-terminal. Every wait is bounded.

#include <string>
#include <string_view>
#include <vector>

namespace zel::kzcsim::test {

// A UDP client connected to a port on loopback.
class UdpClient {
 public:
  explicit UdpClient(int port);
  ~UdpClient();
  void Send(std::string_view bytes);
  // Datagrams that arrive within `timeoutMs` of each other, the first within `timeoutMs`.
  std::vector<std::string> Receive(int timeoutMs = 2000, int moreMs = 100);
  std::vector<std::string> Exchange(std::string_view bytes) {
    Send(bytes);
    return Receive();
  }

 private:
  int m_fd = -1;
};

// The PC's end of the pseudo-terminal, raw, at a rate.
class SerialClient {
 public:
  explicit SerialClient(const std::string& path, unsigned rate = 9600);
  ~SerialClient();
  bool isOpen() const { return m_fd >= 0; }
  void SetRate(unsigned rate);
  void Write(std::string_view bytes);
  // Bytes up to and with a prompt (CR LF ">" DC1 or ":" DC1), or what came before the
  // time-out.
  std::string ReadReply(int timeoutMs = 2000);

 private:
  int m_fd = -1;
};

}  // namespace zel::kzcsim::test
