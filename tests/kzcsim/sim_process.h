#pragma once
// The real kzcsim program for the tests that talk to it: started with pipes on stdin and
// stdout, its UDP port and pseudo-terminal reached like the PC side reaches them. Every
// wait is bounded; the program is killed if a test leaves it running.

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::kzcsim::test {

class SimProcess {
 public:
  explicit SimProcess(const std::vector<std::string>& args,
                      const std::vector<std::string>& env = {});
  ~SimProcess();
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  bool started() const { return m_pid > 0; }
  std::optional<std::string> ReadLine(int timeoutMs = 5000);
  void CloseStdin();
  void Signal(int signal);
  // The exit status (128 + signal when killed), nullopt when it still runs after the wait.
  std::optional<int> Wait(int timeoutMs = 5000);

 private:
  pid_t m_pid = -1;
  int m_stdin = -1;
  int m_stdout = -1;
  std::string m_buffer;
  std::optional<int> m_status;
};

// A UDP client connected to a port on loopback.
class UdpClient {
 public:
  explicit UdpClient(int port);
  ~UdpClient();
  void Send(std::string_view bytes);
  // Datagrams that arrive within `timeoutMs` of each other, the first within `timeoutMs`.
  std::vector<std::string> Receive(int timeoutMs = 2000, int moreMs = 100);
  std::vector<std::string> Exchange(std::string_view bytes) {
    Send(bytes);
    return Receive();
  }

 private:
  int m_fd = -1;
};

// The PC's end of the pseudo-terminal, raw, at a rate.
class SerialClient {
 public:
  explicit SerialClient(const std::string& path, unsigned rate = 9600);
  ~SerialClient();
  bool isOpen() const { return m_fd >= 0; }
  void SetRate(unsigned rate);
  void Write(std::string_view bytes);
  // Bytes up to and with a prompt (CR LF ">" DC1 or ":" DC1), or what came before the
  // time-out.
  std::string ReadReply(int timeoutMs = 2000);

 private:
  int m_fd = -1;
};

}  // namespace zel::kzcsim::test
