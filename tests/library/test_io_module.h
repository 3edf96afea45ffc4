#pragma once
// An IO module script as the library would have read it, for tests that need a list of
// modules without script files.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "library/io_module_script.h"

namespace zel::library::testing {

inline IoModuleScript TestModule(std::string file, std::string name, int iwSize, int owSize, int in,
                                 int out, const std::vector<std::uint32_t>& addresses) {
  IoModuleScript m;
  m.fileName = std::move(file);
  m.displayName = std::move(name);
  m.iwSize = iwSize;
  m.owSize = owSize;
  m.in = in;
  m.out = out;
  for (std::size_t i = 0; i < addresses.size(); ++i) m.switchAddresses[i] = addresses[i];
  return m;
}

}  // namespace zel::library::testing
