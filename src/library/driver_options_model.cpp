#include "library/driver_options_model.h"

#include "app/text/text_format.h"
#include "library/driver_config.h"
#include "library/library_messages.h"
#include "library/runtime_folder.h"
#include "platform/no_case.h"
#include "platform/timebase.h"

namespace zel::library {

namespace {

constexpr std::string_view kTitleSeparator = " - ";

}  // namespace

DriverOptionsModel::DriverOptionsModel(const DriverScript& script, const app::ProjectFile& project,
                                       std::string type)
    : m_project(project), m_type(std::move(type)), m_driver(script.info()) {
  const std::string section = DriverOptionsSectionName(m_type, m_driver.name);
  const auto storedKeys = m_project.keys(section);
  for (auto& option : script.options()) {
    OptionRow row;
    bool stored = false;
    for (const auto& key : storedKeys) stored = stored || platform::EqualsNoCase(key, option.key);
    row.value = stored ? m_project.read(section, option.key, {}, kOptionControlMax + 1)
                       : option.defaultValue;
    row.option = std::move(option);
    m_rows.push_back(std::move(row));
  }
}

std::string DriverOptionsModel::title() const {
  return std::string(kDriverOptionsTitle) + std::string(kTitleSeparator) + m_driver.description;
}

std::string DriverOptionsModel::noOptionsMessage() const {
  return app::FillText(kMsgNoOptions, m_driver.name);
}

std::optional<std::size_t> DriverOptionsModel::findKey(std::string_view key) const {
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    if (platform::EqualsNoCase(m_rows[i].option.key, key)) return i;
  }
  return std::nullopt;
}

std::string DriverOptionsModel::normalised(const DriverOption& option,
                                           std::string_view value) const {
  switch (option.type) {
    case OptionType::YesNo:
      return std::string(IsYes(value) ? kStoredYes : kStoredNo);
    case OptionType::Hex:
      return platform::UpperAscii(value);
    case OptionType::Text:
      if (option.maxLength && value.size() > static_cast<std::size_t>(*option.maxLength)) {
        value = value.substr(0, static_cast<std::size_t>(*option.maxLength));
      }
      return std::string(value);
    default:
      return std::string(value);
  }
}

void DriverOptionsModel::setValue(std::size_t row, std::string_view value) {
  if (row >= m_rows.size()) return;
  m_rows[row].value = normalised(m_rows[row].option, value);
}

void DriverOptionsModel::setChecked(std::size_t row, bool on) {
  if (row >= m_rows.size()) return;
  m_rows[row].value = on ? kStoredYes : kStoredNo;
}

bool DriverOptionsModel::checked(std::size_t row) const {
  return row < m_rows.size() && IsYes(m_rows[row].value);
}

void DriverOptionsModel::setDefaults() {
  for (auto& row : m_rows) row.value = row.option.defaultValue;
}

std::optional<OptionRefusal> DriverOptionsModel::validate() const {
  for (std::size_t i = 0; i < m_rows.size(); ++i) {
    if (auto message = CheckOptionValue(m_rows[i].option, m_rows[i].value)) {
      return OptionRefusal{i, std::move(*message)};
    }
  }
  return std::nullopt;
}

bool DriverOptionsModel::save() const {
  platform::ProfileEntries entries;
  for (const auto& row : m_rows) {
    const std::string value = row.option.type == OptionType::YesNo
                                  ? std::string(IsYes(row.value) ? kStoredYes : kStoredNo)
                                  : row.value;
    entries.emplace_back(row.option.key, value);
  }
  if (!m_project.replaceSection(DriverOptionsSectionName(m_type, m_driver.name), entries)) {
    return false;
  }
  return m_project.setTimestamp(platform::Now());
}

std::optional<DriverOptionsModel> LoadDriverOptions(const std::filesystem::path& programDirectory,
                                                    const app::ProjectFile& project,
                                                    std::string_view type, std::string_view name) {
  const auto script = DriverScript::load(DriverScriptPath(programDirectory, type, name));
  if (!script) return std::nullopt;
  return DriverOptionsModel(*script, project, std::string(type));
}

std::vector<std::pair<std::string, std::string>> ReadStoredOptions(const app::ProjectFile& project,
                                                                   std::string_view type,
                                                                   std::string_view name) {
  std::vector<std::pair<std::string, std::string>> stored;
  const std::string section = DriverOptionsSectionName(type, name);
  for (auto& key : project.keys(section)) {
    std::string value = project.read(section, key, {}, kOptionControlMax + 1);
    stored.emplace_back(std::move(key), std::move(value));
  }
  return stored;
}

std::string DriverSettingsTitle(std::string_view name, std::string_view description) {
  return std::string(kDriverSettingsTitle) + std::string(kTitleSeparator) + std::string(name) +
         " " + std::string(description);
}

}  // namespace zel::library
