// Display commands: "D" with one operand, a list of operands ("DZ5,ZV5,ZW5") or a range
// ("DEW10-", sixteen words from 10 on), and the special forms "DP", "DTS", "DF" and the
// module status of CMPs and CFMs ("DB" n, "DF" n).

#include <cstdio>

#include "tools/kzcsim/ci_interpreter.h"
#include "tools/kzcsim/ci_text.h"
#include "tools/kzcsim/operand_ref.h"

namespace zel::kzcsim {

namespace {

// Words a range reply carries: more than any page of the environment reads at once.
constexpr unsigned kRangeWords = 16;

Reply Operands(Controller& c, std::string_view args) {
  std::string reply;
  std::string_view rest = args;
  bool list = false;
  while (true) {
    const auto ref = TakeOperand(rest, c.memory());
    if (!ref) return Reply::Fail(reason::kOperand);
    if (TakePrefix(rest, "-")) {
      std::optional<OperandRef> at = ref;
      for (unsigned i = 0; at && i < kRangeWords; ++i, at = NextOperand(c.memory(), *at)) {
        reply += "=" + c.Value(ReadOperand(c.memory(), *at));
      }
    } else {
      reply += "=" + c.Value(ReadOperand(c.memory(), *ref));
    }
    if (reply.size() >= kMaxReply) return Reply::Fail(reason::kReplyTooLong);
    if (rest.empty()) break;
    if (!TakePrefix(rest, ",")) return Reply::Fail(reason::kSyntax);
    list = true;
  }
  // A list ends with a comma, as the counter rows read it.
  if (list) reply += ",";
  return Reply::Ok(reply);
}

std::optional<unsigned> Number(std::string_view args, unsigned max) {
  const auto number = TakeUnsigned(args, max);
  if (!number || !Trim(args).empty()) return std::nullopt;
  return *number;
}

Reply ProgramStatus(Controller& c, std::string_view args) {
  const auto n = Number(args, kPrograms - 1);
  if (!n) return Reply::Fail(reason::kSyntax);
  const Program& p = c.memory().programs[*n];
  char text[64];
  std::snprintf(text, sizeof text, "=%u,0,%u,%u,%u,%u", *n, static_cast<unsigned>(p.state), p.step,
                p.module, p.moduleStep);
  return Reply::Ok(text);
}

// CMPs and CFMs run only when called; between cycles they are always inactive.
Reply ModuleStatus(Controller&, std::string_view args) {
  const auto n = Number(args, kModules - 1);
  if (!n) return Reply::Fail(reason::kSyntax);
  return Reply::Ok("=" + std::to_string(*n) + ",0,0,0");
}

Reply TimerStatus(Controller& c, std::string_view args) {
  const auto n = Number(args, kTimers - 1);
  if (!n) return Reply::Fail(reason::kSyntax);
  const SimTimer& t = c.memory().timers[*n];
  char text[48];
  std::snprintf(text, sizeof text, "=$%04X,%u,%u,0", t.StatusWord(), t.preset(), t.value());
  return Reply::Ok(text);
}

Reply ErrorWord(Controller& c, std::string_view) {
  return Reply::Ok("=" + std::to_string(c.memory().error) + ",0,0,");
}

// "D" + operand for the letters that also begin the special forms.
Reply OperandsWithName(Controller& c, std::string_view args, std::string_view letters) {
  return Operands(c, std::string(letters) + std::string(args));
}
Reply ProgramStopped(Controller& c, std::string_view args) {
  return OperandsWithName(c, args, "PS");
}
Reply ErrorOperand(Controller& c, std::string_view args) {
  return OperandsWithName(c, args, "FW");
}

}  // namespace

void AddDisplayCommands(Interpreter& ci) {
  using M = Command::Match;
  using N = Command::Needs;
  ci.Add({"D", M::Prefix, N::Nothing, Operands});
  ci.Add({"DP", M::Prefix, N::Nothing, ProgramStatus});
  ci.Add({"DPS", M::Prefix, N::Nothing, ProgramStopped});
  ci.Add({"DB", M::Prefix, N::Nothing, ModuleStatus});
  ci.Add({"DF", M::Prefix, N::Nothing, ModuleStatus});
  ci.Add({"DF", M::Exact, N::Nothing, ErrorWord});
  ci.Add({"DFW", M::Prefix, N::Nothing, ErrorOperand});
  ci.Add({"DTS", M::Prefix, N::Nothing, TimerStatus});
}

}  // namespace zel::kzcsim
