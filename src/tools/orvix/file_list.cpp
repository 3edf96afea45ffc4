#include "tools/orvix/file_list.h"

#include <algorithm>
#include <system_error>

#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::orvix {

FileList FileList::of(const std::filesystem::path& dir) {
  std::vector<std::string> names;
  for (const auto& entry : platform::ListDirectory(dir)) {
    // Regular files only: reading a FIFO or a device for the copy would never end.
    std::error_code error;
    if (std::filesystem::is_regular_file(dir / entry.name, error)) names.push_back(entry.name);
  }
  return FileList(std::move(names));
}

bool FileList::contains(std::string_view name) const {
  return std::any_of(m_names.begin(), m_names.end(),
                     [&](const std::string& n) { return platform::EqualsNoCase(n, name); });
}

bool FileList::take(std::string_view name) {
  const auto before = m_names.size();
  std::erase_if(m_names, [&](const std::string& n) { return platform::EqualsNoCase(n, name); });
  return m_names.size() != before;
}

void FileList::takeIf(const std::function<bool(std::string_view)>& match) {
  std::erase_if(m_names, [&](const std::string& n) { return match(n); });
}

std::string_view ExtensionOf(std::string_view name) {
  const auto dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  return name.substr(dot + 1);
}

}  // namespace zel::orvix
