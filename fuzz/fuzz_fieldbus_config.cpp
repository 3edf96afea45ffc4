// "CR.CFG" comes from an outside configuration tool and may be any length or content:
// reading it and judging fieldbus operands against it must never crash.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "stl/lang/fieldbus_config.h"

namespace {

using namespace zel::stl;

const char* const kOperands[] = {"E1.0.0",  "E1.15.15", "A99.0.7", "A99.15.8", "EW1.0",
                                 "AW99.15", "EW50.7",   "A0.0",    "EW3"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto config = FieldbusConfig::FromBytes(bytes);
  if (config.state() == FieldbusConfig::State::Ready && size != kFieldbusConfigSize) std::abort();
  for (const char* text : kOperands) {
    Operand operand;
    if (!StoredToDisplay(text, operand)) std::abort();
    (void)config.accepts(operand);
  }
  FieldbusCheck check([&bytes] { return std::optional<std::string>(bytes); });
  Operand first;
  StoredToDisplay("E1.0.0", first);
  (void)check.check(first);
  (void)check.check(first);
  return 0;
}
