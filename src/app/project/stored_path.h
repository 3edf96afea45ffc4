#pragma once
// Local paths kept in files: written with "/", read with either separator, so files
// written on the other platform still open. Relative paths count from a base directory.

#include <filesystem>
#include <string>
#include <string_view>

namespace zel::app {

// "\" becomes "/".
std::string WithForwardSlashes(std::string_view text);
// The absolute, normalised path a stored text names (empty for an empty text); existing
// components are spelled as on disk, whatever case the text used.
std::filesystem::path AbsoluteStoredPath(std::string_view stored,
                                         const std::filesystem::path& base);

}  // namespace zel::app
