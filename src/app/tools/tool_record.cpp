#include "app/tools/tool_record.h"

#include <array>

#include "app/preferences/preferences.h"
#include "platform/no_case.h"
#include "platform/profile.h"

namespace zel::app {

namespace {

// A key's value holds at most `max` characters: the profile reader's buffer has room for
// the terminating character too.
constexpr std::size_t BufferFor(std::size_t max) {
  return max + 1;
}

// Foreign keys of the section are kept with values of any sensible length.
constexpr std::size_t kForeignValueBuffer = 4096;

constexpr std::array<std::string_view, 4> kKeyStems = {"TOOL_", "CALL_", "PARAM_", "FLAGS_"};

std::string ToolKey(std::string_view stem, std::size_t index) {
  std::string key(stem);
  key += std::to_string(index);
  key += '_';
  key += kLanguageCode;
  return key;
}

std::string Cut(std::string_view value, std::size_t max) {
  return std::string(value.substr(0, max));
}

}  // namespace

std::string ToolTitleKey(std::size_t index) {
  return ToolKey(kKeyStems[0], index);
}
std::string ToolProgramKey(std::size_t index) {
  return ToolKey(kKeyStems[1], index);
}
std::string ToolParametersKey(std::size_t index) {
  return ToolKey(kKeyStems[2], index);
}
std::string ToolFlagsKey(std::size_t index) {
  return ToolKey(kKeyStems[3], index);
}

bool IsToolKey(std::string_view key) {
  for (std::string_view stem : kKeyStems) {
    if (key.size() <= stem.size() || !platform::EqualsNoCase(key.substr(0, stem.size()), stem)) {
      continue;
    }
    std::string_view rest = key.substr(stem.size());
    std::size_t digits = 0;
    while (digits < rest.size() && rest[digits] >= '0' && rest[digits] <= '9') ++digits;
    if (digits == 0 || digits >= rest.size() || rest[digits] != '_') continue;
    if (platform::EqualsNoCase(rest.substr(digits + 1), kLanguageCode)) return true;
  }
  return false;
}

std::vector<ToolRecord> ReadTools(const std::filesystem::path& file) {
  std::vector<ToolRecord> tools;
  for (std::size_t i = 0;; ++i) {
    ToolRecord tool;
    tool.title = platform::ReadProfileString(file, kToolsSection, ToolTitleKey(i), "",
                                             BufferFor(kToolTitleMax));
    if (tool.title.empty()) break;
    tool.program = platform::ReadProfileString(file, kToolsSection, ToolProgramKey(i), "",
                                               BufferFor(kToolProgramMax));
    tool.parameters = platform::ReadProfileString(file, kToolsSection, ToolParametersKey(i), "",
                                                  BufferFor(kToolParametersMax));
    tool.flags =
        static_cast<int>(platform::ReadProfileInt(file, kToolsSection, ToolFlagsKey(i), 0));
    tools.push_back(std::move(tool));
  }
  return tools;
}

bool WriteTools(const std::filesystem::path& file, const std::vector<ToolRecord>& tools) {
  platform::ProfileEntries entries;
  for (const std::string& key : platform::ProfileKeys(file, kToolsSection)) {
    if (IsToolKey(key)) continue;
    entries.emplace_back(
        key, platform::ReadProfileString(file, kToolsSection, key, "", kForeignValueBuffer));
  }
  std::size_t number = 0;
  for (const ToolRecord& tool : tools) {
    if (tool.title.empty()) continue;
    entries.emplace_back(ToolTitleKey(number), Cut(tool.title, kToolTitleMax));
    entries.emplace_back(ToolProgramKey(number), Cut(tool.program, kToolProgramMax));
    entries.emplace_back(ToolParametersKey(number), Cut(tool.parameters, kToolParametersMax));
    entries.emplace_back(ToolFlagsKey(number), std::to_string(tool.flags));
    ++number;
  }
  return platform::ReplaceProfileSection(file, kToolsSection, entries);
}

}  // namespace zel::app
