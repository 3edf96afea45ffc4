#pragma once
// Which device a serial port name stands for on this computer. The preferences file's
// section "SERIAL" may map a name to a device ("COM1=/dev/ttyUSB0"); without an entry
// "COMn" is the n-th standard serial device, /dev/ttyS(n-1).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/preferences/preferences.h"

namespace zel::app {

inline constexpr std::string_view kSectionSerial = "SERIAL";

// The device of "COM1" to "COM15" (without regard to case); empty for other names.
std::filesystem::path SerialDevicePath(const Preferences& preferences, std::string_view portName);

// The port names of ComPortCandidates whose device exists now, in number order.
std::vector<std::string> ExistingComPorts(const Preferences& preferences);

}  // namespace zel::app
