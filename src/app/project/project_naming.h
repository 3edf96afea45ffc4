#pragma once
// What a project name may be. A name is the project's directory below the project
// directory, so it must never lead out of it, whatever path a caller hands in.

#include <cstddef>
#include <optional>
#include <string_view>

namespace zel::app {

inline constexpr std::size_t kMaxProjectNameLength = 8;

// One plain directory entry: not empty, not "." or "..", no separator of either platform
// and no control character.
bool IsSafeDirectoryName(std::string_view name);

// The message that refuses `name` for a new or renamed project, nullopt when it will do.
std::optional<std::string_view> CheckNewProjectName(std::string_view name);

}  // namespace zel::app
