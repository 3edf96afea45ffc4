// The control line of a driver option: any line must parse into a key, a default, a type
// and its range without a crash, and any value must be checked against it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "library/driver_option.h"

namespace {

using namespace zel::library;

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  // The first line is the control line, the rest a value to check against it.
  const std::size_t newline = input.find('\n');
  const std::string_view line = input.substr(0, newline);
  const std::string_view value =
      newline == std::string_view::npos ? std::string_view{} : input.substr(newline + 1);
  const auto option = ParseOptionControl(line);
  if (!option) return 0;
  Check(option->key.find(' ') == std::string::npos);
  if (option->minLength) Check(*option->minLength >= 0 && option->maxLength.has_value());
  if (option->type == OptionType::Drive && option->hasRange) Check(option->choices.empty());
  const auto message = CheckOptionValue(*option, value);
  if (option->type == OptionType::YesNo || option->type == OptionType::Other) {
    Check(!message.has_value());
  }
  (void)IsYes(value);
  return 0;
}
