#include "app/preferences/recent_projects.h"

#include <algorithm>

#include "platform/no_case.h"
#include "platform/profile.h"

namespace zel::app {

namespace {

std::string RecentKey(std::size_t index) {
  return "File" + std::to_string(index + 1);
}

void RemoveEqual(std::vector<std::string>& entries, std::string_view entry) {
  std::erase_if(entries, [&](const std::string& e) { return platform::EqualsNoCase(e, entry); });
}

}  // namespace

std::vector<std::string> RecentProjects::entries() const {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < kMaxRecentProjects; ++i) {
    std::string value = platform::ReadProfileString(m_file, kSectionRecentFiles, RecentKey(i), "");
    if (!value.empty()) out.push_back(std::move(value));
  }
  return out;
}

void RecentProjects::add(std::string_view entry) const {
  if (entry.empty()) return;
  std::vector<std::string> list = entries();
  RemoveEqual(list, entry);
  list.insert(list.begin(), std::string(entry));
  if (list.size() > kMaxRecentProjects) list.resize(kMaxRecentProjects);
  store(list);
}

void RecentProjects::remove(std::string_view entry) const {
  std::vector<std::string> list = entries();
  const std::size_t before = list.size();
  RemoveEqual(list, entry);
  if (list.size() != before) store(list);
}

void RecentProjects::store(const std::vector<std::string>& entries) const {
  for (std::size_t i = 0; i < kMaxRecentProjects; ++i) {
    if (i < entries.size()) {
      platform::WriteProfileString(m_file, kSectionRecentFiles, RecentKey(i), entries[i]);
    } else {
      platform::RemoveProfileKey(m_file, kSectionRecentFiles, RecentKey(i));
    }
  }
}

std::string ProjectNameOfRecentEntry(std::string_view entry) {
  while (!entry.empty() && (entry.back() == '/' || entry.back() == '\\')) entry.remove_suffix(1);
  const std::size_t separator = entry.find_last_of("/\\");
  return std::string(separator == std::string_view::npos ? entry : entry.substr(separator + 1));
}

}  // namespace zel::app
