#include "tools/kzcsim/pty_port.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zel::kzcsim {

namespace {

struct RateCode {
  speed_t code;
  unsigned rate;
};

constexpr RateCode kRates[] = {{B1200, 1200},   {B2400, 2400},    {B4800, 4800},
                               {B9600, 9600},   {B19200, 19200},  {B38400, 38400},
                               {B57600, 57600}, {B115200, 115200}};

}  // namespace

unsigned CodeOfRate(unsigned rate) {
  for (const RateCode& entry : kRates) {
    if (entry.rate == rate) return entry.code;
  }
  return B9600;
}

std::optional<unsigned> RateOfSpeed(unsigned speedCode) {
  for (const RateCode& entry : kRates) {
    if (entry.code == speedCode) return entry.rate;
  }
  return std::nullopt;
}

PtyPort::~PtyPort() {
  if (m_fd >= 0) ::close(m_fd);
}

bool PtyPort::Open(unsigned baud, std::string& error) {
  m_fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (m_fd < 0 || ::grantpt(m_fd) != 0 || ::unlockpt(m_fd) != 0) {
    error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  char name[256];
  if (::ptsname_r(m_fd, name, sizeof name) != 0) {
    error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  m_path = name;
  // On a pseudo-terminal the settings made through the master are the PC end's; raw,
  // so that no DC1 is taken for flow control and no CR turned into LF on the way.
  termios settings{};
  if (::tcgetattr(m_fd, &settings) == 0) {
    ::cfmakeraw(&settings);
    ::cfsetispeed(&settings, CodeOfRate(baud));
    ::cfsetospeed(&settings, CodeOfRate(baud));
    ::tcsetattr(m_fd, TCSANOW, &settings);
  }
  return true;
}

std::optional<unsigned> PtyPort::LineRate() const {
  termios settings{};
  if (::tcgetattr(m_fd, &settings) != 0) return std::nullopt;
  return RateOfSpeed(static_cast<unsigned>(::cfgetospeed(&settings)));
}

}  // namespace zel::kzcsim
