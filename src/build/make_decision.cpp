#include "build/make_decision.h"

#include "platform/timebase.h"

namespace zel::build {

bool NeedsCompile(BuildMode mode, const ModuleTimes& times) {
  if (mode == BuildMode::Build) return true;
  const std::int64_t stale = times.object + platform::kFreshnessSlackSeconds;
  return times.allocationList >= stale || times.source >= stale;
}

}  // namespace zel::build
