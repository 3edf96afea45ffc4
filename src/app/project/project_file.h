#pragma once
// Access to one "Project.FW4", key by key. Nothing is cached, so what one part of the
// program writes the next read sees at once.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/profile.h"

namespace zel::app {

namespace fs = std::filesystem;

inline constexpr std::string_view kProjectFileName = "Project.FW4";
inline constexpr std::string_view kExclusionFileName = "Project._PA";
inline constexpr std::string_view kDocFileName = "Project.txt";
inline constexpr std::string_view kAllocListFileName = "C.bel";
inline constexpr std::string_view kApplicationTitle = "ZEL";

inline constexpr std::string_view kSectionProject = "PROJECT";
inline constexpr std::string_view kSectionModules = "MODULES";
// Section "MODULES" numbers its entries "SRC_0", "SRC_1", ...
inline constexpr std::string_view kModuleKeyPrefix = "SRC_";
inline constexpr std::string_view kSectionPreferences = "PREFERENCES";
inline constexpr std::string_view kSectionWindows = "WINDOWS";
inline constexpr std::string_view kSectionDownload = "DOWNLOAD";

class ProjectFile {
 public:
  explicit ProjectFile(fs::path file) : m_path(std::move(file)) {}
  // The project file of the project `name` inside `projectDirectory`.
  static ProjectFile ofProject(const fs::path& projectDirectory, std::string_view name);

  const fs::path& path() const { return m_path; }
  fs::path directory() const { return m_path.parent_path(); }
  bool exists() const;

  std::string read(std::string_view section, std::string_view key, std::string_view def = {},
                   std::size_t bufferSize = platform::kProfileBufferSize) const;
  bool write(std::string_view section, std::string_view key, std::string_view value) const;
  bool removeKey(std::string_view section, std::string_view key) const;
  bool removeSection(std::string_view section) const;
  // The whole section anew, in one rewrite of the file.
  bool replaceSection(std::string_view section, const platform::ProfileEntries& entries) const;
  std::vector<std::string> keys(std::string_view section) const;
  // The values of "<prefix>0", "<prefix>1", ... of `section` up to the first empty one (at
  // most `limit`): the lists of modules, IO entries and drivers are kept so.
  std::vector<std::string> numberedValues(std::string_view section, std::string_view prefix,
                                          std::size_t bufferSize = platform::kProfileBufferSize,
                                          std::size_t limit = SIZE_MAX) const;

  // Section "PROJECT".
  std::string created() const;  // "???" when the file or key is missing
  bool setCreated(std::string_view text) const;
  std::string comment() const;
  bool setComment(std::string_view text) const;
  std::string target() const;
  bool setTarget(std::string_view type) const;
  // Absolute path; a stored value starting with a dot is taken relative to the project's
  // directory, an empty one means ".\Project.txt".
  fs::path docFile() const;
  // Stored as ".\" + relative path when the file lies below the project's directory.
  bool setDocFile(const fs::path& file) const;
  // "TIMESTAMP" is written as "%ul" (seconds and the letter l); readers take the number.
  bool setTimestamp(std::int64_t t) const;
  std::optional<std::int64_t> timestamp() const;
  std::string password() const;
  bool setPassword(std::string_view password) const;

 private:
  fs::path m_path;
};

}  // namespace zel::app
