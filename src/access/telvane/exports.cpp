// The library's exported functions: argument checks and copies at the boundary, the work
// itself in CiLink and the login.

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "access/telvane/ci_link.h"
#include "access/telvane/limits.h"
#include "access/telvane/login.h"
#include "access/telvane/reply_post.h"
#include "access/telvane/telvane.h"

namespace {

using zel::telvane::CiLink;
using zel::telvane::Command;

// The TFTP transfer is not built yet: a start on a network link reports that its thread
// could not start.
constexpr std::int32_t kTransferNoLink = 4;
constexpr std::int32_t kTransferNotNetwork = 255;
constexpr std::int32_t kTransferThreadNotStarted = 6;
constexpr std::int32_t kTransferNoSource = 1;
constexpr std::int32_t kTransferNoDestination = 2;

// Registered as the library loads, as hosts expect the number to be fixed from then on.
[[maybe_unused]] const auto kRegistered = zel::telvane::ReplyMessage();

std::int32_t CopyText(char* buffer, std::string_view text) {
  text = text.substr(0, zel::telvane::kRemoteTextMaxLength);
  if (buffer != nullptr) {
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
  }
  return static_cast<std::int32_t>(text.size());
}

// Texts longer than any command can be are not read to their end.
std::string BoundedText(const char* text) {
  return std::string(text, strnlen(text, zel::telvane::kCommandMaxLength + 1));
}

std::int32_t SendText(std::uint32_t window, std::uint32_t thread, std::int32_t tag,
                      const char* text, std::int32_t timeoutMs, const char* echo) {
  if (text == nullptr) return zel::telvane::kRefused;
  Command command;
  command.target = window;
  command.thread = thread;
  command.tag = tag;
  command.bytes = BoundedText(text);
  command.echo = echo != nullptr ? BoundedText(echo) : command.bytes;
  command.timeoutMs = std::max(timeoutMs, 0);
  return CiLink::instance().send(std::move(command));
}

std::int32_t SendBinary(std::uint32_t window, std::uint32_t thread, std::int32_t tag,
                        const char* bytes, std::int32_t length, std::int32_t timeoutMs,
                        const char* echo, std::int32_t echoLength) {
  if (bytes == nullptr || length < 2 || bytes[0] != '%' ||
      std::string_view("LPRW").find(bytes[1]) == std::string_view::npos) {
    return zel::telvane::kRefused;
  }
  const auto max = static_cast<std::int32_t>(zel::telvane::kCommandMaxLength);
  if (length > max || echoLength > max) return zel::telvane::kRefused;
  Command command;
  command.target = window;
  command.thread = thread;
  command.tag = tag;
  command.bytes.assign(bytes, static_cast<std::size_t>(length));
  if (echo != nullptr && echoLength > 0)
    command.echo.assign(echo, static_cast<std::size_t>(echoLength));
  command.timeoutMs = std::max(timeoutMs, 0);
  command.binaryKind = bytes[1];
  return CiLink::instance().send(std::move(command));
}

}  // namespace

std::int32_t ZEL4CIWindowMsg() {
  return static_cast<std::int32_t>(zel::telvane::ReplyMessage());
}

std::int32_t Connect(std::uint32_t owner, const char* connection) {
  return CiLink::instance().connect(owner, connection);
}

std::int32_t Disconnect() {
  CiLink::instance().disconnect();
  return 0;
}

std::int32_t StartLogin(std::uint32_t window, std::uint32_t thread, std::int32_t flags) {
  return zel::telvane::RunLogin(window, thread, flags);
}

std::int32_t LoginResult(char* buffer) {
  return CopyText(buffer, CiLink::instance().remote().loginResult);
}

void Logout() {}

std::int32_t CICommand(std::uint32_t window, std::int32_t tag, const char* command,
                       std::int32_t timeoutMs, const char* echo) {
  return SendText(window, 0, tag, command, timeoutMs, echo);
}

std::int32_t CICommandThread(std::uint32_t thread, std::int32_t tag, const char* command,
                             std::int32_t timeoutMs, const char* echo) {
  return SendText(0, thread, tag, command, timeoutMs, echo);
}

