#include "telvane/link_harness.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/atoms.h"

namespace zel::telvane::test {

void RecordingLoginHost::setField(platform::LoginField field, std::string_view text) {
  WindowlessLoginHost::setField(field, text);
  if (field == platform::LoginField::State) states.emplace_back(text);
}

std::optional<std::string> RecordingLoginHost::askPassword() {
  ++passwordAsks;
  return WindowlessLoginHost::askPassword();
}

LinkHarness::LinkHarness()
    : m_target([this](const platform::Message& message) {
        Reply reply;
        reply.tag = message.lParam;
        if (message.wParam == 1) {
          reply.binary = true;
        } else {
          reply.status = static_cast<int>(message.wParam >> 16);
          const auto atom = static_cast<platform::Atom>(message.wParam & 0xFFFF);
          reply.text = platform::AtomName(platform::AtomTable::Local, atom);
          platform::DeleteAtom(platform::AtomTable::Local, atom);
        }
        replies.push_back(reply);
        return platform::LParam{0};
      }) {}

LinkHarness::~LinkHarness() {
  while (m_connections > 0) disconnect();
  platform::PumpMessages();  // atoms of replies still queued are read and freed
  platform::SetLoginHost(nullptr);
  if (!m_oldDir.empty()) std::filesystem::current_path(m_oldDir);
}

int LinkHarness::connect(const std::string& text) {
  const int result = Connect(m_target.id(), text.c_str());
  if (result == 0) ++m_connections;
  return result;
}

void LinkHarness::disconnect() {
  Disconnect();
  --m_connections;
}

int LinkHarness::connectUdp(int ciPort) {
  setenv("ZEL_CI_PORT", std::to_string(ciPort).c_str(), 1);
  // The file socket only needs a port nobody answers on.
  setenv("ZEL_TFTP_PORT", std::to_string(ciPort).c_str(), 1);
  return connect("TCPIP 127.0.0.1");
}

int LinkHarness::connectSerial(const std::string& device, unsigned baud) {
  m_workDir = std::make_unique<zel::test::TempDir>();
  m_workDir->writeFile("ZEL.INI", "[SERIAL]\r\nCOM1=" + device + "\r\n");
  m_oldDir = std::filesystem::current_path().string();
  std::filesystem::current_path(m_workDir->path());
  return connect("COM1 " + std::to_string(baud));
}

std::shared_ptr<RecordingLoginHost> LinkHarness::useLoginHost(std::optional<std::string> password) {
  auto host = std::make_shared<RecordingLoginHost>(std::move(password));
  platform::SetLoginHost(host);
  return host;
}

int LinkHarness::login(std::int32_t flags) {
  return StartLogin(m_target.id(), 0, flags);
}

int LinkHarness::send(const std::string& command, std::int32_t tag, int timeoutMs) {
  return CICommand(m_target.id(), tag, command.c_str(), timeoutMs, nullptr);
}

bool LinkHarness::waitReplies(std::size_t count, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (replies.size() < count) {
    if (std::chrono::steady_clock::now() > end) return false;
    if (platform::PumpMessages() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return true;
}

}  // namespace zel::telvane::test
