#pragma once
// The one connection of the process to one controller: the open count, the command on the
// wire and the queue behind it, reply completion, time-outs and what the login learnt about
// the controller. Every member is guarded by the named mutex "ZEL_4_00_CI_MUTEX", taken by
// the callers' threads, the transport's reader thread and the timer thread alike.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "access/telvane/command.h"
#include "access/telvane/command_queue.h"
#include "access/telvane/identity.h"
#include "access/telvane/reply_completion.h"
#include "access/telvane/timer_service.h"
#include "access/telvane/transport.h"
#include "platform/named_mutex.h"

namespace zel::telvane {

// Results of Connect and of the command exports.
enum ConnectResult : int { kConnected = 0, kBusy = 1, kInvalidParameter = 2, kCannotOpen = 3 };
enum SendStatus : int { kSent = 0, kQueueFull = 1, kNotConnected = 2, kRefused = 3 };

// Login states; RemoteCIState calls Ready logged in.
enum class LoginState { Search = 0, SetBaud, Identify, Unlock, Recheck, BuildDate, Ready };

struct RemoteInfo {
  KernelVersion version;
  std::string platform;
  std::string project;
  std::string runFile;
  std::string loginResult;
  std::uint32_t buildDate = 0;
  bool passwordUsed = false;
  bool locked = false;
  bool binaryForbidden = true;
  bool canForce = false;
};

class CiLink final : public TransportSink {
 public:
  static CiLink& instance();
  ~CiLink() override;

  int connect(platform::TargetId owner, const char* text);
  void disconnect();
  // The four command exports; validates sizes and content first.
  int send(Command command);
  // The login probe: byte 0x14 (on the serial line alternately a break), no echo, 1000 ms.
  int sendProbe(platform::TargetId target, std::int32_t tag);

  bool open();
  TransportKind transportKind();
  unsigned configuredBaudRate();
  // The 9600/2400 alternation of the search, and the return to the configured rate.
  void switchToNextLowRate();
  void setLineRate(unsigned rate);

  // Login bookkeeping.
  void setLoginDialog(platform::TargetId target, bool active);
  bool loginActive() { return m_loginActive.load(); }
  void setLoginState(LoginState state, int searchCount);
  void resetRemote();
  void setVersion(const KernelVersion& version);
  void applyIdentity(const Identity& identity);
  void setLocked(bool locked);
  void setBuildDate(std::uint32_t date);
  void setLoginResult(std::string text);
  RemoteInfo remote();
  bool loggedInBefore() { return m_loggedInBefore.load(); }

  int ciState();
  int activityLed();
  bool takeBinaryBlock(BinaryBlock& block);
  std::string lastFileDatagram();

  // TransportSink, on the reader thread.
  void onSerialBytes(std::string_view bytes) override;
  void onDatagram(std::string_view datagram) override;
  void onFileDatagram(std::string_view datagram) override;

 private:
  CiLink() = default;
  bool sendNowLocked(const Command& command);
  void sendQueuedLocked();
  void runCompletionLocked();
  void endCommandLocked();
  void onTimeout(std::uint64_t sequence);

  platform::NamedMutex m_mutex{"ZEL_4_00_CI_MUTEX"};
  std::mutex m_lifecycle;  // Connect and Disconnect, one at a time
  TimerService m_timers;

  platform::TargetId m_owner = 0;
  std::string m_connectionText;
  int m_openCount = 0;
  unsigned m_configuredRate = 0;
  std::unique_ptr<Transport> m_transport;
  TransportKind m_kind = TransportKind::None;
  bool m_open = false;

  bool m_busy = false;
  Command m_current;
  std::uint64_t m_sequence = 0;
  Exchange m_exchange;
  CommandQueue m_queue;
  int m_consecutiveTimeouts = 0;
  unsigned m_completed = 0;
  unsigned m_completedSeenByLed = 0;
  bool m_led = false;

  bool m_probeBreakNext = false;
  bool m_lowRateIs2400 = false;

  std::atomic<bool> m_loginActive{false};
  std::atomic<bool> m_loggedInBefore{false};
  platform::TargetId m_loginTarget = 0;
  LoginState m_loginState = LoginState::Search;
  int m_searchCount = 0;
  RemoteInfo m_remote;

  bool m_binaryFull = false;
  BinaryBlock m_binary;
  std::string m_fileDatagram;
};

}  // namespace zel::telvane