std::int32_t CIBinaryCommand(std::uint32_t window, std::int32_t tag, const char* bytes,
                             std::int32_t length, std::int32_t timeoutMs, const char* echo,
                             std::int32_t echoLength) {
  return SendBinary(window, 0, tag, bytes, length, timeoutMs, echo, echoLength);
}

std::int32_t CIBinaryCommandThread(std::uint32_t thread, std::int32_t tag, const char* bytes,
                                   std::int32_t length, std::int32_t timeoutMs, const char* echo,
                                   std::int32_t echoLength) {
  return SendBinary(0, thread, tag, bytes, length, timeoutMs, echo, echoLength);
}

std::int32_t GetBinaryReceiveBuffer(std::int32_t, unsigned char* buffer, std::int32_t* count,
                                    std::int32_t* word) {
  zel::telvane::BinaryBlock block;
  if (!CiLink::instance().takeBinaryBlock(block)) return 0;
  if (buffer != nullptr) std::memcpy(buffer, block.data.data(), block.count);
  if (count != nullptr) *count = static_cast<std::int32_t>(block.count);
  if (word != nullptr) *word = block.word;
  return 1;
}

std::int32_t RemoteKernelVersion(char* buffer, std::int32_t* number) {
  const auto remote = CiLink::instance().remote();
  CopyText(buffer, remote.version.text);
  if (number != nullptr) *number = remote.version.number;
  return remote.version.number;
}

std::int32_t RemoteKernelProject(char* buffer) {
  return CopyText(buffer, CiLink::instance().remote().project);
}

std::int32_t RemoteKernelRunFile(char* buffer) {
  return CopyText(buffer, CiLink::instance().remote().runFile);
}

std::int32_t RemoteKernelPlatform(char* buffer) {
  return CopyText(buffer, CiLink::instance().remote().platform);
}

std::uint32_t RemoteProjectBuildDate() {
  return CiLink::instance().remote().buildDate;
}

std::int32_t PasswordUsed() {
  return CiLink::instance().remote().passwordUsed ? 1 : 0;
}

std::int32_t IsLockedByPassword() {
  return CiLink::instance().remote().locked ? 1 : 0;
}

std::int32_t MayUseBinaryFileCommands() {
  CiLink& link = CiLink::instance();
  if (link.transportKind() != zel::telvane::TransportKind::Serial) return 0;
  return link.remote().binaryForbidden ? 0 : 1;
}

std::int32_t CanTransferFiles() {
  return CiLink::instance().transportKind() == zel::telvane::TransportKind::Udp ? 1 : 0;
}

std::int32_t FileTransferStart(std::uint32_t, const char* pcFile, const char* controllerFile,
                               std::int32_t direction) {
  const bool toController = direction == 0;
  const char* source = toController ? pcFile : controllerFile;
  const char* destination = toController ? controllerFile : pcFile;
  if (source == nullptr || *source == '\0') return kTransferNoSource;
  if (destination == nullptr || *destination == '\0') return kTransferNoDestination;
  CiLink& link = CiLink::instance();
  if (!link.open()) return kTransferNoLink;
  if (link.transportKind() != zel::telvane::TransportKind::Udp) return kTransferNotNetwork;
  return kTransferThreadNotStarted;
}

std::int32_t FileTransferCancel() {
  const auto kind = static_cast<std::int32_t>(CiLink::instance().transportKind());
  return kind == static_cast<std::int32_t>(zel::telvane::TransportKind::Udp) ? 0 : kind - 2;
}

std::int32_t CanForceOperands() {
  return CiLink::instance().remote().canForce ? 1 : 0;
}

std::int32_t GetActivityLEDState() {
  return CiLink::instance().activityLed();
}

std::int32_t RemoteCIState() {
  return CiLink::instance().ciState();
}

std::int32_t UsedCommPlatform() {
  return static_cast<std::int32_t>(CiLink::instance().transportKind());
}

std::int32_t IsActive() {
  return CiLink::instance().loginActive() ? 1 : 0;
}
