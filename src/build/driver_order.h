#pragma once
// The controller starts the drivers in the order of the build's driver table, so a driver
// must stand behind every driver it uses ("USESDRIVER": names or numbers separated by
// blanks, tabs or commas).

#include <vector>

#include "build/build_log.h"
#include "build/driver_entry.h"

namespace zel::build {

// Fills each driver's used numbers and names from its uses text. A token that names no
// driver of the table is an error, and the rest of that driver's text is not read.
void ResolveDriverUses(std::vector<DriverEntry>& drivers, BuildLog& log);

// Prints "sorting used Drivers" (when there are drivers), resolves the uses and reorders
// the table: a driver that uses one behind it moves to the end, until none does. Drivers
// that use each other cannot be sorted: an error, and the order reached is kept. False
// then.
bool SortDrivers(std::vector<DriverEntry>& drivers, BuildLog& log);

}  // namespace zel::build
