#include "access/telvane/login.h"

#include <memory>
#include <optional>
#include <string>

#include "access/telvane/ci_link.h"
#include "access/telvane/limits.h"
#include "access/telvane/reply_post.h"
#include "platform/atoms.h"
#include "platform/desktop.h"
#include "platform/login_host.h"
#include "platform/message_box.h"

namespace zel::telvane {
namespace {

constexpr std::string_view kWarningCaption = "Telvane Warning";
constexpr std::string_view kPasswordMissing = "Password missing.\nNo Operands can be modified.";
constexpr std::string_view kErrorCaption = "Telvane Error";
constexpr std::string_view kCannotAccess = "Cannot access remote KZC controller";
constexpr std::string_view kLoginFailed = "login failed\r\n";
constexpr std::string_view kNoController = "No KZC Controller found";
constexpr std::string_view kChecking = "Checking Controller...";
constexpr std::string_view kPasswordDetected = "Password detected";
constexpr std::string_view kSuccess = "Success";
constexpr std::string_view kBadState = "bad state";
constexpr std::string_view kSearching = "Searching KZC Controller... ";
constexpr std::string_view kBuildDateState = "Project build date";
constexpr unsigned kBeepHz = 500;
constexpr unsigned kBeepMs = 500;
// The controller takes 57600 baud under this name.
constexpr unsigned kRateAsConfigured = 57600;
constexpr unsigned kRateAsSent = 56000;

using platform::LoginField;

// A password goes on the line after "LX": a control character would split the command, a
// comma would make it the lock command's argument list.
bool AcceptablePassword(std::string_view password) {
  for (char c : password) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == ',') return false;
  }
  return true;
}

class LoginMachine {
 public:
  LoginMachine(platform::TargetId window, platform::ThreadId thread, std::int32_t flags)
      : m_window(window),
        m_thread(thread),
        m_flags(flags),
        m_link(CiLink::instance()),
        m_host(platform::GetLoginHost()) {}

  int run() {
    platform::MessageTarget target([this](const platform::Message& message) {
      if (message.id == ReplyMessage()) onReply(message);
      return platform::LParam{0};
    });
    m_target = target.id();
    platform::LoginWindowSetup setup;
    setup.showCloseButton = (m_flags & kLoginHideClose) == 0;
    setup.onRetry = [this] {
      if (m_link.open()) start();
    };
    setup.onClose = [this] { m_host->close(); };
    m_host->open(setup);
    m_link.setLoginDialog(m_target, true);
    start();
    m_host->runModal();
    m_host->close();
    m_link.setLoginDialog(0, false);
    return m_result;
  }

 private:
  void start() {
    for (auto field : {LoginField::TargetController, LoginField::KernelVersion,
                       LoginField::LoadedProject, LoginField::State}) {
      m_host->setField(field, "");
    }
    m_host->setField(LoginField::State, kSearching);
    m_host->setRetryEnabled(false);
    m_searches = 0;
    m_probes = 0;
    m_link.resetRemote();
    probe();
  }

  void enter(LoginState state) {
    m_state = state;
    m_link.setLoginState(state, m_searches);
  }

  void probe() {
    enter(LoginState::Search);
    m_result = 0;
    if (m_link.sendProbe(m_target, static_cast<std::int32_t>(LoginState::Search)) != kSent) {
      selfTimeout();
    }
  }

  // A command of the login that the line refuses counts as timed out: over the network a
  // probe to nobody is refused at once, and the search must still end.
  void command(LoginState state, std::string bytes, int timeoutMs) {
    enter(state);
    Command cmd;
    cmd.target = m_target;
    cmd.tag = static_cast<std::int32_t>(state);
    cmd.echo = bytes;
    cmd.bytes = std::move(bytes);
    cmd.timeoutMs = timeoutMs;
    if (m_link.send(std::move(cmd)) != kSent) selfTimeout();
  }

  void selfTimeout() { PostReply(m_target, 0, kTimeout, " ", static_cast<std::int32_t>(m_state)); }

  void onReply(const platform::Message& message) {
    const int status = static_cast<int>(message.wParam >> 16);
    const auto atom = static_cast<platform::Atom>(message.wParam & 0xFFFF);
    const std::string text = platform::AtomName(platform::AtomTable::Local, atom);
    platform::DeleteAtom(platform::AtomTable::Local, atom);
    if (status >= kConnectionLost) return;
    // An answer to a command of an earlier state (the search began again meanwhile).
    if (message.lParam != static_cast<platform::LParam>(m_state)) return;
    switch (m_state) {
      case LoginState::Search:
        return onSearch(status, text);
      case LoginState::SetBaud:
        return onSetBaud(status);
      case LoginState::Identify:
        return onIdentify(status, text);
      case LoginState::Unlock:
        return onUnlock(status);
      case LoginState::Recheck:
        return onRecheck(status, text);
      case LoginState::BuildDate:
        return onBuildDate(status, text);
      default:
        return onBadState();
    }
  }

  void onSearch(int status, const std::string& text) {
    if (status == kErrorReply) {
      m_host->setField(LoginField::State, kLoginFailed);
      return restartSearch();
    }
    if (status == kTimeout) {
      ++m_probes;
      if (m_link.transportKind() == TransportKind::Serial) {
        if (m_probes <= 3) {
          m_link.switchToNextLowRate();
        } else {
          m_link.setLineRate(9600);
        }
      }
      if (m_probes < kProbesPerSearch) return probe();
      m_probes = 0;
      m_host->setField(LoginField::State, kNoController);
      return restartSearch();
    }
    m_version = ParseKernelVersion(text);
    m_link.setVersion(m_version);
    m_host->setField(LoginField::KernelVersion, m_version.text);
    if (m_version.valid()) m_probes = 0;
    if (!m_version.valid()) {
      // A controller this library cannot serve answers every probe at once; counted as a
      // probe, its search still ends instead of probing for ever.
      m_host->setRetryEnabled(true);
      if (++m_probes < kProbesPerSearch) return probe();
      m_probes = 0;
      return restartSearch();
    }
    if (m_link.transportKind() == TransportKind::Serial) {
      const unsigned rate = m_link.configuredBaudRate();
      const unsigned sent = rate == kRateAsConfigured ? kRateAsSent : rate;
      return command(LoginState::SetBaud, "MV=" + std::to_string(sent), kBaudCommandTimeoutMs);
    }
    command(LoginState::Identify, "L?", kLoginCommandTimeoutMs);
  }

