#pragma once
// The drivers of a build: the project's driver list read script by script into at most
// kMaxDrivers entries, then put in the order the controller must start them.

#include <string>
#include <vector>

#include "build/build_log.h"
#include "build/driver_entry.h"
#include "build/driver_replacements.h"
#include "build/runtime_mode.h"

namespace zel::build {

// The names of the project's driver section ("<type>_DRV", "DRV_0" ... up to the first
// empty one).
std::vector<std::string> ReadDriverNames(const DriverContext& context);

// Includes each named driver (a missing script is not taken); a name after the tenth
// driver taken is an error and ends the walk. The drivers taken are sorted.
std::vector<DriverEntry> IncludeDrivers(const std::vector<std::string>& names,
                                        const DriverContext& context, RuntimeMode& mode,
                                        BuildLog& log);

}  // namespace zel::build
