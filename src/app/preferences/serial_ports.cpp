#include "app/preferences/serial_ports.h"

#include <charconv>
#include <system_error>

#include "app/preferences/preference_checks.h"
#include "platform/no_case.h"
#include "platform/profile.h"

namespace zel::app {

namespace {

constexpr std::string_view kComPrefix = "COM";
constexpr std::string_view kStandardSerialDevice = "/dev/ttyS";

// 1 to kMaxComPortNumber, or 0 when the name is no COM port.
int ComPortNumber(std::string_view name) {
  if (name.size() <= kComPrefix.size() ||
      !platform::EqualsNoCase(name.substr(0, kComPrefix.size()), kComPrefix))
    return 0;
  const std::string_view digits = name.substr(kComPrefix.size());
  int number = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (ec != std::errc{} || end != digits.data() + digits.size()) return 0;
  return number >= 1 && number <= kMaxComPortNumber ? number : 0;
}

}  // namespace

std::filesystem::path SerialDevicePath(const Preferences& preferences, std::string_view portName) {
  const int number = ComPortNumber(portName);
  if (number == 0) return {};
  const std::string mapped =
      platform::ReadProfileString(preferences.file(), kSectionSerial, ComPortName(number), "");
  if (!mapped.empty()) return mapped;
  return std::string(kStandardSerialDevice) + std::to_string(number - 1);
}

std::vector<std::string> ExistingComPorts(const Preferences& preferences) {
  std::vector<std::string> ports;
  for (const auto& name : ComPortCandidates()) {
    std::error_code ec;
    if (std::filesystem::exists(SerialDevicePath(preferences, name), ec)) ports.push_back(name);
  }
  return ports;
}

}  // namespace zel::app