  // Whether the controller answered "MV=" or not, it now listens at the configured rate.
  void onSetBaud(int status) {
    if (status == kErrorReply) return restartSearch();
    m_link.setLineRate(m_link.configuredBaudRate());
    m_host->setField(LoginField::State, status == kReply ? kChecking : kNoController);
    command(LoginState::Identify, "L?", kLoginCommandTimeoutMs);
  }

  void onIdentify(int status, const std::string& text) {
    if (status != kReply) return restartSearch();
    const Identity identity = ParseIdentity(text, m_version);
    m_link.applyIdentity(identity);
    if (identity.recognised) m_host->setField(LoginField::TargetController, identity.platform);
    m_host->setField(LoginField::LoadedProject, identity.project);
    if (identity.passwordUsed) {
      m_link.setLocked(true);
      m_host->setField(LoginField::State, kPasswordDetected);
      m_attempts = kPasswordAttempts;
      return askPassword();
    }
    askBuildDate();
  }

  // The password dialog: "&OK" sends "LX" + password; "&Cancel" goes on locked.
  void askPassword() {
    while (m_attempts > 0) {
      const std::optional<std::string> password = m_host->askPassword();
      if (!password) return askBuildDate();
      if (AcceptablePassword(*password)) {
        return command(LoginState::Unlock, "LX" + password->substr(0, platform::kPasswordMaxLength),
                       kLoginCommandTimeoutMs);
      }
      --m_attempts;
    }
    givenUpPassword();
  }

  void givenUpPassword() {
    platform::ShowMessageBox(std::string(kPasswordMissing), platform::Buttons::Ok,
                             platform::Icon::Warning, std::string(kWarningCaption));
    m_attempts = 0;
    askBuildDate();
  }

  void askBuildDate() {
    m_host->setField(LoginField::State, kBuildDateState);
    command(LoginState::BuildDate, "LB", kLoginCommandTimeoutMs);
  }

  void onUnlock(int status) {
    if (status != kReply) return restartSearch();
    command(LoginState::Recheck, "L?", kLoginCommandTimeoutMs);
  }

  void onRecheck(int status, const std::string& text) {
    if (status != kReply) return restartSearch();
    if ((IdentityFlags(text) & kFlagUnlocked) != 0) {
      m_attempts = 0;
      m_link.setLocked(false);
      return askBuildDate();
    }
    const int before = m_attempts--;
    if (before >= 2) return askPassword();
    givenUpPassword();
  }

  void onBuildDate(int status, const std::string& text) {
    if (status == kTimeout) return restartSearch();
    m_link.setBuildDate(status == kReply ? ParseBuildDate(text) : 0);
    m_host->setField(LoginField::State, kSuccess);
    m_host->setRetryEnabled(true);
    m_result = 1;
    enter(LoginState::Ready);
    postResult();
    m_host->finished(true);
    if (m_flags & kLoginCloseWhenDone) m_host->close();
  }

  void onBadState() {
    m_host->setField(LoginField::State, kBadState);
    platform::Beep(kBeepHz, kBeepMs);
    m_host->setRetryEnabled(true);
  }

  void restartSearch() {
    ++m_searches;
    if (m_searches >= kMaxSearches) {
      m_link.setLoginState(m_state, m_searches);
      m_host->setRetryEnabled(true);
      m_link.setLoginResult(std::string(kLoginFailed));
      postResult();
      m_host->finished(false);
      return;
    }
    m_host->setField(LoginField::TargetController, "");
    m_host->setField(LoginField::KernelVersion, "");
    m_host->setField(LoginField::LoadedProject, "");
    m_host->setField(LoginField::State,
                     std::string(kSearching) + "(" + std::to_string(m_searches) + ")");
    m_host->setRetryEnabled(false);
    probe();
  }

  void postResult() {
    if (m_flags & kLoginNoResultMessage) return;
    PostReply(m_window, m_thread, kReply, m_link.remote().loginResult, 0);
  }

  platform::TargetId m_window;
  platform::ThreadId m_thread;
  std::int32_t m_flags;
  CiLink& m_link;
  std::shared_ptr<platform::LoginHost> m_host;
  platform::TargetId m_target = 0;
  LoginState m_state = LoginState::Search;
  KernelVersion m_version;
  int m_searches = 0;
  int m_probes = 0;
  int m_attempts = 0;
  int m_result = 0;
};

}  // namespace

int RunLogin(platform::TargetId window, platform::ThreadId thread, std::int32_t flags) {
  CiLink& link = CiLink::instance();
  if (!link.open()) {
    if (link.loggedInBefore()) {
      platform::ShowMessageBox(std::string(kCannotAccess), platform::Buttons::Ok,
                               platform::Icon::Warning, std::string(kErrorCaption));
    }
    link.setLoginResult(std::string(kLoginFailed));
    if ((flags & kLoginNoResultMessage) == 0) {
      PostReply(window, thread, kReply, kLoginFailed, 0);
    }
    return -1;
  }
  LoginMachine machine(window, thread, flags);
  return machine.run();
}

}  // namespace zel::telvane
