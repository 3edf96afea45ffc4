#include "build/driver_replacements.h"

#include "app/preferences/preferences.h"
#include "app/project/project_file.h"
#include "app/tools/replace_tokens.h"
#include "library/driver_config.h"
#include "library/runtime_folder.h"

namespace zel::build {

namespace {

constexpr std::string_view kInvalidReplacement = "ERROR: Invalid replacement in driver script\r\n";

std::string Key(std::string_view name) {
  std::string key(app::kTokenOpen);
  key += name;
  key += app::kTokenClose;
  return key;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Replaces the first occurrence of one key; false when there is none.
bool ReplaceFirst(std::string& text, const Replacement& replacement) {
  const std::size_t at = text.find(replacement.key);
  if (at == std::string::npos) return false;
  std::size_t length = replacement.key.size();
  std::string value = replacement.value;
  if (replacement.directory && at + length < text.size() && text[at + length] == '\\') {
    ++length;
    value += '/';
  }
  text.replace(at, length, value);
  return true;
}

}  // namespace

std::string ConstantValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (!value.empty() && (value.front() == '\'' || value.front() == '"')) {
    const char mark = value.front();
    value.remove_prefix(1);
    value = value.substr(0, value.find(mark));
  }
  return std::string(value);
}

ReplacementTable MakeReplacementTable(const DriverContext& context,
                                      const library::DriverScript& script) {
  const std::filesystem::path projectDirectory = context.projectsDirectory / context.projectName;
  ReplacementTable table = {
      {Key("ZELDIR"), context.programDirectory.string(), true},
      {Key("RUNTIMEDIR"),
       library::RuntimeDirectory(context.programDirectory, context.type).string(), true},
      {Key("CURRENTPROJECT"), projectDirectory.string(), true},
      {Key("PROJECT"), context.projectName, false},
      {Key("TARGET"), context.type, false},
      {Key("LANGUAGE"), std::string(app::kLanguageCode), false},
      {Key("ALLPROJECTS"), context.projectsDirectory.string(), true},
  };
  for (const std::string& key : script.keys(library::kSectionConst)) {
    table.push_back({Key(key), ConstantValue(script.value(library::kSectionConst, key)), false});
  }
  const app::ProjectFile project(context.projectFile);
  const std::string settings = library::DriverOptionsSectionName(context.type, script.name());
  for (const std::string& key : project.keys(settings)) {
    table.push_back({Key(key), project.read(settings, key), false});
  }
  return table;
}

ReplacedText ApplyReplacements(std::string_view text, const ReplacementTable& table) {
  ReplacedText result{std::string(text), true};
  for (std::size_t pass = 0; pass < table.size(); ++pass) {
    bool replaced = false;
    for (const Replacement& replacement : table) {
      replaced = ReplaceFirst(result.text, replacement) || replaced;
      if (result.text.size() > kReplacedTextMax) {
        result.complete = false;
        return result;
      }
    }
    if (!replaced) break;
  }
  result.complete = result.text.find(app::kTokenOpen) == std::string::npos &&
                    result.text.find(app::kTokenClose) == std::string::npos;
  return result;
}

ReplacedText ReplaceDriverText(std::string_view text, const ReplacementTable& table,
                               BuildLog& log) {
  ReplacedText result = ApplyReplacements(text, table);
  if (!result.complete) log.error(kInvalidReplacement);
  return result;
}

}  // namespace zel::build
