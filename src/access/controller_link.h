#pragma once
// One user's hold on the controller: the download, the update, each online window, the
// terminal, the file transfer and the project upload each keep a ControllerLink for their
// lifetime. Constructing one loads the access library (once per process), resolves its
// exports and connects with the text built from the preferences; destroying it
// disconnects, and the last one unloads the library.
//
// Every call goes through a wrapper that tolerates an absent function (a library that
// could not be loaded, or that lacked an export): commands then report "not connected",
// getters report nothing, and a locked controller is assumed, so a broken installation
// never lets anyone modify operands.
//
// Replies arrive later as the message ReplyMessage() at the target or thread named in the
// command (see access/ci_reply.h to read them).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "access/telvane_library.h"
#include "platform/messages.h"

namespace zel::app {
class Preferences;
class ProjectFile;
}  // namespace zel::app

namespace zel::access {

// What a command export returns.
enum CommandStatus : std::int32_t {
  kSentOrQueued = 0,
  kQueueFull = 1,
  kNotConnected = 2,
  kRefused = 3,
};

// Flags of StartLogin.
inline constexpr std::int32_t kLoginCloseWhenDone = 1;  // the window closes itself on success
inline constexpr std::int32_t kLoginHideClose = 2;      // no "&Close" button
inline constexpr std::int32_t kLoginNoResultMessage = 4;

// RemoteCIState.
enum RemoteState : std::int32_t {
  kRemoteReady = 0,
  kRemoteNotConnected = 1,
  kRemoteNotLoggedIn = 2,
  kRemoteLocked = 3,
};

// UsedCommPlatform.
enum Transport : std::int32_t { kTransportNone = 0, kTransportSerial = 1, kTransportTcpip = 2 };

// The result of FileTransferStart when the library lacks it.
inline constexpr std::int32_t kFileTransferUnavailable = 4;
// The time-out of file and download commands.
inline constexpr std::int32_t kFileCommandTimeoutMs = 9000;
// zel asks the text getters with buffers of this size.
inline constexpr std::size_t kRemoteTextBufferSize = 100;
inline constexpr std::size_t kBinaryBufferSize = 256;

struct KernelVersion {
  std::string text;     // "V2.25", "?" or empty
  std::int32_t number;  // major * 256 + minor; 0 when unknown
};

struct BinaryReceive {
  std::vector<std::uint8_t> data;
  std::uint16_t word = 0;  // the block number that came with the data
};

class ControllerLink {
 public:
  // Loads, resolves and connects; failures are shown as error boxes and leave the link
  // unconnected (every wrapper then gives its default).
  ControllerLink(platform::TargetId owner, std::string connectionText);
  ~ControllerLink();
  ControllerLink(const ControllerLink&) = delete;
  ControllerLink& operator=(const ControllerLink&) = delete;

  // What Connect returned; nullopt when it was never called (library missing or
  // incomplete).
  std::optional<std::int32_t> connectResult() const { return m_connectResult; }
  bool connected() const { return m_connectResult == 0; }
  const std::string& connectionText() const { return m_connectionText; }

  // The number of the reply message "ZEL4CIWindowMsg"; -1 without the library.
  std::int32_t replyMessage() const;
  std::int32_t startLogin(platform::TargetId window, platform::ThreadId thread,
                          std::int32_t flags) const;
  void logout() const;
  std::string loginResult() const;

  // Without an echo the command is its own echo.
  std::int32_t command(platform::TargetId target, std::int32_t tag, std::string_view command,
                       std::int32_t timeoutMs,
                       std::optional<std::string_view> echo = std::nullopt) const;
  std::int32_t commandToThread(platform::ThreadId thread, std::int32_t tag,
                               std::string_view command, std::int32_t timeoutMs,
                               std::optional<std::string_view> echo = std::nullopt) const;
  // A command with the time-out of file and download commands.
  std::int32_t fileCommand(platform::TargetId target, std::int32_t tag,
                           std::string_view command) const;
  std::int32_t binaryCommandToThread(platform::ThreadId thread, std::int32_t tag,
                                     std::span<const std::uint8_t> bytes, std::int32_t timeoutMs,
                                     std::span<const std::uint8_t> echo) const;
  // The data of the last binary read reply, which the library then forgets.
  std::optional<BinaryReceive> binaryReceiveBuffer() const;

  KernelVersion remoteKernelVersion() const;
  std::string remoteKernelProject() const;
  std::string remoteKernelRunFile() const;
  std::string remoteKernelPlatform() const;
  std::uint32_t remoteProjectBuildDate() const;
  bool passwordUsed() const;
  bool isLockedByPassword() const;  // true without the library
  bool mayUseBinaryFileCommands() const;
  bool canTransferFiles() const;
  bool canForceOperands() const;
  std::int32_t activityLedState() const;
  std::int32_t remoteCiState() const;  // kRemoteNotConnected without the library
  std::int32_t usedCommPlatform() const;
  bool isActive() const;

  std::int32_t fileTransferStart(platform::ThreadId thread, std::string_view pcFile,
                                 std::string_view controllerFile, std::int32_t direction) const;
  void fileTransferCancel() const;

 private:
  template <typename Fn>
  Fn function(Export e) const {
    return reinterpret_cast<Fn>(m_exports.get(e));
  }
  std::string text(Export e) const;
  bool flag(Export e) const;

  std::string m_connectionText;
  bool m_acquired = false;
  ResolvedExports m_exports;
  std::optional<std::int32_t> m_connectResult;
};

// The connection text of the communication settings in force: "COM1 9600",
// "TCPIP 10.0.0.5", or empty for a method the library does not know. `openProject` may be
// null.
std::string ConnectionText(const app::Preferences& preferences,
                           const app::ProjectFile* openProject);

}  // namespace zel::access
