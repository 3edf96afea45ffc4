#include "build/fieldbus_settings.h"

#include <cstdint>
#include <optional>
#include <string>

#include "app/text/field_scanner.h"

namespace zel::build {

namespace {

// A decimal number of 0..0xFFFF, blanks around it allowed.
std::optional<std::uint16_t> ReadWordSetting(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return app::DecimalWord(text);
}

void ReadWord(const app::ProjectFile& project, std::string_view section, std::string_view key,
              std::uint16_t& field, BuildLog& log) {
  const std::string text = project.read(section, key);
  if (text.empty()) return;
  if (const std::optional<std::uint16_t> value = ReadWordSetting(text)) {
    field = *value;
  } else {
    log.error("ERROR: Invalid fieldbus setting " + std::string(key) + "=" + text + "\r\n");
  }
}

// "N" or "n" at the start means no; anything else, yes. Absent means no.
bool ReadYes(const app::ProjectFile& project, std::string_view section, std::string_view key) {
  const std::string text = project.read(section, key, "N");
  return !text.empty() && text.front() != 'N' && text.front() != 'n';
}

}  // namespace

void ApplyFieldbusSettings(const app::ProjectFile& project, std::string_view section,
                           RuntimeMode& mode, BuildLog& log) {
  mode.flags |= kModeKolvaFieldbus;
  mode.fieldbusSwitch = kDefaultFieldbusSwitch;
  mode.fieldbusInterrupt = 0;
  mode.fieldbusBaud = 0;
  ReadWord(project, section, kKeyFieldbusSwitch, mode.fieldbusSwitch, log);
  ReadWord(project, section, kKeyFieldbusInterrupt, mode.fieldbusInterrupt, log);
  ReadWord(project, section, kKeyFieldbusBaud, mode.fieldbusBaud, log);
  if (ReadYes(project, section, kKeyFieldbusSoftErrors)) {
    mode.flags |= kModeFieldbusSoftErrors;
  } else {
    mode.flags &= static_cast<std::uint8_t>(~kModeFieldbusSoftErrors);
  }
  if (ReadYes(project, section, kKeyFieldbusNominal)) {
    mode.fieldbusFlags |= kModeNominalConfiguration;
  } else {
    mode.fieldbusFlags &= static_cast<std::uint8_t>(~kModeNominalConfiguration);
  }
}

}  // namespace zel::build
