#pragma once
// Drives libtelvane.so through its exports as a host does: a target of the test's thread
// receives the replies, the login runs with a recording windowless login host, and the
// fake controller listens on a free loopback port or a pseudo-terminal.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "access/telvane/telvane.h"
#include "platform/login_host.h"
#include "platform/messages.h"
#include "support/temp_dir.h"
#include "telvane/fake_controller.h"

namespace zel::telvane::test {

struct Reply {
  int status = 0;
  std::string text;
  std::int64_t tag = 0;
  bool binary = false;  // wParam exactly 1
};

// Windowless, with a record of what the window would have shown and asked.
class RecordingLoginHost : public platform::WindowlessLoginHost {
 public:
  using WindowlessLoginHost::WindowlessLoginHost;
  void setField(platform::LoginField field, std::string_view text) override;
  std::optional<std::string> askPassword() override;
  std::vector<std::string> states;
  int passwordAsks = 0;
};

class LinkHarness {
 public:
  LinkHarness();
  ~LinkHarness();  // disconnects every connection it made

  platform::TargetId owner() const { return m_target.id(); }
  // Points ZEL_CI_PORT at the fake and connects to loopback.
  int connectUdp(const FakeController& controller) { return connectUdp(controller.port()); }
  int connectUdp(int ciPort);
  // Maps COM1 to the fake's pseudo-terminal in a ZEL.INI of a fresh working directory.
  int connectSerial(const FakeController& controller, unsigned baud) {
    return connectSerial(controller.devicePath(), baud);
  }
  int connectSerial(const std::string& device, unsigned baud);
  int connect(const std::string& text);
  void disconnect();

  std::shared_ptr<RecordingLoginHost> useLoginHost(std::optional<std::string> password);
  int login(std::int32_t flags = 1);

  int send(const std::string& command, std::int32_t tag, int timeoutMs = 1500);
  // Pumps until `count` replies have come or the limit has passed.
  bool waitReplies(std::size_t count, std::chrono::milliseconds limit = std::chrono::seconds(10));
  std::vector<Reply> replies;

 private:
  platform::MessageTarget m_target;
  int m_connections = 0;
  std::unique_ptr<zel::test::TempDir> m_workDir;
  std::string m_oldDir;
};

}  // namespace zel::telvane::test
