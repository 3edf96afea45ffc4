// Program files are typed by hand, converted by the editor, copied from old projects and
// damaged by other tools: both checking passes must take any bytes without a crash or a
// hang, and what they write must keep its shape (one line break per source line).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "stl/check/check_output.h"
#include "stl/check/syntax_check.h"
#include "stl/lang/fieldbus_config.h"

namespace {

using namespace zel::stl;

void Check(bool condition) {
  if (!condition) std::abort();
}

const AllocationList& Symbols() {
  static const AllocationList list = [] {
    AllocationList symbols;
    const std::pair<std::string_view, std::string_view> entries[] = {
        {"E0.0", "START"}, {"A0.0", "PUMP"}, {"T1", "DELAY"},  {"MW10", "LEVEL"},
        {"E1.0.3", "BUS"}, {"c5", "VALVE"},  {"@$FF", "MASK"},
    };
    for (const auto& [stored, symbol] : entries) {
      AllocationEntry entry;
      if (!StoredToDisplay(stored, entry.operand)) std::abort();
      entry.symbol = symbol;
      symbols.append(entry);
    }
    return symbols;
  }();
  return list;
}

std::string FieldbusBytes() {
  std::string bytes(kFieldbusConfigSize, '\0');
  bytes[1 * kFieldbusRecordSize] = 0x01;
  bytes[1 * kFieldbusRecordSize + 3] = 2;
  bytes[1 * kFieldbusRecordSize + 6] = 2;
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the module kind and whether a configuration exists.
  const std::uint8_t mode = data[0];
  const std::string_view program(reinterpret_cast<const char*>(data) + 1, size - 1);
  CheckSetup setup;
  setup.program = program;
  setup.module = (mode & 1) ? "CZ0F20V1" : "CZ0P05V1";
  setup.symbols = (mode & 2) ? &Symbols() : nullptr;
  setup.readFieldbusConfig = [mode]() -> std::optional<std::string> {
    if (mode & 4) return std::nullopt;
    return (mode & 8) ? std::string("short") : FieldbusBytes();
  };
  MessageLines messages(setup.module);
  const CheckResult result = RunSyntaxCheck(setup, messages);
  Check(result.errors >= 0 && result.lines >= 0);
  if (result.passTwoRan) {
    const auto breaks =
        std::count(result.output.intermediate.begin(), result.output.intermediate.end(), '\n');
    Check(breaks == result.lines);
  }
  const std::string& text = messages.text();
  Check(text.empty() || text.ends_with("\r\n"));
  return 0;
}
