#pragma once
// Runs the check of a module's shown lines on a thread of its own, so typing never waits
// for it. One check runs at a time; a request made meanwhile waits, and only the newest
// one: the lines it would check are already out of date.

#include <QObject>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "stl/alloc/allocation_list.h"
#include "stl/editor/line_check.h"

namespace zel::ui {

struct LineCheckRequest {
  std::vector<std::string> lines;  // the display lines, stored bytes
  std::string module;
  // A copy: the list the editor shows may change while the check runs.
  std::optional<stl::AllocationList> symbols;
  std::filesystem::path directory;  // where "CR.CFG" is looked for; empty: nowhere
  int tag = 0;                      // given back with the findings
};

class LineCheckWorker : public QObject {
  Q_OBJECT

 public:
  using Done = std::function<void(int tag, std::vector<stl::LineFinding>)>;
  explicit LineCheckWorker(Done done, QObject* parent = nullptr);
  ~LineCheckWorker() override;  // waits for a running check; it takes milliseconds

  void request(LineCheckRequest request);
  bool busy() const { return m_running || m_waiting.has_value(); }

 private:
  void start(LineCheckRequest request);
  void finished(int tag, std::vector<stl::LineFinding> findings);

  Done m_done;
  std::thread m_thread;
  bool m_running = false;
  std::optional<LineCheckRequest> m_waiting;
};

}  // namespace zel::ui
