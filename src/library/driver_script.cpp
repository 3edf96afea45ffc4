#include "library/driver_script.h"

#include <cstdint>
#include <cstdlib>

#include "app/preferences/preferences.h"
#include "app/text/text_format.h"
#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::library {

namespace {

// NEEDFILE_0 .. NEEDFILE_n; a script cannot list more than this.
constexpr std::size_t kMaxNeedFiles = 1000;

bool IsTargetSeparator(char c) {
  return c == ',' || c == ';' || c == ' ' || c == '\t';
}

std::string Cut(std::string text, std::size_t maxLength) {
  if (text.size() > maxLength) text.resize(maxLength);
  return text;
}

}  // namespace

std::string DriverNameOf(const fs::path& script) {
  return platform::UpperAscii(script.stem().string());
}

DriverScript DriverScript::parse(std::string_view text, std::string name) {
  DriverScript script;
  script.m_document = platform::IniDocument::parse(text);
  script.m_name = std::move(name);
  return script;
}

std::optional<DriverScript> DriverScript::load(const fs::path& file) {
  const auto text = platform::ReadWholeFile(file);
  if (!text) return std::nullopt;
  return parse(*text, DriverNameOf(file));
}

std::string DriverScript::value(std::string_view section, std::string_view key,
                                std::size_t maxLength) const {
  return Cut(m_document.get(section, key).value_or(std::string{}), maxLength);
}

DriverInfo DriverScript::info() const {
  DriverInfo info;
  info.name = m_name;
  const std::string nameKey = app::FillText(kKeyDriverNameFormat, app::kLanguageCode);
  if (auto text = m_document.get(kSectionDriver, nameKey)) {
    info.description = Cut(std::move(*text), kDriverDescriptionMax);
  } else {
    info.description = kNoDescription;
  }
  if (auto text = m_document.get(kSectionDriver, kKeyUsesDriver)) {
    info.uses = Cut(std::move(*text), platform::kProfileBufferSize - 1);
  } else {
    info.uses = kNoUses;
  }
  // Like the profile's integer read: the leading decimal number with its sign.
  const std::string number = value(kSectionDriver, kKeyDriverNo);
  char* end = nullptr;
  const long parsed = std::strtol(number.c_str(), &end, 10);
  if (end != number.c_str() && parsed >= INT32_MIN && parsed <= INT32_MAX) {
    info.number = static_cast<int>(parsed);
  }
  return info;
}

std::string DriverScript::targets() const {
  return value(kSectionDriver, kKeyTarget);
}

std::vector<std::string> DriverScript::needFileValues() const {
  std::vector<std::string> values;
  for (std::size_t n = 0; n < kMaxNeedFiles; ++n) {
    std::string text =
        value(kSectionInstall, std::string(kKeyNeedFilePrefix) + std::to_string(n), kNeedFileMax);
    if (text.empty()) break;
    values.push_back(std::move(text));
  }
  return values;
}

std::optional<DriverOption> DriverScript::option(std::size_t n) const {
  const std::string number = std::to_string(n);
  auto option = ParseOptionControl(
      value(kSectionEdit, std::string(kKeyControlPrefix) + number, kOptionControlMax));
  if (!option) return std::nullopt;
  option->description =
      value(kSectionEdit, std::string(app::kLanguageCode) + "_" + number, kOptionDescriptionMax);
  return option;
}

std::vector<DriverOption> DriverScript::options() const {
  std::vector<DriverOption> options;
  for (std::size_t n = 0; n < kMaxDriverOptions; ++n) {
    auto option = this->option(n);
    if (!option) break;
    options.push_back(std::move(*option));
  }
  return options;
}

DriverInfo ReadDriverInfo(const fs::path& script) {
  if (auto loaded = DriverScript::load(script)) return loaded->info();
  DriverInfo info;
  info.name = DriverNameOf(script);
  info.description = kNoDescription;
  info.uses = kNoUses;
  return info;
}

bool TargetSupports(std::string_view targets, std::string_view type) {
  if (type.empty()) return false;
  std::size_t i = 0;
  while (i < targets.size()) {
    while (i < targets.size() && IsTargetSeparator(targets[i])) ++i;
    const std::size_t start = i;
    while (i < targets.size() && !IsTargetSeparator(targets[i])) ++i;
    if (i > start && platform::EqualsNoCase(targets.substr(start, i - start), type)) return true;
  }
  return false;
}

}  // namespace zel::library
