#include "support/virtual_controller.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>

extern char** environ;

namespace zel::test {

VirtualController::VirtualController(const std::string& binary, std::vector<std::string> options) {
  int out[2];
  int in[2];
  if (pipe(out) != 0) return;
  if (pipe(in) != 0) {
    close(out[0]);
    close(out[1]);
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_addclose(&actions, in[1]);
  posix_spawn_file_actions_addclose(&actions, out[0]);
  std::vector<std::string> argv{binary,          "--ci-port",    "0", "--tftp-port", "0",
                                "--print-ports", "--watch-stdin"};
  argv.insert(argv.end(), options.begin(), options.end());
  std::vector<char*> raw;
  for (auto& a : argv) raw.push_back(a.data());
  raw.push_back(nullptr);
  const int rc = posix_spawn(&m_pid, binary.c_str(), &actions, nullptr, raw.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  m_stdin = in[1];
  if (rc != 0) m_pid = 0;
  if (m_pid > 0) readPorts(out[0]);
  close(out[0]);
}

VirtualController::~VirtualController() {
  if (m_stdin >= 0) close(m_stdin);
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
  }
}

void VirtualController::select() const {
  setenv("ZEL_CI_PORT", std::to_string(m_ciPort).c_str(), 1);
  setenv("ZEL_TFTP_PORT", std::to_string(m_tftpPort).c_str(), 1);
}

// "ci-port N" and "tftp-port N" lines, within a few seconds.
void VirtualController::readPorts(int fd) {
  std::string text;
  const auto complete = [&text] {
    const auto tftp = text.find("tftp-port");
    return text.find("ci-port") != std::string::npos && tftp != std::string::npos &&
           text.find('\n', tftp) != std::string::npos;
  };
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!complete()) {
    if (std::chrono::steady_clock::now() > deadline) return;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 100) <= 0) continue;
    char buffer[256];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  m_ciPort = std::atoi(text.c_str() + text.find("ci-port") + 8);
  m_tftpPort = std::atoi(text.c_str() + text.find("tftp-port") + 10);
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
