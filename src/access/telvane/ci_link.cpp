#include "access/telvane/ci_link.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "access/telvane/connection_text.h"
#include "access/telvane/limits.h"
#include "access/telvane/link_trace.h"
#include "access/telvane/reply_post.h"
#include "access/telvane/serial_transport.h"
#include "access/telvane/udp_transport.h"

namespace zel::telvane {
namespace {

constexpr std::uintptr_t kCommandTimer = 1;
constexpr unsigned kSearchRateHigh = 9600;
constexpr unsigned kSearchRateLow = 2400;

bool HasControlCharacter(std::string_view text) {
  return std::any_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

}  // namespace

// Destroyed when the library is unloaded (or the process ends): a host that unloads and
// loads it again must not leave a connection's state behind each time.
CiLink& CiLink::instance() {
  static CiLink link;
  return link;
}

// A host that ends without its last Disconnect: the reader and the timer thread are
// stopped and joined before the members they use go.
CiLink::~CiLink() {
  {
    std::lock_guard lifecycle(m_lifecycle);
    if (m_openCount > 1) m_openCount = 1;
  }
  disconnect();
  m_timers.stop();
}

int CiLink::connect(platform::TargetId owner, const char* text) {
  std::lock_guard lifecycle(m_lifecycle);
  if (owner == 0 || text == nullptr || *text == '\0') return kInvalidParameter;
  const std::string_view connection(text, strnlen(text, kConnectionTextMaxLength + 1));
  if (connection.size() > kConnectionTextMaxLength) return kInvalidParameter;
  if (m_openCount > 0) {
    if (owner != m_owner || connection != m_connectionText) return kBusy;
    ++m_openCount;
    return kConnected;
  }
  const auto parsed = ParseConnectionText(connection);
  if (!parsed) return kInvalidParameter;
  OpenLinkTrace();
  std::unique_ptr<Transport> transport;
  if (parsed->kind == ConnectionText::Kind::Serial) {
    transport = SerialTransport::open(SerialDevice(parsed->port), parsed->baudRate, *this);
  } else {
    transport = UdpTransport::open(parsed->ipv4, *this);
  }
  if (!transport) {
    CloseLinkTrace();
    return kCannotOpen;
  }
  std::lock_guard lock(m_mutex);
  m_owner = owner;
  m_connectionText = std::string(connection);
  m_configuredRate = parsed->baudRate;
  m_kind = transport->kind();
  m_transport = std::move(transport);
  m_open = true;
  m_openCount = 1;
  m_busy = false;
  m_current = {};
  m_queue.clear();
  m_exchange = Exchange(m_kind == TransportKind::Serial ? Framing::Serial : Framing::Datagram);
  m_consecutiveTimeouts = 0;
  m_probeBreakNext = false;
  m_lowRateIs2400 = false;
  m_loginState = LoginState::Search;
  m_searchCount = 0;
  m_remote = RemoteInfo{};
  m_binaryFull = false;
  m_fileDatagram.clear();
  m_timers.start();
  return kConnected;
}

// The reader is joined before the transport goes, and nothing it uses is freed while it
// runs; the queue is flushed, since nobody is left to answer it.
void CiLink::disconnect() {
  std::lock_guard lifecycle(m_lifecycle);
  if (m_openCount == 0) return;
  if (--m_openCount > 0) return;
  std::unique_ptr<Transport> transport;
  {
    std::lock_guard lock(m_mutex);
    m_open = false;
    m_busy = false;
    m_current = {};
    m_queue.clear();
    ++m_sequence;  // a time-out on its way finds nothing to end
    transport = std::move(m_transport);
  }
  m_timers.stop();
  transport->sayGoodbye();
  transport->close();
  transport.reset();
  std::lock_guard lock(m_mutex);
  m_owner = 0;
  m_connectionText.clear();
  m_kind = TransportKind::None;
  m_remote = RemoteInfo{};
  m_loginState = LoginState::Search;
  m_searchCount = 0;
  m_binaryFull = false;
  CloseLinkTrace();
}

int CiLink::send(Command command) {
  std::lock_guard lock(m_mutex);
  if (m_owner == 0 || !m_open) return kNotConnected;
  if (command.bytes.size() > kCommandMaxLength || command.echo.size() > kCommandMaxLength) {
    return kRefused;
  }
  // A control character would end or split a command on the serial line and run the rest
  // as a command of its own.
  if (command.binaryKind == 0 && HasControlCharacter(command.bytes)) return kRefused;
  if (!m_busy) sendQueuedLocked();
  if (!m_busy) return sendNowLocked(command) ? kSent : kRefused;
  if (!m_queue.push(std::move(command))) return kQueueFull;
  return kSent;
}

int CiLink::sendProbe(platform::TargetId target, std::int32_t tag) {
  Command probe;
  probe.target = target;
  probe.tag = tag;
  probe.bytes = std::string(1, kProbeByte);
  probe.timeoutMs = kProbeTimeoutMs;
  std::lock_guard lock(m_mutex);
  if (m_owner == 0 || !m_open) return kNotConnected;
  if (!m_busy) sendQueuedLocked();
  if (!m_busy) return sendNowLocked(probe) ? kSent : kRefused;
  if (!m_queue.push(std::move(probe))) return kQueueFull;
  return kSent;
}

bool CiLink::sendNowLocked(const Command& command) {
  const bool probe = command.bytes.size() == 1 && command.bytes[0] == kProbeByte &&
                     command.binaryKind == 0 && command.echo.empty();
  m_current = command;
  m_busy = true;
  m_exchange.begin(command.echo, command.binaryKind, probe);
  const std::uint64_t sequence = ++m_sequence;
  m_timers.set(kCommandTimer, command.timeoutMs, [this, sequence] { onTimeout(sequence); });
  bool taken = false;
  if (probe && m_kind == TransportKind::Serial) {
    if (m_probeBreakNext) {
      switchToNextLowRate();
      m_transport->sendBreak();
      taken = true;
    } else {
      taken = m_transport->send(command.bytes, false);
    }
    m_probeBreakNext = !m_probeBreakNext;
  } else {
    taken = m_transport->send(command.bytes, command.binaryKind == 0 && !probe);
  }
  if (!taken) {
    m_timers.cancel(kCommandTimer);
    ++m_sequence;
    m_busy = false;
    m_current = {};
  }
  return taken;
}

// A queued command the line refuses is answered as timed out, so that its sender is never
// left waiting for an answer that cannot come.
void CiLink::sendQueuedLocked() {
  while (!m_busy && m_open) {
    auto next = m_queue.pop();
    if (!next) return;
    if (!sendNowLocked(*next)) PostReply(next->target, next->thread, kTimeout, " ", next->tag);
  }
}

bool CiLink::open() {
  std::lock_guard lock(m_mutex);
  return m_open;
}

TransportKind CiLink::transportKind() {
  std::lock_guard lock(m_mutex);
  return m_kind;
}

unsigned CiLink::configuredBaudRate() {
  std::lock_guard lock(m_mutex);
  return m_configuredRate;
}

void CiLink::switchToNextLowRate() {
  std::lock_guard lock(m_mutex);
  if (!m_open || m_kind != TransportKind::Serial) return;
  m_transport->setBaudRate(m_lowRateIs2400 ? kSearchRateLow : kSearchRateHigh);
  m_lowRateIs2400 = !m_lowRateIs2400;
}

void CiLink::setLineRate(unsigned rate) {
  std::lock_guard lock(m_mutex);
  if (!m_open || m_kind != TransportKind::Serial) return;
  m_transport->setBaudRate(rate);
}

void CiLink::setLoginDialog(platform::TargetId target, bool active) {
  std::lock_guard lock(m_mutex);
  m_loginTarget = target;
  m_loginActive = active;
  if (active) m_loggedInBefore = true;
  // Commands that queued up behind the login go out once it no longer probes.
  if (!active && !m_busy) {
    if (m_exchange.phase() == 0) m_exchange.setPhase(1);
    sendQueuedLocked();
  }
}

void CiLink::setLoginState(LoginState state, int searchCount) {
  std::lock_guard lock(m_mutex);
  m_loginState = state;
  m_searchCount = searchCount;
}

void CiLink::resetRemote() {
  std::lock_guard lock(m_mutex);
  const bool binaryForbidden = m_kind != TransportKind::Serial;
  m_remote = RemoteInfo{};
  m_remote.binaryForbidden = binaryForbidden;
}

void CiLink::setVersion(const KernelVersion& version) {
  std::lock_guard lock(m_mutex);
  m_remote.version = version;
}

void CiLink::applyIdentity(const Identity& identity) {
  std::lock_guard lock(m_mutex);
  if (identity.recognised) {
    m_remote.platform = identity.platform;
    m_remote.project = identity.project;
    m_remote.runFile = identity.runFile;
    m_remote.loginResult = identity.loginResult;
  }
  m_remote.passwordUsed = identity.passwordUsed;
  // The network never carries binary file commands, whatever the controller allows.
  m_remote.binaryForbidden = identity.binaryForbidden || m_kind != TransportKind::Serial;
  m_remote.canForce = identity.canForce;
  m_consecutiveTimeouts = 0;
  m_probeBreakNext = false;
}

void CiLink::setLocked(bool locked) {
  std::lock_guard lock(m_mutex);
  m_remote.locked = locked;
}

void CiLink::setBuildDate(std::uint32_t date) {
  std::lock_guard lock(m_mutex);
  m_remote.buildDate = date;
}

void CiLink::setLoginResult(std::string text) {
  std::lock_guard lock(m_mutex);
  m_remote.loginResult = std::move(text);
}

RemoteInfo CiLink::remote() {
  std::lock_guard lock(m_mutex);
  return m_remote;
}

int CiLink::ciState() {
  std::lock_guard lock(m_mutex);
  if (!m_open) return 1;
  if (m_loginState != LoginState::Ready || m_searchCount > 4 ||
      m_consecutiveTimeouts > kMaxConsecutiveTimeouts) {
    return 2;
  }
  return m_remote.locked ? 3 : 0;
}

int CiLink::activityLed() {
  std::lock_guard lock(m_mutex);
  if (m_completed != m_completedSeenByLed) {
    m_completedSeenByLed = m_completed;
    m_led = !m_led;
  }
  return m_led ? 1 : 0;
}

bool CiLink::takeBinaryBlock(BinaryBlock& block) {
  std::lock_guard lock(m_mutex);
  if (!m_binaryFull) return false;
  block = m_binary;
  m_binaryFull = false;
  return true;
}

std::string CiLink::lastFileDatagram() {
  std::lock_guard lock(m_mutex);
  return m_fileDatagram;
}

void CiLink::onSerialBytes(std::string_view bytes) {
  std::lock_guard lock(m_mutex);
  if (!m_busy) return;  // nothing in flight: these bytes belong to no command
  m_exchange.append(bytes);
  runCompletionLocked();
}

void CiLink::onDatagram(std::string_view datagram) {
  std::lock_guard lock(m_mutex);
  if (!m_busy) return;
  const auto parts = SplitDatagram(datagram);
  if (!parts) {
    // Not a controller's answer; while probing, a controller may still answer in time.
    if (m_exchange.phase() == 0) return;
    m_timers.cancel(kCommandTimer);
    m_exchange.abandon();
    PostReply(m_current.target, m_current.thread, kErrorReply, " ", m_current.tag);
    endCommandLocked();
    return;
  }
  m_exchange.setDatagram(*parts);
  runCompletionLocked();
}

void CiLink::onFileDatagram(std::string_view datagram) {
  std::lock_guard lock(m_mutex);
  m_fileDatagram = std::string(datagram.substr(0, kFileDatagramSize));
}

void CiLink::runCompletionLocked() {
  const bool probe = m_exchange.phase() == 0;
  Outcome outcome = m_exchange.complete();
  if (outcome.kind == Outcome::Kind::Waiting) return;
  m_timers.cancel(kCommandTimer);
  if (outcome.kind == Outcome::Kind::BinaryRead) {
    m_binary = outcome.block;
    m_binaryFull = true;
    PostBinaryRead(m_current.target, m_current.thread, m_current.tag);
  } else {
    if (outcome.status != kReply) m_binaryFull = false;
    PostReply(m_current.target, m_current.thread, outcome.status, outcome.text, m_current.tag);
  }
  if (probe) m_probeBreakNext = false;
  endCommandLocked();
}

void CiLink::endCommandLocked() {
  ++m_sequence;
  m_current = {};
  m_busy = false;
  ++m_completed;
  m_consecutiveTimeouts = 0;
  sendQueuedLocked();
}

void CiLink::onTimeout(std::uint64_t sequence) {
  std::lock_guard lock(m_mutex);
  if (!m_busy || sequence != m_sequence) return;  // answered or abandoned meanwhile
  ++m_sequence;
  const Command command = std::move(m_current);
  m_current = {};
  m_busy = false;
  if (m_exchange.phase() == 0 && m_loginActive && command.target == m_loginTarget &&
      command.thread == 0) {
    // The login probes again itself; its next probe finds the line free.
    m_exchange.begin({}, 0, true);
    PostReply(command.target, 0, kTimeout, " ", command.tag);
    return;
  }
  m_exchange.abandon();
  ++m_consecutiveTimeouts;
  if (m_consecutiveTimeouts > kMaxConsecutiveTimeouts && m_loginState == LoginState::Ready &&
      m_owner != 0) {
    m_consecutiveTimeouts = 0;
    if (command.target == 0 && command.thread == 0) {
      PostReply(m_owner, 0, kConnectionLost, " ", 0);
    } else {
      PostReply(command.target, command.thread, kConnectionLost, " ", command.tag);
    }
  } else {
    PostReply(command.target, command.thread, kTimeout, " ", command.tag);
  }
  sendQueuedLocked();
}

}  // namespace zel::telvane
