#include "ui/frame/message_pump.h"

#include "platform/messages.h"

namespace zel::ui {

MessagePump::MessagePump(QObject* parent) : QObject(parent), m_link(std::make_shared<Link>()) {
  m_link->pump = this;
  std::weak_ptr<Link> weak = m_link;
  platform::SetWakeupHook([weak] {
    const auto link = weak.lock();
    if (!link) return;
    // One pending wake-up is enough: the pump takes everything queued by then.
    if (link->scheduled.exchange(true)) return;
    std::lock_guard guard(link->mutex);
    if (link->pump) {
      QMetaObject::invokeMethod(link->pump, &MessagePump::pump, Qt::QueuedConnection);
    }
  });
  // Anything queued before the hook existed would otherwise wait for the next post.
  m_link->scheduled = true;
  QMetaObject::invokeMethod(this, &MessagePump::pump, Qt::QueuedConnection);
}

MessagePump::~MessagePump() {
  platform::SetWakeupHook(nullptr);
  std::lock_guard guard(m_link->mutex);
  m_link->pump = nullptr;
}

void MessagePump::pump() {
  m_link->scheduled = false;
  platform::PumpMessages();
}

}  // namespace zel::ui
