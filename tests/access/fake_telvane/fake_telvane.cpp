// A stand-in for the controller access library with the same exports, built twice: whole,
// and without CICommandThread (the seventh of the chain) to be an incomplete library.
// Commands are answered at once with "=" + the command, posted like the real replies.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "access/fake_telvane/fake_telvane_state.h"
#include "platform/atoms.h"
#include "platform/messages.h"

namespace {

FakeTelvaneState state;
bool connected = false;

void Copy(char* to, std::size_t size, const char* from) {
  std::strncpy(to, from ? from : "", size - 1);
  to[size - 1] = '\0';
}

std::int32_t Record(std::uint32_t target, std::uint32_t thread, std::int32_t tag,
                    const char* command, std::int32_t timeoutMs, const char* echo) {
  ++state.commandCalls;
  state.lastTarget = target;
  state.lastThread = thread;
  state.lastTag = tag;
  state.lastTimeout = timeoutMs;
  Copy(state.lastCommand, sizeof state.lastCommand, command);
  Copy(state.lastEcho, sizeof state.lastEcho, echo);
  if (!connected) return 2;
  const auto message = zel::platform::RegisterMessage("ZEL4CIWindowMsg");
  const auto atom =
      zel::platform::AddAtom(zel::platform::AtomTable::Local, std::string("=") + command);
  const bool posted = thread != 0 ? zel::platform::PostThreadMessageTo(thread, message, atom, tag)
                                  : zel::platform::PostMessageTo(target, message, atom, tag);
  if (!posted) zel::platform::DeleteAtom(zel::platform::AtomTable::Local, atom);
  return 0;
}

std::int32_t Text(char* buffer, const char* text) {
  std::strcpy(buffer, text);
  return static_cast<std::int32_t>(std::strlen(text));
}

}  // namespace

extern "C" {

FakeTelvaneState* FakeTelvaneStateOf() {
  return &state;
}

std::int32_t ZEL4CIWindowMsg() {
  return static_cast<std::int32_t>(zel::platform::RegisterMessage("ZEL4CIWindowMsg"));
}
std::int32_t Connect(std::uint32_t owner, const char* text) {
  ++state.connectCalls;
  state.lastOwner = owner;
  Copy(state.lastConnection, sizeof state.lastConnection, text);
  connected = state.connectResult == 0;
  return state.connectResult;
}
std::int32_t Disconnect() {
  ++state.disconnectCalls;
  connected = false;
  return 0;
}
std::int32_t StartLogin(std::uint32_t, std::uint32_t, std::int32_t) {
  return connected ? 1 : -1;
}
std::int32_t LoginResult(char* buffer) {
  return Text(buffer, "KOLVA KZC V2.25, RUD, DEMO");
}
void Logout() {
  ++state.logoutCalls;
}
std::int32_t CICommand(std::uint32_t window, std::int32_t tag, const char* command,
                       std::int32_t timeoutMs, const char* echo) {
  return Record(window, 0, tag, command, timeoutMs, echo);
}
#ifndef FAKE_TELVANE_INCOMPLETE
std::int32_t CICommandThread(std::uint32_t thread, std::int32_t tag, const char* command,
                             std::int32_t timeoutMs, const char* echo) {
  return Record(0, thread, tag, command, timeoutMs, echo);
}
#endif
std::int32_t CIBinaryCommand(std::uint32_t, std::int32_t, const char*, std::int32_t, std::int32_t,
                             const char*, std::int32_t) {
  return 3;
}
std::int32_t CIBinaryCommandThread(std::uint32_t thread, std::int32_t tag, const char* bytes,
                                   std::int32_t length, std::int32_t timeoutMs, const char*,
                                   std::int32_t) {
  const std::string command(bytes, static_cast<std::size_t>(length));
  state.lastThread = thread;
  state.lastTag = tag;
  state.lastTimeout = timeoutMs;
  Copy(state.lastCommand, sizeof state.lastCommand, command.c_str());
  return connected ? 0 : 2;
}
std::int32_t GetBinaryReceiveBuffer(std::int32_t, std::uint8_t* buffer, std::int32_t* count,
                                    std::int32_t* word) {
  if (state.binaryCount == 0) return 0;
  const std::uint8_t data[4] = {1, 2, 3, 4};
  std::memcpy(buffer, data, sizeof data);
  *count = state.binaryCount;
  *word = 0x12345;
  state.binaryCount = 0;
  return 1;
}
std::int32_t RemoteKernelVersion(char* buffer, std::int32_t* number) {
  *number = 537;
  return Text(buffer, "V2.25");
}
std::int32_t RemoteKernelProject(char* buffer) {
  return Text(buffer, "DEMO");
}
std::int32_t RemoteKernelRunFile(char* buffer) {
  return Text(buffer, "C:\\PROJECT.RUN");
}
std::int32_t RemoteKernelPlatform(char* buffer) {
  return Text(buffer, "VM1X");
}
std::int32_t PasswordUsed() {
  return 1;
}
std::int32_t IsLockedByPassword() {
  return 0;
}
std::int32_t MayUseBinaryFileCommands() {
  return 0;
}
std::int32_t GetActivityLEDState() {
  return 1;
}
std::int32_t RemoteCIState() {
  return connected ? 0 : 1;
}
std::int32_t CanTransferFiles() {
  return 1;
}
std::int32_t CanForceOperands() {
  return 1;
}
std::int32_t FileTransferStart(std::uint32_t, const char*, const char*, std::int32_t) {
  return 0;
}
std::int32_t FileTransferCancel() {
  ++state.cancelCalls;
  return 0;
}
std::int32_t UsedCommPlatform() {
  return connected ? 2 : 0;
}
std::int32_t IsActive() {
  return 0;
}
std::uint32_t RemoteProjectBuildDate() {
  return 3000000000u;
}
}
