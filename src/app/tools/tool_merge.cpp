#include "app/tools/tool_merge.h"

#include <algorithm>

#include "platform/no_case.h"

namespace zel::app {

bool SameTool(const ToolRecord& a, const ToolRecord& b) {
  return a.flags == b.flags && platform::EqualsNoCase(a.title, b.title) &&
         platform::EqualsNoCase(a.program, b.program);
}

void MergeTools(std::vector<ToolRecord>& list, const std::vector<ToolRecord>& added) {
  for (const ToolRecord& tool : added) {
    if (tool.title.empty()) continue;
    auto same = std::find_if(list.begin(), list.end(),
                             [&](const ToolRecord& listed) { return SameTool(listed, tool); });
    if (same != list.end()) {
      *same = tool;
    } else {
      list.push_back(tool);
    }
  }
}

std::size_t RemoveSameTools(std::vector<ToolRecord>& list, const std::vector<ToolRecord>& removed) {
  return std::erase_if(list, [&](const ToolRecord& listed) {
    return std::any_of(removed.begin(), removed.end(),
                       [&](const ToolRecord& tool) { return SameTool(listed, tool); });
  });
}

std::size_t RemoveToolsByTitle(std::vector<ToolRecord>& list,
                               const std::vector<ToolRecord>& removed) {
  return std::erase_if(list, [&](const ToolRecord& listed) {
    return std::any_of(removed.begin(), removed.end(), [&](const ToolRecord& tool) {
      return platform::EqualsNoCase(listed.title, tool.title);
    });
  });
}

bool MergeToolsInto(const std::filesystem::path& file, const std::vector<ToolRecord>& added) {
  std::vector<ToolRecord> list = ReadTools(file);
  MergeTools(list, added);
  return WriteTools(file, list);
}

bool RemoveSameToolsFrom(const std::filesystem::path& file,
                         const std::vector<ToolRecord>& removed) {
  std::vector<ToolRecord> list = ReadTools(file);
  if (RemoveSameTools(list, removed) == 0) return true;
  return WriteTools(file, list);
}

}  // namespace zel::app
