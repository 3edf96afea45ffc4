#pragma once
// What the timer service needs from the queues beyond the public posting calls: a tick is
// only queued when the previous one has been taken, a killed timer leaves no tick
// behind, and the receiver's wake-up hook is called once the service holds no lock.

#include <cstddef>
#include <functional>
#include <memory>

#include "platform/messages.h"

namespace zel::platform::detail {

enum class PostOutcome { Posted, AlreadyPending, QueueFull, NoTarget };

// The wake-up hook a post owes the receiving thread; empty when it has none.
using WakeUp = std::shared_ptr<const std::function<void()>>;

// Posts unless a message with the same target, id and wParam still waits in the queue.
// Does not wake the receiver: on Posted, `wakeUp` holds the hook for the caller to call
// through CallWakeUp once it has released its own locks.
PostOutcome PostUnlessPending(TargetId target, MessageId id, WParam wParam, LParam lParam,
                              WakeUp& wakeUp);
void CallWakeUp(const WakeUp& wakeUp);

// Drops waiting messages with this target, id and wParam; returns how many went.
std::size_t RemovePending(TargetId target, MessageId id, WParam wParam);

}  // namespace zel::platform::detail
