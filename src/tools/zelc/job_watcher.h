#pragma once
// zelc's side of a job: the target its messages go to, and the wait for its done message.
// Progress is shown on a terminal's stderr as one line that is rewritten in place; a
// script that redirects stderr sees none of it, so its output stays the message window
// text alone.

#include <iosfwd>

#include "app/jobs/job.h"
#include "platform/messages.h"

namespace zel::zelc {

class JobWatcher {
 public:
  // `progressOut` is where progress goes; nullptr shows none.
  explicit JobWatcher(std::ostream* progressOut);
  ~JobWatcher();
  JobWatcher(const JobWatcher&) = delete;
  JobWatcher& operator=(const JobWatcher&) = delete;

  platform::TargetId target() const { return m_target.id(); }
  // Delivers the thread's messages (the message window's lines among them) until `job`
  // has ended and its done message has arrived.
  void wait(const app::Job& job);

  // stderr when it is a terminal, else nullptr.
  static std::ostream* TerminalProgress();

 private:
  platform::LParam handle(const platform::Message& message);
  void clearLine();

  std::ostream* m_out;
  const app::Job* m_job = nullptr;
  std::size_t m_shown = 0;  // characters of the progress line on screen
  platform::MessageTarget m_target;
};

}  // namespace zel::zelc
