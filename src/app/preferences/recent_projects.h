#pragma once
// The recent projects of the preferences file: section "Recent File List", keys "File1"
// to "File8", most recent first. Each entry is a path whose last component is the
// project's name; entries of the Windows era use "\" and still read.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zel::app {

namespace fs = std::filesystem;

inline constexpr std::string_view kSectionRecentFiles = "Recent File List";
inline constexpr std::size_t kMaxRecentProjects = 8;

class RecentProjects {
 public:
  explicit RecentProjects(fs::path preferencesFile) : m_file(std::move(preferencesFile)) {}

  // The stored entries in order; empty keys are skipped.
  std::vector<std::string> entries() const;
  // Puts `entry` at the top; an equal entry (ignoring case) further down goes, and the
  // list keeps at most kMaxRecentProjects entries.
  void add(std::string_view entry) const;
  void remove(std::string_view entry) const;  // every entry equal ignoring case

 private:
  void store(const std::vector<std::string>& entries) const;
  fs::path m_file;
};

// The last path component, with "/" or "\" as separators; trailing separators ignored.
std::string ProjectNameOfRecentEntry(std::string_view entry);

}  // namespace zel::app
