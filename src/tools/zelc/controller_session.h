#pragma once
// zelc's hold on a controller for one command: a link connected with the workspace's
// communication settings (those of the project of the last session winning, as in the
// desktop program) or with --connect, a windowless login with the password of --password
// or ZEL_PASSWORD, and a loop on the calling thread that dispatches the replies the
// library posts to the session's target.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "access/ci_reply.h"
#include "access/controller_link.h"
#include "platform/messages.h"
#include "tools/zelc/commands.h"

namespace zel::zelc {

struct ControllerOptions {
  std::string connect;                  // empty: from the preferences
  std::optional<std::string> password;  // nullopt: ZEL_PASSWORD
  int timeoutMs = 1500;
};

class ControllerSession {
 public:
  explicit ControllerSession(const GlobalOptions& global, const ControllerOptions& options);
  ~ControllerSession();

  // Connects and logs in; false (with the reason on stderr) when either fails.
  bool open();
  access::ControllerLink& link() { return *m_link; }
  platform::TargetId target() const { return m_target.id(); }

  // Sends `command` and pumps until its reply arrives. nullopt when the library did not
  // take the command (the status in `refused`) or, should the library never answer, after
  // the time-out and a margin.
  std::optional<access::CiReply> exchange(const std::string& command,
                                          std::int32_t* refused = nullptr);
  // Sends without waiting; the status of the library.
  std::int32_t send(const std::string& command, std::int32_t tag);
  // Dispatches messages for up to `waitMs` (or until one arrives) and hands each reply to
  // `onReply`; other messages for the session's target go to `onOther`.
  void pump(int waitMs);
  std::function<void(const access::CiReply&)> onReply;
  std::function<void(const platform::Message&)> onOther;

 private:
  std::string connectionText() const;

  const GlobalOptions& m_global;
  ControllerOptions m_options;
  platform::MessageTarget m_target;
  std::unique_ptr<access::ControllerLink> m_link;
  std::int32_t m_replyMessage = -1;
};

// The text a reply is printed as: its own text, or what a display field shows for an
// error reply ("<access error>") and a time-out or lost connection ("<timeout>").
std::string ReplyLine(const access::CiReply& reply);

}  // namespace zel::zelc
