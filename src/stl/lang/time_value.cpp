#include "stl/lang/time_value.h"

#include "stl/lang/stored_form.h"

namespace zel::stl {
namespace {

constexpr long kTenThousandthsPerHundredth = 100;
constexpr long kMaxTenThousandths = kMaxTimeHundredths * kTenThousandthsPerHundredth;

}  // namespace

std::optional<long> ParseTimeValue(std::string_view text) {
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  if (fraction.size() > kMaxTimeDecimals) return std::nullopt;
  long value = 0;
  for (char c : whole) {
    if (!stored::IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value * 10000 > kMaxTenThousandths) return std::nullopt;
  }
  long scale = 1000;
  value *= 10000;
  for (char c : fraction) {
    if (!stored::IsDigit(c)) return std::nullopt;
    value += (c - '0') * scale;
    scale /= 10;
  }
  if (value > kMaxTenThousandths) return std::nullopt;
  return value;
}

}  // namespace zel::stl
