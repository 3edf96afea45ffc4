#pragma once
// The link trace: with the environment variable ZEL_TRACE naming a file, every byte sent to
// and received from the controller is appended to it, one block per transfer:
//
//   123456789 us SEND udp-ci 5 bytes
//     44 45 57 30 2D                                       DEW0-
//
// Time is microseconds on the monotonic clock since the trace was opened; the direction is
// SEND or RECV; the transport serial, udp-ci or udp-file; bytes as hex, 16 per line, with
// their ASCII beside them ("." for anything not printable). Writes from every thread are
// serialised, and each block is flushed at once, so the trace survives a crash.

#include <string_view>

namespace zel::telvane {

enum class TraceDirection { Send, Receive };

// Reads ZEL_TRACE; called at each connection, so a trace can be switched per connection.
void OpenLinkTrace();
void CloseLinkTrace();
void TraceBytes(TraceDirection direction, std::string_view transport, std::string_view bytes);
// A line of its own, for events without bytes (a break, a rate change).
void TraceEvent(std::string_view transport, std::string_view event);

}  // namespace zel::telvane
