// The drivers in use and their options.

#include "library/driver_config.h"
#include "platform/profile.h"
#include "tools/orvix/conversion_state.h"
#include "tools/orvix/orvix_messages.h"
#include "tools/orvix/safe_name.h"
#include "tools/orvix/type_files.h"
#include "tools/orvix/v3_records.h"

namespace zel::orvix {

namespace {

constexpr std::string_view kDriverBackup = "driver._d_";
// Option values of version 3 reach 399 characters.
constexpr std::size_t kOptionBufferSize = 400;

}  // namespace

void ConvertDrivers(ConversionState& state) {
  const TypeFiles& files = FilesFor(state.type);
  const auto data = state.readSource(files.drivers);
  const auto options = state.sourcePath(files.driverOptions);
  for (const auto& family : AllTypeFiles()) {
    state.files.take(family.drivers);
    state.files.take(family.driverOptions);
  }
  state.files.take(kDriverBackup);
  if (!data) return;
  const std::string listSection = library::DriverSectionName(state.typeName);
  int written = 0;
  for (const std::string& name : ReadDriverNames(*data)) {
    if (name.empty()) continue;
    if (!IsSafeV3Name(name)) {
      state.note(Format(kMsgUnsafeName, name));
      continue;
    }
    state.projectFile.set(listSection, "DRV_" + std::to_string(written++), name);
    if (!options) continue;
    const std::string section = library::DriverOptionsSectionName(state.typeName, name);
    for (const std::string& key : platform::ProfileKeys(*options, name)) {
      state.projectFile.set(
          section, key, platform::ReadProfileString(*options, name, key, "", kOptionBufferSize));
    }
  }
}

}  // namespace zel::orvix
