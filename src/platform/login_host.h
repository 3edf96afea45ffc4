#pragma once
// The login window of the controller library, shown by whoever hosts the library: the
// desktop program shows a real window with its password dialog, the command-line front
// end and tests run windowless. The library keeps the login's state machine; the host only
// shows what it is told and reports the user's buttons.
//
// Every call of a host happens on the thread that called the library's StartLogin, and
// always in this order for one login:
//
//   open(setup) -> { setField | setRetryEnabled | askPassword | finished }* inside
//   runModal() -> close()
//
// runModal() is the login's modal loop: it returns only after close() or after the user
// pressed "&Close" (setup.onClose). Meanwhile it must keep dispatching the calling thread's
// platform messages (platform::PumpMessages), because the login's replies, time-outs and
// state changes arrive as messages for a target of that thread. close() may be called from
// inside runModal() (the login closing itself after a success) or after it returned.
//
// Message boxes of the login ("Password missing...", "Cannot access remote KZC
// controller") go through platform/message_box.h, not through this host.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zel::platform {

// The read-only fields of the login window, top to bottom.
enum class LoginField { TargetController, KernelVersion, LoadedProject, State };

// The login window's title, and the password dialog's title, prompt and longest entry.
inline constexpr std::string_view kLoginWindowTitle = "ZEL Login to KZC";
inline constexpr std::string_view kPasswordDialogTitle = " ZEL Password";
inline constexpr std::string_view kPasswordPrompt = "Enter ZEL Password";
inline constexpr std::size_t kPasswordMaxLength = 29;

struct LoginWindowSetup {
  bool showCloseButton = true;  // "&Close" hidden when false
  // Called (on the login's thread, from inside runModal) when the user presses the
  // buttons. "&Retry" is only offered while setRetryEnabled(true) holds; "&Close" (and
  // closing the window by its frame) ends runModal; the library then calls close().
  std::function<void()> onRetry;
  std::function<void()> onClose;
};

class LoginHost {
 public:
  virtual ~LoginHost() = default;

  // Shows the window with empty fields, "&Retry" disabled.
  virtual void open(const LoginWindowSetup& setup) = 0;
  virtual void setField(LoginField field, std::string_view text) = 0;
  virtual void setRetryEnabled(bool enabled) = 0;
  // The password dialog, modal over the login window: the text typed (at most
  // kPasswordMaxLength characters), nullopt for "&Cancel".
  virtual std::optional<std::string> askPassword() = 0;
  // The login has reached an end: logged in (success) or given up after its searches. A
  // window stays open for the user to read and retry; a windowless host ends runModal.
  virtual void finished(bool success) = 0;
  // Runs until close() or "&Close"; dispatches the calling thread's platform messages.
  virtual void runModal() = 0;
  // Hides the window; ends runModal when it is running. Idempotent.
  virtual void close() = 0;
};

// Windowless: the password is given or comes from the environment variable ZEL_PASSWORD
// (cancel when there is none), the fields are only kept, and runModal ends at finished() or
// close(). It waits by polling the thread's messages every few milliseconds, so it needs no event
// loop of its own.
class WindowlessLoginHost : public LoginHost {
 public:
  // The password every askPassword returns (zelc's --password); nullopt answers "&Cancel".
  explicit WindowlessLoginHost(std::optional<std::string> password = PasswordFromEnvironment());
  static std::optional<std::string> PasswordFromEnvironment();  // ZEL_PASSWORD, if set

  void open(const LoginWindowSetup& setup) override;
  void setField(LoginField field, std::string_view text) override;
  void setRetryEnabled(bool enabled) override;
  std::optional<std::string> askPassword() override;
  void finished(bool success) override;
  void runModal() override;
  void close() override;

  // What the fields show now, for a front end that prints the outcome.
  std::string field(LoginField field) const;

 private:
  std::optional<std::string> m_password;
  std::string m_fields[4];
  bool m_done = false;
};

// The host every login uses. Without one set, a WindowlessLoginHost serves. The desktop
// program sets its own before the first login; tests set theirs and reset with nullptr.
void SetLoginHost(std::shared_ptr<LoginHost> host);
std::shared_ptr<LoginHost> GetLoginHost();

}  // namespace zel::platform
