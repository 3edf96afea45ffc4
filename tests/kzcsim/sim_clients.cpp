#include "kzcsim/sim_clients.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>

#include "tools/kzcsim/pty_port.h"

namespace zel::kzcsim::test {

namespace {

using Clock = std::chrono::steady_clock;

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

}  // namespace

UdpClient::UdpClient(int port) {
  m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
}

UdpClient::~UdpClient() {
  if (m_fd >= 0) ::close(m_fd);
}

void UdpClient::Send(std::string_view bytes) {
  ::send(m_fd, bytes.data(), bytes.size(), 0);
}

std::vector<std::string> UdpClient::Receive(int timeoutMs, int moreMs) {
  std::vector<std::string> datagrams;
  int wait = timeoutMs;
  for (;;) {
    pollfd fd{m_fd, POLLIN, 0};
    if (::poll(&fd, 1, wait) <= 0) return datagrams;
    char buffer[2048];
    const ssize_t size = ::recv(m_fd, buffer, sizeof buffer, 0);
    if (size < 0) return datagrams;
    datagrams.emplace_back(buffer, static_cast<std::size_t>(size));
    wait = moreMs;
  }
}

SerialClient::SerialClient(const std::string& path, unsigned rate) {
  m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (m_fd >= 0) SetRate(rate);
}

SerialClient::~SerialClient() {
  if (m_fd >= 0) ::close(m_fd);
}

void SerialClient::SetRate(unsigned rate) {
  termios settings{};
  ::tcgetattr(m_fd, &settings);
  ::cfmakeraw(&settings);
  ::cfsetispeed(&settings, kzcsim::CodeOfRate(rate));
  ::cfsetospeed(&settings, kzcsim::CodeOfRate(rate));
  ::tcsetattr(m_fd, TCSANOW, &settings);
}

void SerialClient::Write(std::string_view bytes) {
  if (::write(m_fd, bytes.data(), bytes.size()) < 0) return;
}

std::string SerialClient::ReadReply(int timeoutMs) {
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  std::string bytes;
  while (bytes.find("\r\n>\x11") == std::string::npos && bytes.find(":\x11") == std::string::npos) {
    pollfd fd{m_fd, POLLIN, 0};
    if (::poll(&fd, 1, RemainingMs(deadline)) <= 0) break;
    char chunk[512];
    const ssize_t size = ::read(m_fd, chunk, sizeof chunk);
    if (size <= 0) break;
    bytes.append(chunk, static_cast<std::size_t>(size));
  }
  return bytes;
}

}  // namespace zel::kzcsim::test
