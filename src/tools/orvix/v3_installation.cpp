#include "tools/orvix/v3_installation.h"

#include <algorithm>

#include "app/preferences/preferences.h"
#include "platform/code_page.h"
#include "platform/files.h"

namespace zel::orvix {

namespace {

constexpr std::string_view kKonfigFile = "konfig.kzc";
constexpr std::string_view kProjectListFile = "kzcproj.zel";

std::optional<fs::path> KonfigDirectory(const fs::path& chosen) {
  const auto file = platform::FindPathNoCase(chosen / kKonfigFile);
  if (!file) return std::nullopt;
  const auto data = platform::ReadWholeFile(*file);
  if (!data) return std::nullopt;
  auto text = ReadKonfigProjectsPath(*data);
  if (!text) return std::nullopt;
  std::replace(text->begin(), text->end(), '\\', '/');
  fs::path path(*text);
  if (path.is_relative()) path = chosen / path;
  if (!platform::IsDirectoryNoCase(path)) return std::nullopt;
  return platform::FindPathNoCase(path);
}

}  // namespace

std::optional<fs::path> NewProjectDirectory(const fs::path& programDirectory) {
  const app::Preferences preferences(programDirectory);
  const fs::path dir = preferences.projectDirectory();
  if (dir.empty() || !platform::IsDirectoryNoCase(dir)) return std::nullopt;
  return platform::FindPathNoCase(dir);
}

fs::path ProjectsDirectory(const fs::path& chosen) {
  if (auto konfig = KonfigDirectory(chosen)) return *konfig;
  if (platform::PathExistsNoCase(chosen / kProjectListFile)) return chosen;
  const fs::path normal = chosen.lexically_normal();
  const fs::path trimmed = normal.has_filename() ? normal : normal.parent_path();
  return trimmed.has_parent_path() ? trimmed.parent_path() : trimmed;
}

std::optional<std::vector<ProjectListEntry>> LoadProjectList(const fs::path& projectsDirectory) {
  const auto file = platform::FindPathNoCase(projectsDirectory / kProjectListFile);
  if (!file) return std::nullopt;
  const auto data = platform::ReadWholeFile(*file);
  if (!data) return std::nullopt;
  auto entries = ReadProjectList(*data);
  for (auto& entry : entries) entry.comment = platform::OemToCp1252(entry.comment);
  return entries;
}

}  // namespace zel::orvix
