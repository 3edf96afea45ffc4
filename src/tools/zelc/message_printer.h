#pragma once
// zelc's message window: the process's message window service with a sink that prints
// every text it receives to stdout as it arrives, so a job's report reads the same as in
// the desktop program's message window. Worker threads post into it as they would there;
// the main thread pumps its queue while it waits for them (JobWatcher).

#include <ostream>
#include <string_view>

#include "app/shell/message_service.h"

namespace zel::zelc {

class MessagePrinter : public app::MessageSink {
 public:
  explicit MessagePrinter(std::ostream& out);  // opens the message window on this thread
  ~MessagePrinter() override;                  // closes it
  MessagePrinter(const MessagePrinter&) = delete;
  MessagePrinter& operator=(const MessagePrinter&) = delete;

  void appended(std::string_view text) override;
  void cleared() override {}
  void headCut(std::size_t) override {}  // printed text stays printed

 private:
  std::ostream& m_out;
  app::MessageWindowService* m_service = nullptr;
};

}  // namespace zel::zelc
