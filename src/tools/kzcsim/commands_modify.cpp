// Modify commands: "M" + operand "=" value for every writable operand ("MEW3=5",
// "MM10.2=1", "MZV4=100", "MO2.33=7"), the force forms "MEF", "MAF", "MEWF", "MAWF"
// ("N" removes a force), and the timer starts "MT", "MTE", "MTA".

#include "tools/kzcsim/ci_interpreter.h"
#include "tools/kzcsim/ci_text.h"
#include "tools/kzcsim/operand_ref.h"

namespace zel::kzcsim {

namespace {

struct Assignment {
  OperandRef ref;
  std::string_view value;
};

// `letters` + args must read operand "=" value.
std::optional<Assignment> Split(Controller& c, std::string_view letters, std::string_view args,
                                std::string& storage) {
  storage = std::string(letters) + std::string(args);
  std::string_view rest = storage;
  const auto ref = TakeOperand(rest, c.memory());
  if (!ref || !TakePrefix(rest, "=")) return std::nullopt;
  return Assignment{*ref, rest};
}

Reply Assign(Controller& c, std::string_view letters, std::string_view args) {
  std::string storage;
  const auto assignment = Split(c, letters, args, storage);
  if (!assignment) return Reply::Fail(reason::kOperand);
  std::optional<std::uint16_t> value;
  if (IsBitOperand(assignment->ref)) {
    const auto bit = ParseBit(assignment->value);
    if (bit) value = *bit ? 1 : 0;
  } else {
    value = ParseWord(assignment->value);
  }
  if (!value) return Reply::Fail(reason::kSyntax);
  if (!WriteOperand(c.memory(), assignment->ref, *value)) return Reply::Fail(reason::kReadOnly);
  return Reply::Ok();
}

Reply Generic(Controller& c, std::string_view args) {
  return Assign(c, "", args);
}
Reply TimerPreset(Controller& c, std::string_view args) {
  return Assign(c, "TV", args);
}
Reply TimerValue(Controller& c, std::string_view args) {
  return Assign(c, "TW", args);
}

// `letters` names the input or output class; the operand must be a bit for "MEF"/"MAF"
// and a word for "MEWF"/"MAWF".
Reply Force(Controller& c, std::string_view letters, std::string_view args, bool word) {
  if (!c.CanForce()) return Reply::Fail(reason::kNotSupported);
  std::string storage;
  const auto assignment = Split(c, letters, args, storage);
  if (!assignment || IsBitOperand(assignment->ref) == word) return Reply::Fail(reason::kOperand);
  ForcedWord* target = ForceableWord(c.memory(), assignment->ref);
  if (!target) return Reply::Fail(reason::kOperand);
  const auto bits =
      word ? std::uint16_t{0xFFFF} : static_cast<std::uint16_t>(1u << assignment->ref.bit);
  if (Trim(assignment->value) == "N" || Trim(assignment->value) == "n") {
    target->Unforce(bits);
    return Reply::Ok();
  }
  std::optional<std::uint16_t> value;
  if (word) {
    value = ParseWord(assignment->value);
  } else if (const auto bit = ParseBit(assignment->value)) {
    value = *bit ? bits : 0;
  }
  if (!value) return Reply::Fail(reason::kSyntax);
  target->Force(bits, *value);
  return Reply::Ok();
}

Reply ForceInputBit(Controller& c, std::string_view a) {
  return Force(c, "E", a, false);
}
Reply ForceOutputBit(Controller& c, std::string_view a) {
  return Force(c, "A", a, false);
}
Reply ForceInputWord(Controller& c, std::string_view a) {
  return Force(c, "EW", a, true);
}
Reply ForceOutputWord(Controller& c, std::string_view a) {
  return Force(c, "AW", a, true);
}

// n "=1" starts the timer in `mode`; "MT" n "=0" stops it.
Reply StartTimer(Controller& c, std::string_view args, TimerMode mode) {
  const auto n = TakeUnsigned(args, kTimers - 1);
  if (!n || !TakePrefix(args, "=")) return Reply::Fail(reason::kSyntax);
  const auto on = ParseBit(args);
  if (!on) return Reply::Fail(reason::kSyntax);
  SimTimer& timer = c.memory().timers[*n];
  if (*on) {
    timer.Start(mode, c.Now());
  } else {
    timer.Stop();
  }
  return Reply::Ok();
}

Reply PulseTimer(Controller& c, std::string_view a) {
  return StartTimer(c, a, TimerMode::Pulse);
}
Reply OnDelay(Controller& c, std::string_view a) {
  return StartTimer(c, a, TimerMode::OnDelay);
}
Reply OffDelay(Controller& c, std::string_view a) {
  return StartTimer(c, a, TimerMode::OffDelay);
}

}  // namespace

void AddModifyCommands(Interpreter& ci) {
  using M = Command::Match;
  using N = Command::Needs;
  ci.Add({"M", M::Prefix, N::Unlocked, Generic});
  ci.Add({"MEF", M::Prefix, N::Unlocked, ForceInputBit});
  ci.Add({"MAF", M::Prefix, N::Unlocked, ForceOutputBit});
  ci.Add({"MEWF", M::Prefix, N::Unlocked, ForceInputWord});
  ci.Add({"MAWF", M::Prefix, N::Unlocked, ForceOutputWord});
  ci.Add({"MT", M::Prefix, N::Unlocked, PulseTimer});
  ci.Add({"MTE", M::Prefix, N::Unlocked, OnDelay});
  ci.Add({"MTA", M::Prefix, N::Unlocked, OffDelay});
  ci.Add({"MTV", M::Prefix, N::Unlocked, TimerPreset});
  ci.Add({"MTW", M::Prefix, N::Unlocked, TimerValue});
}

}  // namespace zel::kzcsim
