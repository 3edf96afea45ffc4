#pragma once
// "PRINT_MARGINS": "%ld,%ld,%ld,%ld" = left, right, top, bottom in millimetres.

#include <string>
#include <string_view>

namespace zel::app {

struct PrintMargins {
  long left = 20;
  long right = 8;
  long top = 8;
  long bottom = 8;
  bool operator==(const PrintMargins&) const = default;
};

// A value that does not give four numbers gives the defaults, all four of them.
PrintMargins ParsePrintMargins(std::string_view text);
std::string FormatPrintMargins(const PrintMargins& margins);

}  // namespace zel::app
