#pragma once
// The exported interface of libtelvane.so, as a host resolves it by name. All integers are
// 32 bits; texts are 8-bit and zero-terminated. Windows and threads are the platform's
// message targets and thread ids (platform/messages.h).
//
// Every command is answered later by the registered message "ZEL4CIWindowMsg" with
// wParam = (status << 16) + local atom of the reply text (status 0 reply, 1 error reply,
// 2 time-out, 4 connection lost) and lParam = the command's tag; the receiver deletes the
// atom. A binary read block arrives as wParam 1 and is fetched with GetBinaryReceiveBuffer.

#include <cstdint>

#define TELVANE_EXPORT extern "C" __attribute__((visibility("default")))

TELVANE_EXPORT std::int32_t ZEL4CIWindowMsg();
// 0 connected; 1 busy (connected for another owner or text); 2 invalid parameter; 3 the port
// or link cannot be opened.
TELVANE_EXPORT std::int32_t Connect(std::uint32_t owner, const char* connection);
TELVANE_EXPORT std::int32_t Disconnect();
// Runs the login modally through the platform's login host. 1 logged in, 0 not, -1 not
// connected. Flags: 1 close when logged in, 2 hide "&Close", 4 post no result message.
TELVANE_EXPORT std::int32_t StartLogin(std::uint32_t window, std::uint32_t thread,
                                       std::int32_t flags);
TELVANE_EXPORT std::int32_t LoginResult(char* buffer);
TELVANE_EXPORT void Logout();
// Command status: 0 sent or queued; 1 queue full; 2 not connected; 3 refused.
TELVANE_EXPORT std::int32_t CICommand(std::uint32_t window, std::int32_t tag, const char* command,
                                      std::int32_t timeoutMs, const char* echo);
TELVANE_EXPORT std::int32_t CICommandThread(std::uint32_t thread, std::int32_t tag,
                                            const char* command, std::int32_t timeoutMs,
                                            const char* echo);
TELVANE_EXPORT std::int32_t CIBinaryCommand(std::uint32_t window, std::int32_t tag,
                                            const char* bytes, std::int32_t length,
                                            std::int32_t timeoutMs, const char* echo,
                                            std::int32_t echoLength);
TELVANE_EXPORT std::int32_t CIBinaryCommandThread(std::uint32_t thread, std::int32_t tag,
                                                  const char* bytes, std::int32_t length,
                                                  std::int32_t timeoutMs, const char* echo,
                                                  std::int32_t echoLength);
// buffer: 256 bytes. 1 and the block (emptied), 0 when there is none.
TELVANE_EXPORT std::int32_t GetBinaryReceiveBuffer(std::int32_t ignored, unsigned char* buffer,
                                                   std::int32_t* count, std::int32_t* word);
// Text getters copy at most 99 characters and a terminator (hosts ask with 100 bytes).
TELVANE_EXPORT std::int32_t RemoteKernelVersion(char* buffer, std::int32_t* number);
TELVANE_EXPORT std::int32_t RemoteKernelProject(char* buffer);
TELVANE_EXPORT std::int32_t RemoteKernelRunFile(char* buffer);
TELVANE_EXPORT std::int32_t RemoteKernelPlatform(char* buffer);
TELVANE_EXPORT std::uint32_t RemoteProjectBuildDate();
TELVANE_EXPORT std::int32_t PasswordUsed();
TELVANE_EXPORT std::int32_t IsLockedByPassword();
TELVANE_EXPORT std::int32_t MayUseBinaryFileCommands();
TELVANE_EXPORT std::int32_t CanTransferFiles();
TELVANE_EXPORT std::int32_t FileTransferStart(std::uint32_t thread, const char* pcFile,
                                              const char* controllerFile, std::int32_t direction);
TELVANE_EXPORT std::int32_t FileTransferCancel();
TELVANE_EXPORT std::int32_t CanForceOperands();
TELVANE_EXPORT std::int32_t GetActivityLEDState();
TELVANE_EXPORT std::int32_t RemoteCIState();
TELVANE_EXPORT std::int32_t UsedCommPlatform();
TELVANE_EXPORT std::int32_t IsActive();
