#include "library/driver_documentation.h"

#include "app/text/text_format.h"
#include "library/driver_config.h"
#include "library/driver_options_model.h"
#include "library/runtime_folder.h"
#include "platform/no_case.h"

namespace zel::library {

namespace {

// Columns of the table: Name to 20, Number to 30, Uses to 40, then Description.
constexpr std::size_t kNameWidth = 20;
constexpr std::size_t kNumberWidth = 10;
constexpr std::size_t kUsesWidth = 10;
// An option line: two blanks, the description and ": " padded to 40, then the value.
constexpr std::size_t kOptionLabelWidth = 40;
constexpr std::string_view kOptionIndent = "  ";
constexpr std::string_view kNoValue = "?";
constexpr std::string_view kNoOptionsLine = "  <none>";
constexpr std::string_view kOptionsForFormat = "Options for '%s'";

std::string Padded(std::string_view text, std::size_t width) {
  std::string padded(text);
  if (padded.size() < width) padded.append(width - padded.size(), ' ');
  return padded;
}

std::string TableLine(std::string_view name, std::string_view number, std::string_view uses,
                      std::string_view description) {
  return Padded(name, kNameWidth) + Padded(number, kNumberWidth) + Padded(uses, kUsesWidth) +
         std::string(description);
}

std::string OptionLine(std::string_view label, std::string_view value) {
  std::string start(kOptionIndent);
  start += label;
  start += ": ";
  return Padded(start, kOptionLabelWidth) + std::string(value);
}

void AppendOptions(std::vector<std::string>& lines, const app::ProjectFile& project,
                   std::string_view type, const DriverRow& row,
                   const std::filesystem::path& programDirectory) {
  const auto stored = ReadStoredOptions(project, type, row.name);
  std::vector<std::string> block;
  const auto script = row.known
                          ? DriverScript::load(DriverScriptPath(programDirectory, type, row.name))
                          : std::nullopt;
  if (script) {
    for (const auto& option : script->options()) {
      std::string value(kNoValue);
      for (const auto& [key, text] : stored) {
        if (platform::EqualsNoCase(key, option.key)) {
          value = text;
          break;
        }
      }
      block.push_back(OptionLine(option.description, value));
    }
  } else {
    for (const auto& [key, text] : stored) block.push_back(OptionLine(key, text));
  }
  if (block.empty()) block.emplace_back(kNoOptionsLine);
  lines.insert(lines.end(), block.begin(), block.end());
}

}  // namespace

std::vector<std::string> DriverDocumentationLines(const app::ProjectFile& project,
                                                  std::string_view type,
                                                  const DriverList& installed,
                                                  const std::filesystem::path& programDirectory) {
  DriverConfiguration config(project, std::string(type));
  config.load(installed, false);
  std::vector<std::string> lines;
  lines.emplace_back(kDriverDocHeading);
  lines.push_back(TableLine("Name", "Number", "Uses", "Description"));
  // The file's order, as the build links them.
  std::vector<DriverRow> rows;
  for (const auto& name : ReadConfiguredDriverNames(project, type)) {
    const DriverRow* row = config.find(name);
    rows.push_back(row ? *row : PlaceholderRow(name));
  }
  for (const auto& row : rows) {
    lines.push_back(TableLine(row.name, std::to_string(row.number), row.uses, row.description));
  }
  for (const auto& row : rows) {
    lines.emplace_back();
    lines.push_back(app::FillText(kOptionsForFormat, row.name));
    lines.emplace_back();
    AppendOptions(lines, project, type, row, programDirectory);
  }
  return lines;
}

}  // namespace zel::library
