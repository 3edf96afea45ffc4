#pragma once
// What the timer service needs from the queues beyond the public posting calls: a tick is
// only queued when the previous one has been taken, and a killed timer leaves no tick
// behind.

#include <cstddef>

#include "platform/messages.h"

namespace zel::platform::detail {

enum class PostOutcome { Posted, AlreadyPending, QueueFull, NoTarget };

// Posts unless a message with the same target, id and wParam still waits in the queue.
PostOutcome PostUnlessPending(TargetId target, MessageId id, WParam wParam, LParam lParam);

// Drops waiting messages with this target, id and wParam; returns how many went.
std::size_t RemovePending(TargetId target, MessageId id, WParam wParam);

}  // namespace zel::platform::detail
