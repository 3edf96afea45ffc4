// Commands of the controller's drivers, addressed "!" + driver number: the fieldbus
// ("!0FC" count, "!0FN" next slave, "!0FI" scan, "!0FA" assign) and the strings driver
// ("!3S" count, "!3D" n read, "!3M" n "=" text write).

#include <cstdio>

#include "tools/kzcsim/ci_interpreter.h"
#include "tools/kzcsim/ci_text.h"

namespace zel::kzcsim {

namespace {

Reply SlaveCount(Controller& c, std::string_view) {
  c.slaveCursor() = 0;
  return Reply::Ok("=" + std::to_string(c.memory().slaves.size()));
}

// "= " address " " flags " " output words " " input words; after the last slave the
// listing starts again at the first.
Reply NextSlave(Controller& c, std::string_view) {
  const auto& slaves = c.memory().slaves;
  if (slaves.empty()) return Reply::Fail(reason::kRange);
  std::size_t& cursor = c.slaveCursor();
  if (cursor >= slaves.size()) cursor = 0;
  const FieldbusSlave& slave = slaves[cursor++];
  char text[64];
  std::snprintf(text, sizeof text, "= %u %u %zu %zu", slave.address, slave.flags,
                slave.outputs.size(), slave.inputs.size());
  return Reply::Ok(text);
}

// Scanning or assigning the configuration resets every output of the bus.
Reply InitialiseBus(Controller& c, std::string_view) {
  c.memory().ResetBusOutputs();
  return SlaveCount(c, {});
}

// The count from the ninth character on.
Reply StringCount(Controller& c, std::string_view) {
  return Reply::Ok("Strings:" + std::to_string(c.memory().strings.size()));
}

std::optional<std::size_t> StringNumber(Controller& c, std::string_view& args) {
  const auto n = TakeUnsigned(args, 0xFFFF);
  if (!n || *n >= c.memory().strings.size()) return std::nullopt;
  return *n;
}

Reply ReadString(Controller& c, std::string_view args) {
  const auto n = StringNumber(c, args);
  if (!n || !Trim(args).empty()) return Reply::Fail(reason::kRange);
  return Reply::Ok("=\"" + c.memory().strings[*n] + "\"");
}

Reply WriteString(Controller& c, std::string_view args) {
  const auto n = StringNumber(c, args);
  if (!n) return Reply::Fail(reason::kRange);
  if (!TakePrefix(args, "=")) return Reply::Fail(reason::kSyntax);
  if (args.size() > kMaxStringText) return Reply::Fail(reason::kTooLong);
  for (unsigned char ch : args) {
    if (ch < 0x20 || ch == 0x7F) return Reply::Fail(reason::kSyntax);
  }
  c.memory().strings[*n] = std::string(args);
  return Reply::Ok();
}

}  // namespace

void AddDriverCommands(Interpreter& ci) {
  using M = Command::Match;
  using N = Command::Needs;
  ci.Add({"!0FC", M::Exact, N::Nothing, SlaveCount});
  ci.Add({"!0FN", M::Exact, N::Nothing, NextSlave});
  ci.Add({"!0FI", M::Exact, N::Unlocked, InitialiseBus});
  ci.Add({"!0FA", M::Exact, N::Unlocked, InitialiseBus});
  ci.Add({"!3S", M::Exact, N::Nothing, StringCount});
  ci.Add({"!3D", M::Prefix, N::Nothing, ReadString});
  ci.Add({"!3M", M::Prefix, N::Unlocked, WriteString});
}

}  // namespace zel::kzcsim
