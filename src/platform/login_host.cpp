#include "platform/login_host.h"

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "platform/messages.h"

namespace zel::platform {
namespace {

struct HostSlot {
  std::mutex mutex;
  std::shared_ptr<LoginHost> host;
};

// Never destroyed: a login may still run while the process exits.
HostSlot& TheHostSlot() {
  static HostSlot& slot = *new HostSlot;
  return slot;
}

// Short enough that a windowless login reacts as fast as a window would, long enough not
// to spin a core while a probe waits for its second-long time-out.
constexpr auto kPollInterval = std::chrono::milliseconds(2);

}  // namespace

WindowlessLoginHost::WindowlessLoginHost(std::optional<std::string> password)
    : m_password(std::move(password)) {}

std::optional<std::string> WindowlessLoginHost::PasswordFromEnvironment() {
  const char* value = std::getenv("ZEL_PASSWORD");
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

void WindowlessLoginHost::open(const LoginWindowSetup&) {
  for (auto& text : m_fields) text.clear();
  m_done = false;
}

void WindowlessLoginHost::setField(LoginField field, std::string_view text) {
  m_fields[static_cast<int>(field)] = std::string(text);
}

void WindowlessLoginHost::setRetryEnabled(bool) {}

std::optional<std::string> WindowlessLoginHost::askPassword() {
  if (!m_password) return std::nullopt;
  return m_password->substr(0, kPasswordMaxLength);
}

void WindowlessLoginHost::finished(bool) {
  m_done = true;
}

void WindowlessLoginHost::runModal() {
  while (!m_done) {
    if (PumpMessages() == 0) std::this_thread::sleep_for(kPollInterval);
  }
}

void WindowlessLoginHost::close() {
  m_done = true;
}

std::string WindowlessLoginHost::field(LoginField field) const {
  return m_fields[static_cast<int>(field)];
}

void SetLoginHost(std::shared_ptr<LoginHost> host) {
  HostSlot& slot = TheHostSlot();
  std::lock_guard lock(slot.mutex);
  slot.host = std::move(host);
}

std::shared_ptr<LoginHost> GetLoginHost() {
  HostSlot& slot = TheHostSlot();
  std::lock_guard lock(slot.mutex);
  if (!slot.host) slot.host = std::make_shared<WindowlessLoginHost>();
  return slot.host;
}

}  // namespace zel::platform
