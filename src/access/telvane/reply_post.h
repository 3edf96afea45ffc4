#pragma once
// Posting an answer to whoever sent the command: message "ZEL4CIWindowMsg" with
// wParam = (status << 16) + atom of the reply text and lParam = the command's tag.

#include <cstdint>
#include <string_view>

#include "platform/messages.h"

namespace zel::telvane {

// ReplyStatus: the high 16 bits of wParam.
enum ReplyStatus : int { kReply = 0, kErrorReply = 1, kTimeout = 2, kConnectionLost = 4 };

inline constexpr std::string_view kReplyMessageName = "ZEL4CIWindowMsg";
platform::MessageId ReplyMessage();

// The text goes into a local atom (a single blank for an empty text, cut at 255
// characters). To the thread when one is given, else to the target if it still exists.
// An atom that reaches nobody is deleted here. Returns whether the message was posted.
bool PostReply(platform::TargetId target, platform::ThreadId thread, int status,
               std::string_view text, std::int32_t tag);
// A binary read block: wParam exactly 1, no atom; the data wait in the binary buffer.
bool PostBinaryRead(platform::TargetId target, platform::ThreadId thread, std::int32_t tag);

}  // namespace zel::telvane
