#pragma once
// One command for the controller as the library keeps it: who gets the answer, the bytes,
// the echo the controller will send back first, and how long to wait.

#include <cstdint>
#include <string>

#include "platform/messages.h"

namespace zel::telvane {

struct Command {
  platform::TargetId target = 0;
  platform::ThreadId thread = 0;  // when set, the answer goes to the thread, not the target
  std::int32_t tag = 0;
  std::string bytes;  // at most kCommandMaxLength
  std::string echo;   // at most kCommandMaxLength; empty: no echo awaited
  int timeoutMs = 0;
  // The second byte of a binary command ("%" + kind), 0 for a text command. Only the
  // binary exports set it, so text typed as "%..." is never waited on as binary data.
  char binaryKind = 0;
};

}  // namespace zel::telvane
