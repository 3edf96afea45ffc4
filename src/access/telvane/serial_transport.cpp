#include "access/telvane/serial_transport.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "access/telvane/limits.h"
#include "access/telvane/link_trace.h"
#include "platform/profile.h"

namespace zel::telvane {
namespace {

constexpr auto kBreakHold = std::chrono::milliseconds(110);
constexpr auto kGoodbyeWait = std::chrono::milliseconds(60);
constexpr int kErrorPauseMs = 50;

speed_t SpeedOf(unsigned rate) {
  switch (rate) {
    case 1200:
      return B1200;
    case 1800:
      return B1800;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    case 460800:
      return B460800;
    case 500000:
      return B500000;
    case 576000:
      return B576000;
    case 921600:
      return B921600;
    case 1000000:
      return B1000000;
    case 1152000:
      return B1152000;
    case 1500000:
      return B1500000;
    case 2000000:
      return B2000000;
    case 2500000:
      return B2500000;
    case 3000000:
      return B3000000;
    case 3500000:
      return B3500000;
    case 4000000:
      return B4000000;
    default:
      return B0;
  }
}

// Raw 8N1: no flow control, no translation of CR or NL, no echo, no signals.
bool ConfigureLine(int fd, unsigned rate) {
  const speed_t speed = SpeedOf(rate);
  if (speed == B0) return false;
  termios settings{};
  if (tcgetattr(fd, &settings) != 0) return false;
  cfmakeraw(&settings);
  settings.c_iflag &= ~(IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR | ISTRIP);
  settings.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
  settings.c_cflag |= CS8 | CLOCAL | CREAD;
  settings.c_lflag &= ~(ECHO | ICANON | ISIG | IEXTEN);
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
  cfsetispeed(&settings, speed);
  cfsetospeed(&settings, speed);
  return tcsetattr(fd, TCSANOW, &settings) == 0;
}

// DTR and RTS cannot be set on a pseudo-terminal; a line without them still works.
void SetModemLines(int fd, bool raised) {
  int lines = TIOCM_DTR | TIOCM_RTS;
  ioctl(fd, raised ? TIOCMBIS : TIOCMBIC, &lines);
}

}  // namespace

std::filesystem::path SerialDevice(std::string_view portName) {
  const std::string mapped =
      platform::ReadProfileString(std::string(kPreferencesFile), kSerialSection, portName, "");
  if (!mapped.empty()) return mapped;
  if (portName.size() != 4) return {};
  return "/dev/ttyS" + std::to_string(portName[3] - '1');
}

std::unique_ptr<SerialTransport> SerialTransport::open(const std::filesystem::path& device,
                                                       unsigned baudRate, TransportSink& sink) {
  std::unique_ptr<SerialTransport> transport(new SerialTransport(sink));
  if (device.empty() || !transport->m_wake.valid()) return nullptr;
  transport->m_fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (transport->m_fd < 0) return nullptr;
  ioctl(transport->m_fd, TIOCEXCL);  // not shared, where the device allows it
  if (!ConfigureLine(transport->m_fd, baudRate)) return nullptr;
  transport->m_rate = baudRate;
  tcflush(transport->m_fd, TCIOFLUSH);
  transport->m_reader =
      std::jthread([raw = transport.get()](std::stop_token stop) { raw->read(stop); });
  SetModemLines(transport->m_fd, true);
  TraceEvent("serial", "open " + device.string() + " " + std::to_string(baudRate));
  return transport;
}

SerialTransport::~SerialTransport() {
  close();
  if (m_fd >= 0) ::close(m_fd);
}

bool SerialTransport::write(std::string_view bytes) {
  TraceBytes(TraceDirection::Send, "serial", bytes);
  while (!bytes.empty()) {
    const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool SerialTransport::send(std::string_view bytes, bool text) {
  if (!write(bytes)) return false;
  return !text || write("\r");
}

void SerialTransport::setBaudRate(unsigned rate) {
  if (rate == m_rate) return;
  if (ConfigureLine(m_fd, rate)) {
    m_rate = rate;
    TraceEvent("serial", "rate " + std::to_string(rate));
  }
}

void SerialTransport::sendBreak() {
  TraceEvent("serial", "break");
  if (ioctl(m_fd, TIOCSBRK) != 0) return;
  std::this_thread::sleep_for(kBreakHold);
  ioctl(m_fd, TIOCCBRK);
}

void SerialTransport::sayGoodbye() {
  write("x");
  write("\r");
  std::this_thread::sleep_for(kGoodbyeWait);
}

void SerialTransport::close() {
  if (!m_reader.joinable()) return;
  m_reader.request_stop();
  m_wake.wake();
  m_reader.join();
  SetModemLines(m_fd, false);
  tcflush(m_fd, TCIOFLUSH);
}

void SerialTransport::read(std::stop_token stop) {
  char chunk[kSerialReadChunk];
  while (!stop.stop_requested()) {
    pollfd fds[2] = {{m_wake.readEnd(), POLLIN, 0}, {m_fd, POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) continue;
    if (fds[0].revents != 0) break;
    if (fds[1].revents == 0) continue;
    const ssize_t got = ::read(m_fd, chunk, sizeof chunk);
    if (got <= 0) {
      // A line whose other end has gone (a closed pseudo-terminal) reports that at every
      // poll; wait for the close instead of spinning.
      pollfd wake{m_wake.readEnd(), POLLIN, 0};
      ::poll(&wake, 1, kErrorPauseMs);
      continue;
    }
    const std::string_view bytes(chunk, static_cast<std::size_t>(got));
    TraceBytes(TraceDirection::Receive, "serial", bytes);
    m_sink.onSerialBytes(bytes);
  }
}

}  // namespace zel::telvane
