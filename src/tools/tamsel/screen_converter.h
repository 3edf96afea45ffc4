#pragma once
// Converts the text of a screen definition into the binary screen file, in memory.
// Lines end with LF or CR LF; the first failing line stops the conversion.

#include <optional>
#include <string>
#include <string_view>

#include "tools/tamsel/screen_fault.h"

namespace zel::tamsel {

struct ConversionFailure {
  unsigned line = 0;  // 1-based
  ScreenFault fault;
};

struct ConversionResult {
  std::string bytes;  // the whole binary file; empty on failure
  std::optional<ConversionFailure> failure;
  bool ok() const { return !failure; }
};

ConversionResult ConvertScreenDefinition(std::string_view text);

}  // namespace zel::tamsel
