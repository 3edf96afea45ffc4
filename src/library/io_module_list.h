#pragma once
// The IO module scripts of one controller type: every "*.iod" of its run-time library
// folder that parses, in folder order. The project holds one while it is open.

#include <filesystem>
#include <string_view>
#include <vector>

#include "library/io_module_script.h"

namespace zel::library {

class IoModuleList {
 public:
  IoModuleList() = default;
  explicit IoModuleList(std::vector<IoModuleScript> modules) : m_modules(std::move(modules)) {}

  std::size_t count() const { return m_modules.size(); }
  const IoModuleScript& at(std::size_t i) const { return m_modules.at(i); }
  const std::vector<IoModuleScript>& modules() const { return m_modules; }
  // By file name, ignoring case; nullptr when not installed.
  const IoModuleScript* find(std::string_view fileName) const;
  void clear() { m_modules.clear(); }

 private:
  std::vector<IoModuleScript> m_modules;
};

// Reads every "*.iod" of `folder` (names without regard to case). A file that cannot be
// read shows "'%s'\n\nFailed to open the file.", one that does not parse shows
// "'%s'\n\nInvalid IOD file format." (the file's path); both are left out.
IoModuleList LoadIoModulesFrom(const std::filesystem::path& folder);
// Every "*.iod" of the type's run-time library folder in `programDirectory`.
IoModuleList LoadIoModules(const std::filesystem::path& programDirectory, std::string_view type);

}  // namespace zel::library
