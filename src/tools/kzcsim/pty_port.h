#pragma once
// The controller's end of a pseudo-terminal. The PC opens the other end as its serial
// port; the line settings it makes there (the rate above all) are read back here.

#include <optional>
#include <string>

namespace zel::kzcsim {

class PtyPort {
 public:
  PtyPort() = default;
  ~PtyPort();
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;

  // Opens the master side, sets the line raw at `baud`; false with `error` on failure.
  bool Open(unsigned baud, std::string& error);
  int fd() const { return m_fd; }
  const std::string& path() const { return m_path; }
  // The rate the PC's end is set to, nullopt when it is none of the usual ones.
  std::optional<unsigned> LineRate() const;

 private:
  int m_fd = -1;
  std::string m_path;
};

// The standard rates as numbers; nullopt for others.
std::optional<unsigned> RateOfSpeed(unsigned speedCode);
// The speed code of a standard rate (a termios speed_t); 9600's for others.
unsigned CodeOfRate(unsigned rate);

}  // namespace zel::kzcsim
