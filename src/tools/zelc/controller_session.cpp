#include "tools/zelc/controller_session.h"

#include <chrono>
#include <iostream>

#include "access/controller_link.h"
#include "app/preferences/preferences.h"
#include "app/project/project_file.h"
#include "platform/login_host.h"
#include "tools/zelc/terminal_text.h"
#include "tools/zelc/workspace.h"

namespace zel::zelc {
namespace {

// Replies come from the library's own time-out at the latest; this margin only keeps a
// library that never answers from hanging a script.
constexpr int kReplyMarginMs = 5000;
constexpr int kPumpSliceMs = 20;

}  // namespace

ControllerSession::ControllerSession(const GlobalOptions& global, const ControllerOptions& options)
    : m_global(global),
      m_options(options),
      m_target([this](const platform::Message& message) -> platform::LParam {
        if (auto reply = access::TakeCiReply(message, m_replyMessage)) {
          if (onReply) onReply(*reply);
        } else if (onOther) {
          onOther(message);
        }
        return 0;
      }) {}

ControllerSession::~ControllerSession() {
  if (m_link) m_link->logout();
  m_link.reset();
  // Replies still queued for the target hold atoms; reading them frees them.
  while (platform::PumpMessages() > 0) {
  }
}

std::string ControllerSession::connectionText() const {
  if (!m_options.connect.empty()) return m_options.connect;
  // As in the desktop program, the project of the last session may override the settings.
  const app::Preferences preferences(m_global.workDir);
  const std::string project = preferences.currentProject();
  if (project.empty() || preferences.projectDirectory().empty()) {
    return access::ConnectionText(preferences, nullptr);
  }
  const app::ProjectFile file(preferences.projectDirectory() / project / app::kProjectFileName);
  return access::ConnectionText(preferences, &file);
}

bool ControllerSession::open() {
  const std::string text = connectionText();
  platform::SetLoginHost(std::make_shared<platform::WindowlessLoginHost>(
      m_options.password ? m_options.password
                         : platform::WindowlessLoginHost::PasswordFromEnvironment()));
  m_link = std::make_unique<access::ControllerLink>(m_target.id(), text);
  if (!m_link->connected()) return false;  // the link has said why
  m_replyMessage = m_link->replyMessage();
  const std::int32_t login = m_link->startLogin(
      m_target.id(), 0, access::kLoginCloseWhenDone | access::kLoginNoResultMessage);
  if (login != 1) {
    std::string result = m_link->loginResult();
    while (!result.empty() && (result.back() == '\n' || result.back() == '\r')) result.pop_back();
    ReportError(result.empty() ? "login failed" : result);
    return false;
  }
  return true;
}

std::int32_t ControllerSession::send(const std::string& command, std::int32_t tag) {
  return m_link->command(m_target.id(), tag, FromTerminal(command), m_options.timeoutMs);
}

void ControllerSession::pump(int waitMs) {
  if (const auto message = platform::GetMessageWithTimeout(waitMs)) {
    platform::DispatchMessage(*message);
  }
  platform::PumpMessages();
}

std::optional<access::CiReply> ControllerSession::exchange(const std::string& command,
                                                           std::int32_t* refused) {
  static std::int32_t nextTag = 1;
  const std::int32_t tag = nextTag++;
  std::optional<access::CiReply> result;
  auto previous = std::move(onReply);
  onReply = [&](const access::CiReply& reply) {
    if (reply.tag == tag) result = reply;
  };
  const std::int32_t status = send(command, tag);
  if (refused) *refused = status;
  if (status == access::kSentOrQueued) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(m_options.timeoutMs + kReplyMarginMs);
    while (!result && std::chrono::steady_clock::now() < deadline) pump(kPumpSliceMs);
  }
  onReply = std::move(previous);
  return result;
}

std::string ReplyLine(const access::CiReply& reply) {
  switch (reply.status) {
    case access::ReplyStatus::Reply:
      return ToTerminal(reply.text);
    case access::ReplyStatus::ErrorReply:
      return "<access error>";
    default:
      return "<timeout>";
  }
}

}  // namespace zel::zelc
