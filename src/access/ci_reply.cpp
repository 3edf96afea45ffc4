#include "access/ci_reply.h"

#include "platform/atoms.h"

namespace zel::access {

std::optional<CiReply> TakeCiReply(const platform::Message& message, std::int32_t replyMessage) {
  if (replyMessage < 0 || message.id != static_cast<platform::MessageId>(replyMessage)) {
    return std::nullopt;
  }
  CiReply reply;
  reply.tag = static_cast<std::int32_t>(message.lParam);
  if (message.wParam == 1) {
    reply.binaryRead = true;
    return reply;
  }
  reply.status = static_cast<ReplyStatus>((message.wParam >> 16) & 0xFFFF);
  const auto atom = static_cast<platform::Atom>(message.wParam & 0xFFFF);
  if (atom != 0) {
    reply.text = platform::AtomName(platform::AtomTable::Local, atom);
    reply.textLost = !platform::DeleteAtom(platform::AtomTable::Local, atom);
  } else {
    reply.textLost = true;
  }
  return reply;
}

std::string ReplyStatusText(ReplyStatus status) {
  switch (status) {
    case ReplyStatus::Reply:
      return "reply";
    case ReplyStatus::ErrorReply:
      return "error reply";
    case ReplyStatus::Timeout:
      return "time-out";
    case ReplyStatus::ConnectionLost:
      return "connection lost";
  }
  return std::to_string(static_cast<int>(status));
}

}  // namespace zel::access
