#pragma once
// The virtual controller kzcsim as a peer for end-to-end tests: started on free loopback
// ports, stopped with the test (its stdin is a pipe it watches, and it is ended on
// destruction), so suites can run side by side.

#include <string>
#include <vector>

#include "support/sim_process.h"

namespace zel::test {

class VirtualController {
 public:
  VirtualController(const std::string& binary, std::vector<std::string> options);
  ~VirtualController();
  VirtualController(const VirtualController&) = delete;
  VirtualController& operator=(const VirtualController&) = delete;

  bool running() const { return m_ciPort > 0; }
  int ciPort() const { return m_ciPort; }
  // Points the access library loaded afterwards (in this process or a child) at this
  // controller through ZEL_CI_PORT and ZEL_TFTP_PORT.
  void select() const;

 private:
  static std::vector<std::string> Arguments(std::vector<std::string> options);
  void readPorts();

  SimProcess m_process;
  int m_ciPort = 0;
  int m_tftpPort = 0;
};

// A loopback UDP port nobody listens on (bound and released again).
int UnusedUdpPort();

}  // namespace zel::test
