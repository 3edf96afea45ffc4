#pragma once
// The program's event loop: UDP command and file sockets, the pseudo-terminal, answers
// waiting for their delay, and the stop requests (SIGTERM, SIGINT, the end of stdin).

#include <netinet/in.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tools/kzcsim/line_framing.h"
#include "tools/kzcsim/pty_port.h"
#include "tools/kzcsim/responder.h"
#include "tools/kzcsim/sim_options.h"

namespace zel::kzcsim {

class SimServer {
 public:
  SimServer(const SimOptions& options, Responder& responder, Controller& controller,
            ExchangeLog& log);
  ~SimServer();
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;

  // Binds the sockets and opens the pseudo-terminal; prints what the options ask for on
  // `out` and flushes it. False with `error` when something cannot be opened.
  bool Open(std::ostream& out, std::string& error);
  // Serves until a stop is requested; returns the exit status.
  int Run();

 private:
  struct Pending {
    std::int64_t dueUs = 0;
    bool serial = false;
    sockaddr_in to{};
    std::string bytes;
  };

  bool BindUdp(int port, int& fd, std::string& error);
  void ReadUdp();
  void ReadTftp();
  void ReadPty(bool hangup);
  void Schedule(const std::vector<Delivery>& deliveries, bool serial, const sockaddr_in& to);
  void SendDue();
  void FlushSerial();
  int PollTimeoutMs() const;

  const SimOptions& m_options;
  Responder& m_responder;
  Controller& m_controller;
  ExchangeLog& m_log;
  int m_ciFd = -1;
  int m_tftpFd = -1;
  int m_stopRead = -1;
  PtyPort m_pty;
  bool m_ptyOpen = false;
  bool m_hungUp = true;
  std::int64_t m_ptyRetryUs = 0;
  std::int64_t m_lineFreeUs = 0;
  SerialLine m_line;
  std::string m_serialOut;
  std::vector<Pending> m_pending;
};

}  // namespace zel::kzcsim
