#pragma once
// The list of projects in a project directory, as the project dialogs show it: every
// subdirectory that holds a project file, with its comment and controller type, filtered
// by type and sorted by one column.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zel::app {

namespace fs = std::filesystem;

inline constexpr std::string_view kAllTypesLabel = "(all)";

struct ProjectListEntry {
  std::string name;
  std::string comment;
  std::string target;  // as stored; TypeLabel gives what the list shows
};

enum class ProjectColumn { Name, Comment, Type };

// "(all)", then the five type labels in the order lists offer them.
std::vector<std::string> ProjectTypeFilterLabels();

// `typeFilter` is "(all)" (or empty) for every project, else a type label or name.
std::vector<ProjectListEntry> ListProjects(const fs::path& projectDirectory,
                                           std::string_view typeFilter, ProjectColumn column,
                                           bool descending);

}  // namespace zel::app
