#include "build/driver_table.h"

#include "build/driver_order.h"
#include "library/driver_config.h"

namespace zel::build {

std::vector<std::string> ReadDriverNames(const DriverContext& context) {
  return library::ReadConfiguredDriverNames(app::ProjectFile(context.projectFile), context.type);
}

std::vector<DriverEntry> IncludeDrivers(const std::vector<std::string>& names,
                                        const DriverContext& context, RuntimeMode& mode,
                                        BuildLog& log) {
  std::vector<DriverEntry> drivers;
  for (const std::string& name : names) {
    if (drivers.size() >= kMaxDrivers) {
      log.error("ERROR: Too many drivers. A maximum number of " + std::to_string(kMaxDrivers) +
                " drivers is possible per project.\r\n");
      break;
    }
    if (std::optional<DriverEntry> driver = IncludeDriver(name, context, mode, log)) {
      drivers.push_back(std::move(*driver));
    }
  }
  SortDrivers(drivers, log);
  return drivers;
}

}  // namespace zel::build
