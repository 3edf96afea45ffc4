#include "app/project/project_list.h"

#include <algorithm>

#include "app/project/controller_type.h"
#include "app/project/project_file.h"
#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::app {

namespace {

bool PassesFilter(std::string_view target, std::string_view typeFilter) {
  if (typeFilter.empty() || typeFilter == kAllTypesLabel) return true;
  auto type = ControllerTypeFromLabel(typeFilter);
  if (!type) type = ParseControllerType(typeFilter);
  return platform::EqualsNoCase(target, type ? Info(*type).name : typeFilter);
}

std::string SortKey(const ProjectListEntry& entry, ProjectColumn column) {
  switch (column) {
    case ProjectColumn::Comment:
      return entry.comment;
    case ProjectColumn::Type:
      return TypeLabel(entry.target);
    case ProjectColumn::Name:
      break;
  }
  return entry.name;
}

void SortEntries(std::vector<ProjectListEntry>& entries, ProjectColumn column, bool descending) {
  std::stable_sort(entries.begin(), entries.end(),
                   [&](const ProjectListEntry& a, const ProjectListEntry& b) {
                     int order = platform::CompareNoCase(SortKey(a, column), SortKey(b, column));
                     if (order == 0) order = platform::CompareNoCase(a.name, b.name);
                     return descending ? order > 0 : order < 0;
                   });
}

}  // namespace

std::vector<std::string> ProjectTypeFilterLabels() {
  std::vector<std::string> labels{std::string(kAllTypesLabel)};
  for (const auto& info : ControllerTypes()) labels.emplace_back(info.label);
  return labels;
}

std::vector<ProjectListEntry> ListProjects(const fs::path& projectDirectory,
                                           std::string_view typeFilter, ProjectColumn column,
                                           bool descending) {
  std::vector<ProjectListEntry> entries;
  for (const auto& dirEntry : platform::ListDirectory(projectDirectory)) {
    if (!dirEntry.isDirectory) continue;
    const ProjectFile file = ProjectFile::ofProject(projectDirectory, dirEntry.name);
    if (!file.exists()) continue;
    ProjectListEntry entry{dirEntry.name, file.comment(), file.target()};
    if (PassesFilter(entry.target, typeFilter)) entries.push_back(std::move(entry));
  }
  SortEntries(entries, column, descending);
  return entries;
}

}  // namespace zel::app
