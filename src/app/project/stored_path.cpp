#include "app/project/stored_path.h"

#include <algorithm>

#include "platform/files.h"

namespace zel::app {

std::string WithForwardSlashes(std::string_view text) {
  std::string result(text);
  std::replace(result.begin(), result.end(), '\\', '/');
  return result;
}

std::filesystem::path AbsoluteStoredPath(std::string_view stored,
                                         const std::filesystem::path& base) {
  if (stored.empty()) return {};
  std::filesystem::path path(WithForwardSlashes(stored));
  if (path.is_relative()) path = base / path;
  path = path.lexically_normal();
  // "Projects/" and "Projects" name one directory; keep the form without the separator.
  if (!path.has_filename() && path.has_parent_path() && path != path.root_path()) {
    path = path.parent_path();
  }
  return platform::ResolvePathNoCase(path);
}

}  // namespace zel::app
