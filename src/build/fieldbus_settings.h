#pragma once
// The fieldbus driver (number 0) tells the kernel, through the run-time mode block, where
// its interface card sits and how the bus runs. Its options live in the project's driver
// settings section like any driver's.

#include <string_view>

#include "app/project/project_file.h"
#include "build/build_log.h"
#include "build/runtime_mode.h"

namespace zel::build {

inline constexpr std::string_view kKeyFieldbusSwitch = "CP61SWPOS";
inline constexpr std::string_view kKeyFieldbusInterrupt = "FBINTNUM";
inline constexpr std::string_view kKeyFieldbusBaud = "FBBAUD";
inline constexpr std::string_view kKeyFieldbusSoftErrors = "SOFTERR";
inline constexpr std::string_view kKeyFieldbusNominal = "NOMINALCONFIG";
inline constexpr int kDefaultFieldbusSwitch = 5;

// Sets the fieldbus bit and reads the settings of `section` (defaults for absent keys:
// switch 5, interrupt 0, baud code 0, no soft errors, no nominal configuration). A number
// that is not decimal or does not fit 16 bits is an error; the field keeps its default.
void ApplyFieldbusSettings(const app::ProjectFile& project, std::string_view section,
                           RuntimeMode& mode, BuildLog& log);

}  // namespace zel::build
