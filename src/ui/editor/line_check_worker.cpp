#include "ui/editor/line_check_worker.h"

#include <QMetaObject>

#include "stl/check/check_run.h"

namespace zel::ui {

LineCheckWorker::LineCheckWorker(Done done, QObject* parent)
    : QObject(parent), m_done(std::move(done)) {}

LineCheckWorker::~LineCheckWorker() {
  if (m_thread.joinable()) m_thread.join();
}

void LineCheckWorker::request(LineCheckRequest request) {
  if (m_running) {
    m_waiting = std::move(request);
    return;
  }
  start(std::move(request));
}

// The findings come back as a call queued to this object: if it is gone by then, the call
// goes with it.
void LineCheckWorker::start(LineCheckRequest request) {
  if (m_thread.joinable()) m_thread.join();
  m_running = true;
  m_thread = std::thread([this, request = std::move(request)] {
    stl::LineCheckSetup setup;
    setup.module = request.module;
    setup.symbols = request.symbols ? &*request.symbols : nullptr;
    if (!request.directory.empty()) {
      setup.readFieldbusConfig = [dir = request.directory] {
        return stl::ReadFieldbusConfigFile(dir);
      };
    } else {
      setup.readFieldbusConfig = [] { return std::optional<std::string>(); };
    }
    auto findings = stl::CheckDisplayLines(request.lines, setup);
    QMetaObject::invokeMethod(
        this,
        [this, tag = request.tag, findings = std::move(findings)]() mutable {
          finished(tag, std::move(findings));
        },
        Qt::QueuedConnection);
  });
}

void LineCheckWorker::finished(int tag, std::vector<stl::LineFinding> findings) {
  if (m_thread.joinable()) m_thread.join();
  m_running = false;
  if (m_waiting) {
    LineCheckRequest next = std::move(*m_waiting);
    m_waiting.reset();
    start(std::move(next));
    return;  // these findings are older than the lines on screen
  }
  m_done(tag, std::move(findings));
}

}  // namespace zel::ui
