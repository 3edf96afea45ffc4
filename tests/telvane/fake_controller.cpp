#include "telvane/fake_controller.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace zel::telvane::test {

struct FakeController::Peer {
  sockaddr_in address{};
};

namespace {

constexpr char kProbe = 0x14;
const std::string kPrompt = "\r\n>\x11";

std::string Hex(unsigned value) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", value);
  return text;
}

}  // namespace

FakeController::FakeController(Line line, ControllerScript script)
    : m_line(line), m_script(std::move(script)), m_peer(std::make_unique<Peer>()) {
  if (line == Line::Udp) {
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
      if (m_fd >= 0) ::close(m_fd);
      m_fd = -1;
      return;
    }
    m_port = ntohs(address.sin_port);
  } else {
    m_fd = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_fd < 0 || grantpt(m_fd) != 0 || unlockpt(m_fd) != 0) {
      if (m_fd >= 0) ::close(m_fd);
      m_fd = -1;
      return;
    }
    m_device = ptsname(m_fd);
    termios settings{};
    tcgetattr(m_fd, &settings);
    cfmakeraw(&settings);
    tcsetattr(m_fd, TCSANOW, &settings);
  }
  m_thread = std::jthread([this](std::stop_token stop) { run(stop); });
}

FakeController::~FakeController() {
  if (m_thread.joinable()) {
    m_thread.request_stop();
    m_thread.join();
  }
  if (m_fd >= 0) ::close(m_fd);
}

std::vector<std::string> FakeController::received() {
  std::lock_guard lock(m_mutex);
  return m_received;
}

int FakeController::count(const std::string& command) {
  std::lock_guard lock(m_mutex);
  return static_cast<int>(std::count(m_received.begin(), m_received.end(), command));
}

void FakeController::setScript(ControllerScript script) {
  std::lock_guard lock(m_mutex);
  m_script = std::move(script);
}

void FakeController::sendRaw(const std::string& bytes) {
  if (!m_havePeer) return;
  std::lock_guard lock(m_mutex);
  ::sendto(m_fd, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&m_peer->address),
           sizeof m_peer->address);
}

// Polls with a short time-out so that the stop request is seen without a wake-up pipe.
void FakeController::run(std::stop_token stop) {
  char buffer[2048];
  while (!stop.stop_requested()) {
    pollfd fd{m_fd, POLLIN, 0};
    if (::poll(&fd, 1, 20) <= 0) continue;
    if (m_line == Line::Udp) {
      sockaddr_in from{};
      socklen_t length = sizeof from;
      const ssize_t got =
          ::recvfrom(m_fd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &length);
      if (got < 0) continue;
      {
        std::lock_guard lock(m_mutex);
        m_peer->address = from;
      }
      m_havePeer = true;
      handle(std::string(buffer, static_cast<std::size_t>(got)));
      continue;
    }
    const ssize_t got = ::read(m_fd, buffer, sizeof buffer);
    if (got <= 0) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));  // no slave open yet
      continue;
    }
    for (ssize_t i = 0; i < got; ++i) {
      const char c = buffer[i];
      if (c == kProbe && m_serialLine.empty()) {
        handle(std::string(1, kProbe));
      } else if (c == '\r') {
        handle(m_serialLine);
        m_serialLine.clear();
      } else {
        m_serialLine += c;
        if (m_serialLine == "%R") {  // binary commands come without CR
          sendBinaryBlock();
          m_serialLine.clear();
        }
      }
    }
  }
}

std::string FakeController::reply(const std::string& command, bool& answer) {
  std::lock_guard lock(m_mutex);
  m_received.push_back(command);
  answer = !m_script.silent.contains(command);
  if (command == std::string(1, kProbe)) return "KZC V2." + m_script.minorVersion;
  if (command.starts_with("MV=")) {
    answer = answer && m_script.answerBaudChange;
    return "";
  }
  if (command == "L?") {
    const unsigned flags = m_script.flags | (m_unlocked || m_script.password.empty() ? 0x10 : 0);
    return m_script.platform + ",$" + Hex(flags) + "," + m_script.project + "," + m_script.runFile +
           ",";
  }
  if (command.starts_with("LX")) {
    m_unlocked = command.substr(2) == m_script.password;
    return "";
  }
  if (command == "LB") return m_script.buildDate;
  if (command.starts_with("DEW")) return "=1=2=3";
  if (command == "DF") return "=0,0,0,";
  if (command == "ERR")
    return "\x07"
           "Error";
  return "=" + command;
}

void FakeController::handle(const std::string& command) {
  if (command == "x") return;  // the goodbye of a closing serial line
  bool answer = true;
  const std::string text = reply(command, answer);
  if (!answer) return;
  bool late = false;
  bool garbage = false;
  int lateMs = 0;
  {
    std::lock_guard lock(m_mutex);
    late = m_script.late.contains(command);
    garbage = m_script.garbage.contains(command);
    lateMs = m_script.lateMs;
  }
  if (late) std::this_thread::sleep_for(std::chrono::milliseconds(lateMs));
  const bool probe = command == std::string(1, kProbe);
  if (m_line == Line::Udp) {
    std::string datagram = garbage ? "garbage without terminators" : std::string();
    if (!garbage) {
      datagram = (probe ? std::string() : command) + '\0' + text + '\0';
    }
    sendRaw(datagram);
    return;
  }
  sendSerial((probe ? std::string() : command) + text + kPrompt);
}

// "%L", 3 bytes of block 1, and the byte sum of everything before it.
void FakeController::sendBinaryBlock() {
  {
    std::lock_guard lock(m_mutex);
    m_received.push_back("%R");
  }
  std::string block(
      "%L\x03\x01\x00"
      "abc",
      8);
  unsigned sum = 0;
  for (char c : block) sum += static_cast<unsigned char>(c);
  block += static_cast<char>(sum & 0xFF);
  sendSerial(block);
}

void FakeController::sendSerial(const std::string& bytes) {
  bool split = false;
  {
    std::lock_guard lock(m_mutex);
    split = m_script.splitSerial;
  }
  if (!split) {
    [[maybe_unused]] auto n = ::write(m_fd, bytes.data(), bytes.size());
    return;
  }
  for (char c : bytes) {
    [[maybe_unused]] auto n = ::write(m_fd, &c, 1);
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace zel::telvane::test
