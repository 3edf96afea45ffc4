#include "tools/kzcsim/sim_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <iostream>

#include "tools/kzcsim/ci_text.h"

namespace zel::kzcsim {

namespace {

// Written by the signal handler, read by the loop.
int g_stopWrite = -1;

void OnStopSignal(int) {
  const char byte = 1;
  if (g_stopWrite >= 0) (void)!::write(g_stopWrite, &byte, 1);
}

std::int64_t NowUs() {
  return std::chrono::duration_cast<std::chrono::microseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Retry interval while no one has the PC end of the pseudo-terminal open.
constexpr std::int64_t kHangupRetryUs = 20'000;
// Serial output the PC does not read is dropped beyond this.
constexpr std::size_t kMaxSerialBacklog = 1 << 20;

}  // namespace

SimServer::SimServer(const SimOptions& options, Responder& responder, Controller& controller,
                     ExchangeLog& log)
    : m_options(options), m_responder(responder), m_controller(controller), m_log(log) {}

SimServer::~SimServer() {
  if (m_ciFd >= 0) ::close(m_ciFd);
  if (m_tftpFd >= 0) ::close(m_tftpFd);
  if (m_stopRead >= 0) ::close(m_stopRead);
  if (g_stopWrite >= 0) ::close(g_stopWrite);
  g_stopWrite = -1;
}

bool SimServer::BindUdp(int port, int& fd, std::string& error) {
  fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  if (fd < 0 || ::inet_pton(AF_INET, m_options.address.c_str(), &address.sin_addr) != 1 ||
      ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    error = "cannot listen on " + m_options.address + " port " + std::to_string(port) + ": " +
            std::strerror(errno);
    return false;
  }
  return true;
}

bool SimServer::Open(std::ostream& out, std::string& error) {
  int pipeFds[2];
  if (::pipe2(pipeFds, O_CLOEXEC | O_NONBLOCK) != 0) return error = "cannot create a pipe", false;
  m_stopRead = pipeFds[0];
  g_stopWrite = pipeFds[1];
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  ::sigemptyset(&action.sa_mask);
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
  ::signal(SIGPIPE, SIG_IGN);

  if (m_options.serial) {
    if (!m_pty.Open(m_controller.config().baud, error)) return false;
    m_ptyOpen = true;
    out << m_pty.path() << '\n';
  }
  if (m_options.udp) {
    if (!BindUdp(m_options.ciPort, m_ciFd, error)) return false;
    // The file port only refuses transfers so far: without it the commands still work,
    // and several controllers given only a command port can run side by side.
    std::string tftpError;
    if (!BindUdp(m_options.tftpPort, m_tftpFd, tftpError)) {
      std::cerr << "kzcsim: " << tftpError << " (going on without the file port)\n";
      if (m_tftpFd >= 0) ::close(m_tftpFd);
      m_tftpFd = -1;
    }
    if (m_options.printPorts) {
      for (auto [name, fd] : {std::pair{"ci-port", m_ciFd}, std::pair{"tftp-port", m_tftpFd}}) {
        sockaddr_in bound{};
        socklen_t length = sizeof bound;
        const bool known =
            fd >= 0 && ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &length) == 0;
        out << name << ' ' << (known ? ntohs(bound.sin_port) : 0) << '\n';
      }
    }
  }
  out.flush();
  return true;
}

void SimServer::Schedule(const std::vector<Delivery>& deliveries, bool serial,
                         const sockaddr_in& to) {
  const std::int64_t now = NowUs();
  for (const Delivery& delivery : deliveries) {
    Pending pending{now + delivery.delayMs * 1000, serial, to, delivery.bytes};
    if (serial && m_options.pace) {
      // Ten bits a character: start, eight data bits, stop.
      pending.dueUs = std::max(pending.dueUs, m_lineFreeUs);
      const unsigned rate = std::max(m_controller.rate(), 300u);
      m_lineFreeUs =
          pending.dueUs + static_cast<std::int64_t>(delivery.bytes.size()) * 10'000'000 / rate;
    }
    m_pending.push_back(std::move(pending));
  }
  SendDue();
}

void SimServer::SendDue() {
  const std::int64_t now = NowUs();
  // Keeps the order of answers that are due at the same time.
  std::stable_sort(m_pending.begin(), m_pending.end(),
                   [](const Pending& a, const Pending& b) { return a.dueUs < b.dueUs; });
  auto due = m_pending.begin();
  for (; due != m_pending.end() && due->dueUs <= now; ++due) {
    if (due->serial) {
      if (!m_hungUp && m_serialOut.size() < kMaxSerialBacklog) m_serialOut += due->bytes;
    } else {
      ::sendto(m_ciFd, due->bytes.data(), due->bytes.size(), 0,
               reinterpret_cast<const sockaddr*>(&due->to), sizeof due->to);
    }
  }
  m_pending.erase(m_pending.begin(), due);
  FlushSerial();
}

void SimServer::FlushSerial() {
  while (!m_serialOut.empty()) {
    const ssize_t written = ::write(m_pty.fd(), m_serialOut.data(), m_serialOut.size());
    if (written <= 0) {
      if (written < 0 && errno == EINTR) continue;
      if (written < 0 && errno != EAGAIN) m_serialOut.clear();
      return;
    }
    m_serialOut.erase(0, static_cast<std::size_t>(written));
  }
}

void SimServer::ReadUdp() {
  char buffer[4096];
  for (;;) {
    sockaddr_in from{};
    socklen_t length = sizeof from;
    const ssize_t size = ::recvfrom(m_ciFd, buffer, sizeof buffer, MSG_TRUNC,
                                    reinterpret_cast<sockaddr*>(&from), &length);
    if (size < 0) return;
    const std::size_t kept = std::min(static_cast<std::size_t>(size), sizeof buffer);
    const UdpCommand command = ReadDatagram(std::string_view(buffer, kept));
    Schedule(m_responder.Handle(Transport::Udp, command.probe, command.text), false, from);
  }
}

// File transfers by TFTP come with a later version; until then every request gets an
// error packet (opcode 5, code 0), so a client stops at once instead of timing out.
void SimServer::ReadTftp() {
  unsigned char buffer[1024];
  for (;;) {
    sockaddr_in from{};
    socklen_t length = sizeof from;
    const ssize_t size = ::recvfrom(m_tftpFd, buffer, sizeof buffer, MSG_TRUNC,
                                    reinterpret_cast<sockaddr*>(&from), &length);
    if (size < 0) return;
    if (size >= 2 && buffer[0] == 0 && buffer[1] == 5) continue;  // never answer an error
    static constexpr char kError[] = "\0\5\0\0TFTP not supported";
    ::sendto(m_tftpFd, kError, sizeof kError, 0, reinterpret_cast<const sockaddr*>(&from), length);
    m_log.Note("tftp > request refused");
  }
}

void SimServer::ReadPty(bool hangup) {
  char buffer[4096];
  for (;;) {
    const ssize_t size = ::read(m_pty.fd(), buffer, sizeof buffer);
    if (size > 0) {
      const auto lineRate = m_pty.LineRate();
      if (!lineRate || *lineRate != m_controller.rate()) {
        // At another rate the controller receives only noise.
        m_line.Reset();
        m_log.Note("serial > " + Escaped(std::string_view(buffer, static_cast<std::size_t>(size))) +
                   " [line at " + std::to_string(lineRate.value_or(0)) + ", controller at " +
                   std::to_string(m_controller.rate()) + ": ignored]");
        continue;
      }
      for (const auto& input :
           m_line.Receive(std::string_view(buffer, static_cast<std::size_t>(size)))) {
        Schedule(m_responder.Handle(Transport::Serial, input.probe, input.text), true, {});
      }
      continue;
    }
    if (size < 0 && errno == EINTR) continue;
    if (size < 0 && errno == EAGAIN && !hangup) return;
    // EIO, or a hang-up: the PC has closed its end.
    if (!m_hungUp) {
      m_controller.EndSession();
      m_line.Reset();
      m_serialOut.clear();
      m_log.Note("serial: the PC closed the line");
    }
    m_hungUp = true;
    m_ptyRetryUs = NowUs() + kHangupRetryUs;
    return;
  }
}

int SimServer::PollTimeoutMs() const {
  std::int64_t waitUs = 1'000'000;
  const std::int64_t now = NowUs();
  for (const Pending& pending : m_pending) waitUs = std::min(waitUs, pending.dueUs - now);
  if (m_ptyOpen && m_hungUp) waitUs = std::min(waitUs, m_ptyRetryUs - now);
  if (waitUs <= 0) return 0;
  return static_cast<int>((waitUs + 999) / 1000);
}

int SimServer::Run() {
  for (;;) {
    std::vector<pollfd> fds;
    fds.push_back({m_stopRead, POLLIN, 0});
    const std::size_t firstSocket = fds.size();
    if (m_ciFd >= 0) fds.push_back({m_ciFd, POLLIN, 0});
    if (m_tftpFd >= 0) fds.push_back({m_tftpFd, POLLIN, 0});
    std::size_t ptyAt = 0;
    if (m_ptyOpen && (!m_hungUp || NowUs() >= m_ptyRetryUs)) {
      ptyAt = fds.size();
      fds.push_back(
          {m_pty.fd(), static_cast<short>(POLLIN | (m_serialOut.empty() ? 0 : POLLOUT)), 0});
    }
    std::size_t stdinAt = 0;
    if (m_options.watchStdin) {
      stdinAt = fds.size();
      fds.push_back({STDIN_FILENO, POLLIN, 0});
    }
    const int ready = ::poll(fds.data(), fds.size(), PollTimeoutMs());
    if (ready < 0 && errno != EINTR) return 1;
    if (fds[0].revents != 0) return 0;
    if (stdinAt != 0 && fds[stdinAt].revents != 0) {
      char buffer[256];
      if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) return 0;
    }
    for (std::size_t i = firstSocket; i < fds.size(); ++i) {
      if (fds[i].revents == 0) continue;
      if (fds[i].fd == m_ciFd) ReadUdp();
      if (fds[i].fd == m_tftpFd) ReadTftp();
    }
    if (ptyAt != 0) {
      const short events = fds[ptyAt].revents;
      if (!(events & POLLHUP)) m_hungUp = false;
      if (events & (POLLIN | POLLHUP | POLLERR)) ReadPty((events & POLLHUP) != 0);
      if (events & POLLOUT) FlushSerial();
    }
    SendDue();
  }
}

}  // namespace zel::kzcsim
