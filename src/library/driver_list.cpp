#include "library/driver_list.h"

#include <string>

#include "library/runtime_folder.h"
#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::library {

void DriverList::load(const fs::path& programDirectory, std::string_view type) {
  m_drivers.clear();
  const fs::path dir = RuntimeDirectory(programDirectory, type);
  const std::string pattern = "*" + std::string(kDriverScriptExtension);
  for (const auto& entry : platform::ListDirectory(dir, pattern)) {
    if (entry.isDirectory) continue;
    m_drivers.push_back(ReadDriverInfo(dir / entry.name));
  }
}

const DriverInfo* DriverList::find(std::string_view name) const {
  for (const auto& driver : m_drivers) {
    if (platform::EqualsNoCase(driver.name, name)) return &driver;
  }
  return nullptr;
}

}  // namespace zel::library
