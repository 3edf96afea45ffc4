#pragma once
// Whether a build compiles a module: Build always does; Make only when the object file is
// out of date against its source or the allocation list, with the slack every freshness
// test allows (file times on some file systems are only even seconds).

#include <cstdint>

namespace zel::build {

enum class BuildMode { Make, Build };

// Times as platform::FileTime gives them: 0 for a file that is missing.
struct ModuleTimes {
  std::int64_t source = 0;
  std::int64_t object = 0;
  std::int64_t allocationList = 0;
};

bool NeedsCompile(BuildMode mode, const ModuleTimes& times);

}  // namespace zel::build
