#include "access/telvane/wake_pipe.h"

#include <fcntl.h>
#include <unistd.h>

namespace zel::telvane {

WakePipe::WakePipe() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) == 0) {
    m_read = fds[0];
    m_write = fds[1];
  }
}

WakePipe::~WakePipe() {
  if (m_read >= 0) ::close(m_read);
  if (m_write >= 0) ::close(m_write);
}

void WakePipe::wake() {
  if (m_write < 0) return;
  const char byte = 1;
  [[maybe_unused]] const auto written = ::write(m_write, &byte, 1);
}

}  // namespace zel::telvane
