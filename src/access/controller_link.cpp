#include "access/controller_link.h"

#include <algorithm>
#include <array>
#include <limits>

#include "access/link_messages.h"
#include "app/preferences/communication_settings.h"
#include "platform/message_box.h"

namespace zel::access {
namespace {

void ShowError(std::string text) {
  platform::ShowMessageBox(std::move(text), platform::Buttons::Ok, platform::Icon::Error);
}

// Texts and lengths crossing into the library are 32-bit; anything longer than that is
// not a command the library could take anyway.
std::int32_t Length32(std::size_t size) {
  return static_cast<std::int32_t>(
      std::min<std::size_t>(size, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

ControllerLink::ControllerLink(platform::TargetId owner, std::string connectionText)
    : m_connectionText(std::move(connectionText)) {
  LibraryUse use = AcquireLibrary();
  m_acquired = true;
  if (!use.loaded) {
    ShowError(std::string(kMsgCannotLoadLibrary));
    return;
  }
  m_exports = use.exports;
  if (!m_exports.complete()) {
    ShowError(std::string(kMsgIncompleteLibrary));
    return;
  }
  const auto connect = function<telvane::ConnectFn>(Export::Connect);
  m_connectResult = connect(owner, m_connectionText.c_str());
  if (*m_connectResult != 0) ShowError(ConnectFailureMessage(*m_connectResult));
}

ControllerLink::~ControllerLink() {
  if (m_connectResult == 0) {
    if (const auto disconnect = function<telvane::DisconnectFn>(Export::Disconnect)) disconnect();
  }
  m_exports = {};
  if (m_acquired) ReleaseLibrary();
}

std::int32_t ControllerLink::replyMessage() const {
  const auto f = function<telvane::ZEL4CIWindowMsgFn>(Export::ZEL4CIWindowMsg);
  return f ? f() : -1;
}

std::int32_t ControllerLink::startLogin(platform::TargetId window, platform::ThreadId thread,
                                        std::int32_t flags) const {
  const auto f = function<telvane::StartLoginFn>(Export::StartLogin);
  return f ? f(window, thread, flags) : -1;
}

void ControllerLink::logout() const {
  if (const auto f = function<telvane::LogoutFn>(Export::Logout)) f();
}

std::string ControllerLink::loginResult() const {
  return text(Export::LoginResult);
}

std::int32_t ControllerLink::command(platform::TargetId target, std::int32_t tag,
                                     std::string_view command, std::int32_t timeoutMs,
                                     std::optional<std::string_view> echo) const {
  const auto f = function<telvane::CICommandFn>(Export::CICommand);
  if (!f) return kNotConnected;
  const std::string commandText(command);
  const std::string echoText(echo.value_or(command));
  return f(target, tag, commandText.c_str(), timeoutMs, echoText.c_str());
}

std::int32_t ControllerLink::commandToThread(platform::ThreadId thread, std::int32_t tag,
                                             std::string_view command, std::int32_t timeoutMs,
                                             std::optional<std::string_view> echo) const {
  const auto f = function<telvane::CICommandThreadFn>(Export::CICommandThread);
  if (!f) return kNotConnected;
  const std::string commandText(command);
  const std::string echoText(echo.value_or(command));
  return f(thread, tag, commandText.c_str(), timeoutMs, echoText.c_str());
}

std::int32_t ControllerLink::fileCommand(platform::TargetId target, std::int32_t tag,
                                         std::string_view text) const {
  return command(target, tag, text, kFileCommandTimeoutMs);
}

std::int32_t ControllerLink::binaryCommandToThread(platform::ThreadId thread, std::int32_t tag,
                                                   std::span<const std::uint8_t> bytes,
                                                   std::int32_t timeoutMs,
                                                   std::span<const std::uint8_t> echo) const {
  const auto f = function<telvane::CIBinaryCommandThreadFn>(Export::CIBinaryCommandThread);
  if (!f) return kNotConnected;
  return f(thread, tag, reinterpret_cast<const char*>(bytes.data()), Length32(bytes.size()),
           timeoutMs, echo.empty() ? nullptr : reinterpret_cast<const char*>(echo.data()),
           Length32(echo.size()));
}

std::optional<BinaryReceive> ControllerLink::binaryReceiveBuffer() const {
  const auto f = function<telvane::GetBinaryReceiveBufferFn>(Export::GetBinaryReceiveBuffer);
  if (!f) return std::nullopt;
  std::array<std::uint8_t, kBinaryBufferSize> buffer{};
  // 32-bit cells even for the 16-bit word: a library that stores less leaves the rest 0.
  std::int32_t count = 0;
  std::int32_t word = 0;
  if (f(0, buffer.data(), &count, &word) != 1) return std::nullopt;
  const auto size = static_cast<std::size_t>(
      std::clamp<std::int32_t>(count, 0, static_cast<std::int32_t>(kBinaryBufferSize)));
  return BinaryReceive{{buffer.begin(), buffer.begin() + size},
                       static_cast<std::uint16_t>(word & 0xFFFF)};
}

KernelVersion ControllerLink::remoteKernelVersion() const {
  const auto f = function<telvane::RemoteKernelVersionFn>(Export::RemoteKernelVersion);
  if (!f) return {{}, 0};
  std::array<char, kRemoteTextBufferSize> buffer{};
  std::int32_t number = 0;
  f(buffer.data(), &number);
  buffer.back() = '\0';
  return {buffer.data(), number};
}

std::string ControllerLink::text(Export e) const {
  const auto f = function<telvane::TextGetterFn>(e);
  if (!f) return {};
  std::array<char, kRemoteTextBufferSize> buffer{};
  f(buffer.data());
  buffer.back() = '\0';
  return buffer.data();
}

bool ControllerLink::flag(Export e) const {
  const auto f = function<telvane::FlagGetterFn>(e);
  return f && f() != 0;
}

std::string ControllerLink::remoteKernelProject() const {
  return text(Export::RemoteKernelProject);
}
std::string ControllerLink::remoteKernelRunFile() const {
  return text(Export::RemoteKernelRunFile);
}
std::string ControllerLink::remoteKernelPlatform() const {
  return text(Export::RemoteKernelPlatform);
}

std::uint32_t ControllerLink::remoteProjectBuildDate() const {
  const auto f = function<telvane::RemoteProjectBuildDateFn>(Export::RemoteProjectBuildDate);
  return f ? f() : 0;
}

bool ControllerLink::passwordUsed() const {
  return flag(Export::PasswordUsed);
}

bool ControllerLink::isLockedByPassword() const {
  const auto f = function<telvane::FlagGetterFn>(Export::IsLockedByPassword);
  return !f || f() != 0;
}

bool ControllerLink::mayUseBinaryFileCommands() const {
  return flag(Export::MayUseBinaryFileCommands);
}
bool ControllerLink::canTransferFiles() const {
  return flag(Export::CanTransferFiles);
}
bool ControllerLink::canForceOperands() const {
  return flag(Export::CanForceOperands);
}
bool ControllerLink::isActive() const {
  return flag(Export::IsActive);
}

std::int32_t ControllerLink::activityLedState() const {
  const auto f = function<telvane::FlagGetterFn>(Export::GetActivityLEDState);
  return f ? f() : 0;
}

std::int32_t ControllerLink::remoteCiState() const {
  const auto f = function<telvane::FlagGetterFn>(Export::RemoteCIState);
  return f ? f() : kRemoteNotConnected;
}

std::int32_t ControllerLink::usedCommPlatform() const {
  const auto f = function<telvane::FlagGetterFn>(Export::UsedCommPlatform);
  return f ? f() : kTransportNone;
}

std::int32_t ControllerLink::fileTransferStart(platform::ThreadId thread, std::string_view pcFile,
                                               std::string_view controllerFile,
                                               std::int32_t direction) const {
  const auto f = function<telvane::FileTransferStartFn>(Export::FileTransferStart);
  if (!f) return kFileTransferUnavailable;
  const std::string pc(pcFile);
  const std::string controller(controllerFile);
  return f(thread, pc.c_str(), controller.c_str(), direction);
}

void ControllerLink::fileTransferCancel() const {
  if (const auto f = function<telvane::FileTransferCancelFn>(Export::FileTransferCancel)) f();
}

std::string ConnectionText(const app::Preferences& preferences,
                           const app::ProjectFile* openProject) {
  return app::ConnectionString(ReadCommunicationSettings(preferences, openProject).values);
}

}  // namespace zel::access
