#include "access/value_display.h"

#include <cstdio>

namespace zel::access {

std::string FormatWord(std::int64_t value, WordDisplay mode, bool dollar) {
  const auto word = static_cast<std::uint16_t>(value);
  char buffer[16] = {};
  switch (mode) {
    case WordDisplay::Signed:
      std::snprintf(buffer, sizeof buffer, "%hd", static_cast<short>(word));
      break;
    case WordDisplay::Unsigned:
      std::snprintf(buffer, sizeof buffer, "%hu", static_cast<unsigned short>(word));
      break;
    case WordDisplay::Hex:
      std::snprintf(buffer, sizeof buffer, dollar ? "$%04hX" : "%04hX",
                    static_cast<unsigned short>(word));
      break;
  }
  return buffer;
}

std::string FormatHundredths(std::int64_t hundredths) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(hundredths) / 100.0);
  return buffer;
}

}  // namespace zel::access
