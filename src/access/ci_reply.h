#pragma once
// Reading the reply message "ZEL4CIWindowMsg" that the access library posts for every
// command: wParam = (status << 16) + atom of the local atom table holding the reply text,
// lParam = the command's tag. A binary read reply carries wParam exactly 1 and no atom;
// its data is fetched from the link.

#include <cstdint>
#include <optional>
#include <string>

#include "platform/messages.h"

namespace zel::access {

enum class ReplyStatus : std::uint16_t {
  Reply = 0,
  ErrorReply = 1,
  Timeout = 2,
  ConnectionLost = 4,
};

struct CiReply {
  ReplyStatus status = ReplyStatus::Reply;
  std::string text;  // " " for an empty reply, as the library stores it
  std::int32_t tag = 0;
  bool binaryRead = false;  // the data waits in the link's binary receive buffer
  bool textLost = false;    // the atom was unknown: the text could not be read
};

// The reply carried by `message` when it is the library's reply message `replyMessage`;
// its atom is read and deleted, so each message may be taken once only.
std::optional<CiReply> TakeCiReply(const platform::Message& message, std::int32_t replyMessage);

// "reply", "error reply", "time-out", "connection lost"; the number for anything else.
std::string ReplyStatusText(ReplyStatus status);

}  // namespace zel::access
