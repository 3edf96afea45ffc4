// Identity, log-in and the line: "L?", "LX", "LC", "LB", "MV=", "L_BOOT", "LP", "LE",
// "L_FLASH" and the disconnect "x".

#include <cstdio>

#include "platform/no_case.h"
#include "tools/kzcsim/ci_interpreter.h"
#include "tools/kzcsim/ci_text.h"

namespace zel::kzcsim {

namespace {

// The PC side asks for passwords in 30-byte buffers.
constexpr std::size_t kMaxPassword = 29;

bool IsPasswordText(std::string_view text) {
  if (text.size() > kMaxPassword) return false;
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F || c == ',') return false;
  }
  return true;
}

Reply Identity(Controller& c, std::string_view) {
  char flags[8];
  std::snprintf(flags, sizeof flags, "$%04X", c.Flags());
  return Reply::Ok(c.config().platform + "," + flags + "," + c.project() + "," + c.runFile() + ",");
}

// "LX" unlocks when no password is set, "LX," locks, "LX" + password unlocks with it.
// A wrong password is no error: the controller just stays locked, and says so in "L?".
Reply Unlock(Controller& c, std::string_view args) {
  if (args == ",") {
    c.setLocked(true);
    return Reply::Ok("=1");
  }
  if (c.password().empty() || args == c.password()) {
    c.setLocked(false);
    return Reply::Ok("=1");
  }
  return Reply::Ok("=0");
}

Reply ChangeTo(Controller& c, std::string_view oldPassword, std::string_view newPassword) {
  if (!IsPasswordText(newPassword)) return Reply::Fail(reason::kSyntax);
  if (oldPassword != c.password()) return Reply::Fail(reason::kPassword);
  c.setPassword(std::string(newPassword));
  if (newPassword.empty()) c.setLocked(false);
  return Reply::Ok();
}

// "LC" old "," new; a bare "LC" asks for both on lines of their own.
Reply ChangePassword(Controller& c, std::string_view args) {
  if (args.empty()) {
    c.continuation() = [](Controller& c, std::string_view oldPassword) {
      if (!IsPasswordText(oldPassword)) return Reply::Fail(reason::kSyntax);
      std::string kept(oldPassword);
      c.continuation() = [kept](Controller& c, std::string_view newPassword) {
        return ChangeTo(c, kept, newPassword);
      };
      return Reply::More("New password");
    };
    return Reply::More("Old password");
  }
  const auto comma = args.find(',');
  if (comma == std::string_view::npos) return Reply::Fail(reason::kSyntax);
  return ChangeTo(c, args.substr(0, comma), args.substr(comma + 1));
}

Reply BuildDate(Controller& c, std::string_view) {
  return Reply::Ok("=" + std::to_string(c.buildDate()));
}

// 57600 is written 56000; the controller answers at the old rate, then switches.
Reply SetRate(Controller& c, std::string_view args) {
  std::string_view text = args;
  const auto rate = TakeUnsigned(text, 1'000'000);
  if (!rate || !text.empty() || !IsKnownRate(*rate)) return Reply::Fail(reason::kSyntax);
  Reply reply = c.config().silentRateChange ? Reply::None() : Reply::Ok();
  reply.switchRate = *rate == 56000 ? 57600 : *rate;
  return reply;
}

Reply Boot(Controller& c, std::string_view) {
  c.Reboot();
  Reply reply = Reply::None();
  reply.switchRate = c.rate();
  return reply;
}

Reply Goodbye(Controller& c, std::string_view) {
  c.EndSession();
  Reply reply = Reply::None();
  reply.switchRate = c.rate();
  return reply;
}

Reply FlashKind(Controller& c, std::string_view) {
  return Reply::Ok(c.config().flash ? "=1" : "=0");
}

// The file-system check is the one program the controller carries; it finds nothing.
Reply Execute(Controller&, std::string_view args) {
  const std::string line = Trim(args);
  if (!platform::StartsWithNoCase(line, "A:\\CHKFFS.EXE")) return Reply::Fail(reason::kNoFile);
  Reply reply = Reply::Ok("=0");
  reply.executing = true;
  return reply;
}

// "LP" + run file: the project named by the file is loaded (not run).
Reply LoadProject(Controller& c, std::string_view args) {
  const std::string name = Trim(args);
  const auto info = c.drives().Info(name);
  if (!info || !c.drives().Exists(name)) return Reply::Fail(reason::kNoFile);
  const auto dos = c.drives().Parse(name);
  std::string file = dos->parts.back();
  const std::string project = file.substr(0, file.find('.'));
  c.LoadProject(project, file, static_cast<std::uint32_t>(info->mtime));
  return Reply::Ok();
}

}  // namespace

void AddIdentityCommands(Interpreter& ci) {
  using M = Command::Match;
  using N = Command::Needs;
  ci.Add({"L?", M::Exact, N::Nothing, Identity});
  ci.Add({"LX", M::Prefix, N::Nothing, Unlock});
  ci.Add({"LC", M::Prefix, N::Nothing, ChangePassword});
  ci.Add({"LB", M::Exact, N::Nothing, BuildDate});
  ci.Add({"MV=", M::Prefix, N::Nothing, SetRate});
  ci.Add({"L_BOOT", M::Exact, N::Nothing, Boot});
  ci.Add({"x", M::Exact, N::Nothing, Goodbye});
  ci.Add({"L_FLASH", M::Exact, N::Nothing, FlashKind});
  ci.Add({"LE", M::Prefix, N::Unlocked, Execute});
  ci.Add({"LP", M::Prefix, N::Unlocked, LoadProject});
}

}  // namespace zel::kzcsim
