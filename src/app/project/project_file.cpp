#include "app/project/project_file.h"

#include <charconv>

#include "app/project/stored_path.h"
#include "platform/files.h"

namespace zel::app {

namespace {

constexpr std::string_view kKeyCreated = "CREATED";
constexpr std::string_view kKeyComment = "COMMENT";
constexpr std::string_view kKeyTarget = "TARGET";
constexpr std::string_view kKeyDocFile = "DOCFILE";
constexpr std::string_view kKeyTimestamp = "TIMESTAMP";
constexpr std::string_view kKeyPassword = "PASSWORD";
constexpr std::string_view kUnknownCreated = "???";
// Project files of the Windows era hold ".\" paths; this program writes "./".
constexpr std::string_view kStoredRelativePrefix = "./";

}  // namespace

ProjectFile ProjectFile::ofProject(const fs::path& projectDirectory, std::string_view name) {
  return ProjectFile(
      platform::ResolvePathNoCase(projectDirectory / std::string(name) / kProjectFileName));
}

bool ProjectFile::exists() const {
  const auto found = platform::FindPathNoCase(m_path);
  std::error_code ec;
  return found && fs::is_regular_file(*found, ec);
}

std::string ProjectFile::read(std::string_view section, std::string_view key, std::string_view def,
                              std::size_t bufferSize) const {
  return platform::ReadProfileString(m_path, section, key, def, bufferSize);
}

bool ProjectFile::write(std::string_view section, std::string_view key,
                        std::string_view value) const {
  return platform::WriteProfileString(m_path, section, key, value);
}

bool ProjectFile::removeKey(std::string_view section, std::string_view key) const {
  return platform::RemoveProfileKey(m_path, section, key);
}

bool ProjectFile::removeSection(std::string_view section) const {
  return platform::RemoveProfileSection(m_path, section);
}

bool ProjectFile::replaceSection(std::string_view section,
                                 const platform::ProfileEntries& entries) const {
  return platform::ReplaceProfileSection(m_path, section, entries);
}

std::vector<std::string> ProjectFile::keys(std::string_view section) const {
  return platform::ProfileKeys(m_path, section);
}

std::vector<std::string> ProjectFile::numberedValues(std::string_view section,
                                                     std::string_view prefix,
                                                     std::size_t bufferSize,
                                                     std::size_t limit) const {
  std::vector<std::string> values;
  for (std::size_t n = 0; n < limit; ++n) {
    std::string value = read(section, std::string(prefix) + std::to_string(n), {}, bufferSize);
    if (value.empty()) break;
    values.push_back(std::move(value));
  }
  return values;
}

std::string ProjectFile::created() const {
  return read(kSectionProject, kKeyCreated, kUnknownCreated);
}

bool ProjectFile::setCreated(std::string_view text) const {
  return write(kSectionProject, kKeyCreated, text);
}

std::string ProjectFile::comment() const {
  return read(kSectionProject, kKeyComment);
}

bool ProjectFile::setComment(std::string_view text) const {
  return write(kSectionProject, kKeyComment, text);
}

std::string ProjectFile::target() const {
  return read(kSectionProject, kKeyTarget);
}

bool ProjectFile::setTarget(std::string_view type) const {
  return write(kSectionProject, kKeyTarget, type);
}

// A stored value starting with a dot ("./Project.txt", ".\Project.txt", "../Doc.txt") and
// any other relative value are taken relative to the project's directory; the directory
// of the running program has nothing to do with a project's documentation.
fs::path ProjectFile::docFile() const {
  std::string stored = WithForwardSlashes(read(kSectionProject, kKeyDocFile));
  if (stored.empty()) stored = std::string(kStoredRelativePrefix) + std::string(kDocFileName);
  fs::path file(stored);
  if (file.is_relative()) file = (directory() / file).lexically_normal();
  return platform::ResolvePathNoCase(file);
}

bool ProjectFile::setDocFile(const fs::path& file) const {
  std::error_code ec;
  const fs::path dir = fs::absolute(directory(), ec).lexically_normal();
  const fs::path target = fs::absolute(file, ec).lexically_normal();
  const fs::path relative = target.lexically_relative(dir);
  const bool below = !relative.empty() && *relative.begin() != ".." && relative != ".";
  const std::string stored = below ? std::string(kStoredRelativePrefix) + relative.generic_string()
                                   : target.generic_string();
  return write(kSectionProject, kKeyDocFile, stored);
}

bool ProjectFile::setTimestamp(std::int64_t t) const {
  return write(kSectionProject, kKeyTimestamp, std::to_string(t) + "l");
}

std::optional<std::int64_t> ProjectFile::timestamp() const {
  const std::string text = read(kSectionProject, kKeyTimestamp);
  std::int64_t value = 0;
  const char* first = text.data();
  if (!text.empty() && text.front() == '+') ++first;
  const auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
  if (ec != std::errc() || end == first) return std::nullopt;
  return value;
}

std::string ProjectFile::password() const {
  return read(kSectionProject, kKeyPassword);
}

bool ProjectFile::setPassword(std::string_view password) const {
  return write(kSectionProject, kKeyPassword, password);
}

}  // namespace zel::app
