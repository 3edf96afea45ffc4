#include "app/preferences/print_margins.h"

#include <array>

#include "app/text/field_scanner.h"

namespace zel::app {

PrintMargins ParsePrintMargins(std::string_view text) {
  std::array<long long, 4> v{};
  if (ScanNumbers(text, ',', v) != v.size()) return {};
  for (const long long value : v) {
    if (!FitsInt(value)) return {};
  }
  return PrintMargins{static_cast<long>(v[0]), static_cast<long>(v[1]), static_cast<long>(v[2]),
                      static_cast<long>(v[3])};
}

std::string FormatPrintMargins(const PrintMargins& m) {
  return std::to_string(m.left) + "," + std::to_string(m.right) + "," + std::to_string(m.top) +
         "," + std::to_string(m.bottom);
}

}  // namespace zel::app
