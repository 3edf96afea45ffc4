#pragma once
// Lets the Qt event loop deliver the platform's posted messages: whenever something is
// queued for the GUI thread (a worker's text, a timer tick, a library reply), the
// thread is woken through Qt's own queue and dispatches everything waiting.

#include <QObject>
#include <atomic>
#include <memory>
#include <mutex>

namespace zel::ui {

class MessagePump : public QObject {
  Q_OBJECT

 public:
  // Installs the wake-up hook for the calling thread, which must be this object's.
  explicit MessagePump(QObject* parent = nullptr);
  ~MessagePump() override;

 private:
  void pump();

  // Shared with the hook, which may run on any thread after this object has gone.
  struct Link {
    std::mutex mutex;
    MessagePump* pump = nullptr;
    std::atomic<bool> scheduled{false};
  };
  std::shared_ptr<Link> m_link;
};

}  // namespace zel::ui
