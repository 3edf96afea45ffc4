#pragma once
// The network line: one UDP socket for the CI dialogue and one for files, both connected to
// the controller. Ports 992 and 69, unless ZEL_CI_PORT and ZEL_TFTP_PORT name others (for
// tests, and for controllers reached without privileged ports).

#include <cstdint>
#include <memory>
#include <thread>

#include "access/telvane/transport.h"
#include "access/telvane/wake_pipe.h"

namespace zel::telvane {

inline constexpr std::uint16_t kDefaultCiPort = 992;
inline constexpr std::uint16_t kDefaultFilePort = 69;

std::uint16_t PortFromEnvironment(const char* variable, std::uint16_t fallback);

class UdpTransport : public Transport {
 public:
  // nullptr when a socket cannot be made or connected.
  static std::unique_ptr<UdpTransport> open(std::uint32_t ipv4, TransportSink& sink);
  ~UdpTransport() override;

  TransportKind kind() const override { return TransportKind::Udp; }
  bool send(std::string_view bytes, bool text) override;
  void setBaudRate(unsigned) override {}
  unsigned baudRate() const override { return 0; }
  void sendBreak() override {}
  void sayGoodbye() override {}
  void close() override;

 private:
  explicit UdpTransport(TransportSink& sink) : m_sink(sink) {}
  void read(std::stop_token stop);

  TransportSink& m_sink;
  int m_ciSocket = -1;
  int m_fileSocket = -1;
  WakePipe m_wake;
  std::jthread m_reader;
};

}  // namespace zel::telvane
