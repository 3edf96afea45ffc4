#include "access/telvane/reply_post.h"

#include "access/telvane/limits.h"
#include "platform/atoms.h"

namespace zel::telvane {
namespace {

bool Post(platform::TargetId target, platform::ThreadId thread, platform::WParam wParam,
          std::int32_t tag) {
  if (thread != 0) return platform::PostThreadMessageTo(thread, ReplyMessage(), wParam, tag);
  if (target != 0) return platform::PostMessageTo(target, ReplyMessage(), wParam, tag);
  return false;
}

}  // namespace

platform::MessageId ReplyMessage() {
  static const platform::MessageId id = platform::RegisterMessage(kReplyMessageName);
  return id;
}

bool PostReply(platform::TargetId target, platform::ThreadId thread, int status,
               std::string_view text, std::int32_t tag) {
  if (text.empty()) text = " ";
  text = text.substr(0, kReplyTextMaxLength);
  const platform::Atom atom = platform::AddAtom(platform::AtomTable::Local, text);
  if (atom == 0 && status == kReply) status = kErrorReply;
  const auto wParam = (static_cast<platform::WParam>(status) << 16) + atom;
  if (Post(target, thread, wParam, tag)) return true;
  if (atom != 0) platform::DeleteAtom(platform::AtomTable::Local, atom);
  return false;
}

bool PostBinaryRead(platform::TargetId target, platform::ThreadId thread, std::int32_t tag) {
  return Post(target, thread, 1, tag);
}

}  // namespace zel::telvane
