#pragma once
// A controller for the library's end-to-end tests, over loopback UDP or a pseudo-terminal:
// the banner, "L?", "LX", "LB", "MV=" and a few display commands, with switches to make it
// misbehave (silence, late and split replies, garbage datagrams).

#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace zel::telvane::test {

struct ControllerScript {
  std::string minorVersion = "25";  // banner "KZC V2." + this
  std::string platform = "RUD2";
  unsigned flags = 0x108;  // bit 4 (unlocked) is added while unlocked
  std::string password;    // empty: none set
  std::string project = "PLANT";
  std::string runFile = "PLANT.RUN";
  std::string buildDate = "=1234567";
  bool answerBaudChange = true;
  std::set<std::string> silent;  // commands never answered
  std::set<std::string> late;    // commands answered after lateMs
  int lateMs = 400;
  std::set<std::string> garbage;  // commands answered by a datagram without its strings
  bool splitSerial = false;       // serial replies one byte per write
};

class FakeController {
 public:
  enum class Line { Udp, Serial };
  FakeController(Line line, ControllerScript script);
  ~FakeController();
  FakeController(const FakeController&) = delete;
  FakeController& operator=(const FakeController&) = delete;

  bool ready() const { return m_fd >= 0; }
  int port() const { return m_port; }                         // UDP
  const std::string& devicePath() const { return m_device; }  // serial
  std::vector<std::string> received();                        // every command, probes as "\x14"
  int count(const std::string& command);
  void setScript(ControllerScript script);
  // An unsolicited datagram to the last peer (UDP).
  void sendRaw(const std::string& bytes);

 private:
  void run(std::stop_token stop);
  void handle(const std::string& command);
  std::string reply(const std::string& command, bool& answer);
  void sendSerial(const std::string& bytes);
  void sendBinaryBlock();

  Line m_line;
  ControllerScript m_script;
  std::mutex m_mutex;
  std::vector<std::string> m_received;
  bool m_unlocked = false;
  int m_fd = -1;
  int m_port = 0;
  std::string m_device;
  std::string m_serialLine;
  std::atomic<bool> m_havePeer{false};
  struct Peer;
  std::unique_ptr<Peer> m_peer;
  std::jthread m_thread;
};

}  // namespace zel::telvane::test
