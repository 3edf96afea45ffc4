#include "library/driver_script.h"

#include "app/preferences/preferences.h"
#include "app/text/text_format.h"
#include "platform/no_case.h"
#include "platform/profile.h"

namespace zel::library {

namespace {

bool IsTargetSeparator(char c) {
  return c == ',' || c == ';' || c == ' ' || c == '\t';
}

}  // namespace

std::string DriverNameOf(const fs::path& script) {
  return platform::UpperAscii(script.stem().string());
}

DriverInfo ReadDriverInfo(const fs::path& script) {
  DriverInfo info;
  info.name = DriverNameOf(script);
  const std::string nameKey = app::FillText(kKeyDriverNameFormat, app::kLanguageCode);
  info.description = platform::ReadProfileString(script, kSectionDriver, nameKey, kNoDescription,
                                                 kDriverDescriptionMax + 1);
  info.number = static_cast<int>(
      platform::ReadProfileInt(script, kSectionDriver, kKeyDriverNo, kNoDriverNumber));
  info.uses = platform::ReadProfileString(script, kSectionDriver, kKeyUsesDriver, kNoUses);
  return info;
}

std::string ReadDriverTargets(const fs::path& script) {
  return platform::ReadProfileString(script, kSectionDriver, kKeyTarget, "");
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
