#pragma once
// The installed drivers of one controller type: every "*.dmk" of the type's run-time
// folder with name, number, uses and description. The open project keeps one for its
// type (see project_scripts.h); the library dialog loads one per shown type.

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

#include "library/driver_script.h"

namespace zel::library {

class DriverList {
 public:
  // Replaces the list by the scripts of `type` in `programDirectory`, sorted by name.
  void load(const fs::path& programDirectory, std::string_view type);
  void clear() { m_drivers.clear(); }

  std::size_t count() const { return m_drivers.size(); }
  const DriverInfo& at(std::size_t index) const { return m_drivers.at(index); }
  const std::vector<DriverInfo>& drivers() const { return m_drivers; }
  // By name, ignoring case; null when not installed.
  const DriverInfo* find(std::string_view name) const;

 private:
  std::vector<DriverInfo> m_drivers;
};

}  // namespace zel::library
