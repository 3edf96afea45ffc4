#pragma once
// Installing and removing a driver script's tools in the tools list of the preferences.
// A script's tool is "the same" as a listed one when title, program and flags agree
// (title and program ignoring case); installing the same script twice so replaces its
// tools in place instead of adding them again.

#include <vector>

#include "app/tools/tool_record.h"

namespace zel::app {

bool SameTool(const ToolRecord& a, const ToolRecord& b);

// Each of `added` replaces the first same tool of `list` in place, or is appended.
void MergeTools(std::vector<ToolRecord>& list, const std::vector<ToolRecord>& added);

// Removes every tool of `list` that is the same as one of `removed`; the rest keep their
// order. Returns how many went.
std::size_t RemoveSameTools(std::vector<ToolRecord>& list, const std::vector<ToolRecord>& removed);

// Removes every tool of `list` whose title equals (ignoring case) the title of one of
// `removed`. Returns how many went.
std::size_t RemoveToolsByTitle(std::vector<ToolRecord>& list,
                               const std::vector<ToolRecord>& removed);

// MergeTools on the tools list of the preferences file `file`; false when it could not
// be written.
bool MergeToolsInto(const std::filesystem::path& file, const std::vector<ToolRecord>& added);
// RemoveSameTools on that list; false when it could not be written.
bool RemoveSameToolsFrom(const std::filesystem::path& file, const std::vector<ToolRecord>& removed);

}  // namespace zel::app
