#pragma once
// The exports of the controller access library as zel calls them: their C types and the
// order in which a link resolves them by name. The library is loaded at run time, so these
// types are the whole contract with it: 32-bit integers, 8-bit zero-terminated texts,
// targets and threads as the platform's 32-bit ids.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zel::access {

inline constexpr std::string_view kTelvaneLibraryName = "libtelvane.so";

namespace telvane {
using ZEL4CIWindowMsgFn = std::int32_t (*)();
using ConnectFn = std::int32_t (*)(std::uint32_t owner, const char* connection);
using DisconnectFn = std::int32_t (*)();
using StartLoginFn = std::int32_t (*)(std::uint32_t window, std::uint32_t thread,
                                      std::int32_t flags);
using LogoutFn = void (*)();
using CICommandFn = std::int32_t (*)(std::uint32_t window, std::int32_t tag, const char* command,
                                     std::int32_t timeoutMs, const char* echo);
using CICommandThreadFn = std::int32_t (*)(std::uint32_t thread, std::int32_t tag,
                                           const char* command, std::int32_t timeoutMs,
                                           const char* echo);
using CIBinaryCommandFn = std::int32_t (*)(std::uint32_t window, std::int32_t tag,
                                           const char* bytes, std::int32_t length,
                                           std::int32_t timeoutMs, const char* echo,
                                           std::int32_t echoLength);
using CIBinaryCommandThreadFn = std::int32_t (*)(std::uint32_t thread, std::int32_t tag,
                                                 const char* bytes, std::int32_t length,
                                                 std::int32_t timeoutMs, const char* echo,
                                                 std::int32_t echoLength);
using TextGetterFn = std::int32_t (*)(char* buffer);  // LoginResult, RemoteKernelProject, ...
using RemoteKernelVersionFn = std::int32_t (*)(char* buffer, std::int32_t* number);
using FlagGetterFn = std::int32_t (*)();  // PasswordUsed, IsLockedByPassword, ...
using GetBinaryReceiveBufferFn = std::int32_t (*)(std::int32_t ignored, std::uint8_t* buffer,
                                                  std::int32_t* count, std::int32_t* word);
using FileTransferStartFn = std::int32_t (*)(std::uint32_t thread, const char* pcFile,
                                             const char* controllerFile, std::int32_t direction);
using FileTransferCancelFn = std::int32_t (*)();
using RemoteProjectBuildDateFn = std::uint32_t (*)();
}  // namespace telvane

// The exports in the order a link resolves them; the first one missing ends the chain.
enum class Export : std::size_t {
  ZEL4CIWindowMsg,
  Connect,
  Disconnect,
  StartLogin,
  Logout,
  CICommand,
  CICommandThread,
  CIBinaryCommand,
  CIBinaryCommandThread,
  LoginResult,
  RemoteKernelVersion,
  RemoteKernelProject,
  RemoteKernelRunFile,
  RemoteKernelPlatform,
  PasswordUsed,
  IsLockedByPassword,
  MayUseBinaryFileCommands,
  GetActivityLEDState,
  RemoteCIState,
  GetBinaryReceiveBuffer,
  CanTransferFiles,
  CanForceOperands,
  FileTransferStart,
  FileTransferCancel,
  UsedCommPlatform,
  IsActive,
  RemoteProjectBuildDate,
};
inline constexpr std::size_t kExportCount = 27;

inline constexpr std::array<std::string_view, kExportCount> kExportNames = {
    "ZEL4CIWindowMsg",
    "Connect",
    "Disconnect",
    "StartLogin",
    "Logout",
    "CICommand",
    "CICommandThread",
    "CIBinaryCommand",
    "CIBinaryCommandThread",
    "LoginResult",
    "RemoteKernelVersion",
    "RemoteKernelProject",
    "RemoteKernelRunFile",
    "RemoteKernelPlatform",
    "PasswordUsed",
    "IsLockedByPassword",
    "MayUseBinaryFileCommands",
    "GetActivityLEDState",
    "RemoteCIState",
    "GetBinaryReceiveBuffer",
    "CanTransferFiles",
    "CanForceOperands",
    "FileTransferStart",
    "FileTransferCancel",
    "UsedCommPlatform",
    "IsActive",
    "RemoteProjectBuildDate",
};

constexpr std::string_view ExportName(Export e) {
  return kExportNames[static_cast<std::size_t>(e)];
}

}  // namespace zel::access
