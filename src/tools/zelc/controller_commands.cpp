// The controller from the command line: log in, send CI commands, or type them in a
// terminal. Each runs one ControllerSession.

#include <atomic>
#include <deque>
#include <iostream>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "access/controller_link.h"
#include "platform/messages.h"
#include "tools/zelc/commands.h"
#include "tools/zelc/controller_session.h"
#include "tools/zelc/terminal_text.h"

namespace zel::zelc {
namespace {

void AddSessionOptions(CLI::App* sub, ControllerOptions& options) {
  sub->add_option("--connect", options.connect,
                  "Connection text (\"COM1 9600\", \"TCPIP 10.0.0.5\") instead of the "
                  "communication settings of ZEL.INI");
  sub->add_option("--password", options.password,
                  "Password for a locked controller (default: $ZEL_PASSWORD)");
  sub->add_option("--timeout", options.timeoutMs, "Time-out of each command in ms")
      ->check(CLI::Range(1, 600000));
}

std::string WithoutLineEnd(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

int Login(const GlobalOptions& global, const ControllerOptions& options, std::ostream& out) {
  ControllerSession session(global, options);
  if (!session.open()) return kFailed;
  const auto& link = session.link();
  const auto version = link.remoteKernelVersion();
  out << WithoutLineEnd(ToTerminal(link.loginResult())) << '\n'
      << "Target Controller\t" << ToTerminal(link.remoteKernelPlatform()) << '\n'
      << "Kernel Version\t" << version.text << '\n'
      << "Loaded Project\t" << ToTerminal(link.remoteKernelProject()) << '\n'
      << "Run File\t" << ToTerminal(link.remoteKernelRunFile()) << '\n'
      << "Project Build Date\t" << link.remoteProjectBuildDate() << '\n'
      << "Locked\t" << (link.isLockedByPassword() ? "yes" : "no") << '\n'
      << "Forcing\t" << (link.canForceOperands() ? "yes" : "no") << '\n';
  return 0;
}

const char* RefusalText(std::int32_t status) {
  switch (status) {
    case access::kQueueFull:
      return "<busy>";
    case access::kNotConnected:
      return "CI - Interface not ready.";
    default:
      return "command refused";
  }
}

int Ci(const GlobalOptions& global, const ControllerOptions& options,
       const std::vector<std::string>& commands, std::ostream& out) {
  ControllerSession session(global, options);
  if (!session.open()) return kFailed;
  for (const auto& command : commands) {
    std::int32_t refused = 0;
    const auto reply = session.exchange(command, &refused);
    if (!reply) {
      out << (refused != access::kSentOrQueued ? RefusalText(refused) : "<timeout>") << '\n';
      return kFailed;
    }
    out << ReplyLine(*reply) << '\n' << std::flush;
    if (reply->status != access::ReplyStatus::Reply) return kFailed;
  }
  return 0;
}

// Lines typed are read on a thread of their own, since reading blocks and the main thread
// must keep pumping the library's messages; each line is handed over under a lock and
// announced by a message to the session's target.
class LineReader {
 public:
  LineReader(platform::TargetId target, platform::MessageId lineMessage)
      : m_thread([this, target, lineMessage] {
          std::string line;
          while (std::getline(std::cin, line)) {
            {
              std::lock_guard guard(m_mutex);
              m_lines.push_back(line);
            }
            platform::PostMessageTo(target, lineMessage, 0, 0);
          }
          m_ended = true;
          platform::PostMessageTo(target, lineMessage, 1, 0);
        }) {}
  ~LineReader() { m_thread.join(); }
  std::deque<std::string> take() {
    std::lock_guard guard(m_mutex);
    return std::exchange(m_lines, {});
  }
  bool ended() const { return m_ended; }

 private:
  std::mutex m_mutex;
  std::deque<std::string> m_lines;
  std::atomic<bool> m_ended{false};
  std::thread m_thread;
};

int Terminal(const GlobalOptions& global, const ControllerOptions& options, std::ostream& out) {
  ControllerSession session(global, options);
  if (!session.open()) return kFailed;
  const auto lineMessage = platform::RegisterMessage("ZELCTerminalLineMsg");
  int pending = 0;
  session.onReply = [&](const access::CiReply& reply) {
    --pending;
    out << ReplyLine(reply) << '\n' << std::flush;
  };
  LineReader reader(session.target(), lineMessage);
  bool inputEnded = false;
  session.onOther = [&](const platform::Message& message) {
    if (message.id != lineMessage) return;
    if (message.wParam == 1) inputEnded = true;
    for (const auto& line : reader.take()) {
      const std::string command = WithoutLineEnd(line);
      if (command.empty()) continue;
      const std::int32_t status = session.send(command, 0);
      if (status == access::kSentOrQueued) {
        ++pending;
      } else {
        out << RefusalText(status) << '\n' << std::flush;
      }
    }
  };
  // Every command is answered by a reply or its time-out, so the loop ends once the input
  // has ended and the last answer is in.
  while (!inputEnded || pending > 0) session.pump(50);
  return 0;
}

}  // namespace

void AddControllerCommands(CLI::App& app, CommandAction& chosen) {
  auto options = std::make_shared<ControllerOptions>();

  auto* login = app.add_subcommand("login", "Log in to the controller and show its identity");
  AddSessionOptions(login, *options);
  WhenChosen(login, chosen, [options](const GlobalOptions& global, std::ostream& out) {
    return Login(global, *options, out);
  });

  auto commands = std::make_shared<std::vector<std::string>>();
  auto* ci =
      app.add_subcommand("ci",
                         "Log in and send CI commands one after another, printing each reply; "
                         "exit status 1 at the first error reply or time-out");
  AddSessionOptions(ci, *options);
  ci->add_option("COMMAND", *commands, "CI commands (\"L?\", \"DEW0-\", ...)")->required();
  WhenChosen(ci, chosen, [options, commands](const GlobalOptions& global, std::ostream& out) {
    return Ci(global, *options, *commands, out);
  });

  auto* terminal = app.add_subcommand(
      "terminal", "Log in, then send each line typed as a CI command and print the replies");
  AddSessionOptions(terminal, *options);
  WhenChosen(terminal, chosen, [options](const GlobalOptions& global, std::ostream& out) {
    return Terminal(global, *options, out);
  });
}

}  // namespace zel::zelc
