#include "support/virtual_controller.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>

namespace zel::test {

VirtualController::VirtualController(const std::string& binary, std::vector<std::string> options)
    : m_process(binary, Arguments(std::move(options))) {
  if (m_process.started()) readPorts();
}

VirtualController::~VirtualController() {
  // It ends when its stdin closes; the signal is for one that no longer watches.
  m_process.CloseStdin();
  m_process.Signal(SIGTERM);
  m_process.Wait();
}

std::vector<std::string> VirtualController::Arguments(std::vector<std::string> options) {
  std::vector<std::string> args{"--ci-port",    "0", "--tftp-port", "0", "--print-ports",
                                "--watch-stdin"};
  args.insert(args.end(), options.begin(), options.end());
  return args;
}

void VirtualController::select() const {
  setenv("ZEL_CI_PORT", std::to_string(m_ciPort).c_str(), 1);
  setenv("ZEL_TFTP_PORT", std::to_string(m_tftpPort).c_str(), 1);
}

void VirtualController::readPorts() {
  if (const auto ports = m_process.ReadPorts()) {
    m_ciPort = ports->ci;
    m_tftpPort = ports->tftp;
  }
}

int UnusedUdpPort() {
  const int s = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
  close(s);
  return ntohs(address.sin_port);
}

}  // namespace zel::test
