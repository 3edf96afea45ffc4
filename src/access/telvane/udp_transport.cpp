#include "access/telvane/udp_transport.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <charconv>
#include <cstdlib>
#include <cstring>

#include "access/telvane/limits.h"
#include "access/telvane/link_trace.h"

namespace zel::telvane {
namespace {

int ConnectedSocket(std::uint32_t ipv4, std::uint16_t port) {
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(ipv4);
  if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

std::uint16_t PortFromEnvironment(const char* variable, std::uint16_t fallback) {
  const char* value = std::getenv(variable);
  if (value == nullptr) return fallback;
  const std::string_view text(value);
  unsigned port = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
  if (ec != std::errc{} || end != text.data() + text.size() || port == 0 || port > 65535) {
    return fallback;
  }
  return static_cast<std::uint16_t>(port);
}

std::unique_ptr<UdpTransport> UdpTransport::open(std::uint32_t ipv4, TransportSink& sink) {
  std::unique_ptr<UdpTransport> transport(new UdpTransport(sink));
  if (!transport->m_wake.valid()) return nullptr;
  transport->m_ciSocket = ConnectedSocket(ipv4, PortFromEnvironment("ZEL_CI_PORT", kDefaultCiPort));
  transport->m_fileSocket =
      ConnectedSocket(ipv4, PortFromEnvironment("ZEL_TFTP_PORT", kDefaultFilePort));
  if (transport->m_ciSocket < 0 || transport->m_fileSocket < 0) return nullptr;
  transport->m_reader =
      std::jthread([raw = transport.get()](std::stop_token stop) { raw->read(stop); });
  return transport;
}

UdpTransport::~UdpTransport() {
  close();
  if (m_ciSocket >= 0) ::close(m_ciSocket);
  if (m_fileSocket >= 0) ::close(m_fileSocket);
}

bool UdpTransport::send(std::string_view bytes, bool) {
  TraceBytes(TraceDirection::Send, "udp-ci", bytes);
  const ssize_t sent = ::send(m_ciSocket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
  return sent == static_cast<ssize_t>(bytes.size());
}

void UdpTransport::close() {
  if (!m_reader.joinable()) return;
  m_reader.request_stop();
  m_wake.wake();
  m_reader.join();
}

// Errors on a connected socket (the ICMP unreachable of an earlier datagram) are not
// datagrams; the command they belong to ends by its time-out.
void UdpTransport::read(std::stop_token stop) {
  char buffer[kFileDatagramSize];
  while (!stop.stop_requested()) {
    pollfd fds[3] = {
        {m_wake.readEnd(), POLLIN, 0}, {m_ciSocket, POLLIN, 0}, {m_fileSocket, POLLIN, 0}};
    if (::poll(fds, 3, -1) < 0) continue;
    if (fds[0].revents != 0) break;
    if (fds[1].revents != 0) {
      const ssize_t got = ::recv(m_ciSocket, buffer, kReceiveBufferSize, MSG_DONTWAIT);
      if (got >= 0) {
        const std::string_view datagram(buffer, static_cast<std::size_t>(got));
        TraceBytes(TraceDirection::Receive, "udp-ci", datagram);
        m_sink.onDatagram(datagram);
      }
    }
    if (fds[2].revents != 0) {
      const ssize_t got = ::recv(m_fileSocket, buffer, kFileDatagramSize, MSG_DONTWAIT);
      if (got >= 0) {
        const std::string_view datagram(buffer, static_cast<std::size_t>(got));
        TraceBytes(TraceDirection::Receive, "udp-file", datagram);
        m_sink.onFileDatagram(datagram);
      }
    }
  }
}

}  // namespace zel::telvane
