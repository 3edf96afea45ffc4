#include "print/print_options.h"

#include <array>
#include <cctype>
#include <utility>

#include "stl/lang/module_name.h"

namespace zel::print {

namespace {

using Flag = bool PrintOptions::*;

constexpr std::array<std::pair<std::string_view, Flag>, 12> kKeys{{
    {"TITLE", &PrintOptions::title},
    {"DOCTEXT", &PrintOptions::docText},
    {"CTRLSETTINGS", &PrintOptions::controllerSettings},
    {"PROJECTTREE", &PrintOptions::projectTree},
    {"IO", &PrintOptions::io},
    {"DRIVER", &PrintOptions::drivers},
    {"ALLOCATIONLIST", &PrintOptions::allocationList},
    {"PROPERTIES", &PrintOptions::properties},
    {"SOURCE", &PrintOptions::source},
    {"LOG", &PrintOptions::log},
    {"XREF", &PrintOptions::crossReference},
    {"METRIC", &PrintOptions::metrics},
}};

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(a[i])) !=
        std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

PrintOptions ReadPrintOptions(const app::ProjectFile& project) {
  PrintOptions options;
  for (const auto& [key, flag] : kKeys) {
    const std::string def = options.*flag ? "1" : "0";
    // Anything but a "0" keeps the option on, as a number other than zero would.
    const std::string value = project.read(kPrintSection, key, def);
    options.*flag = !value.empty() && value != "0";
  }
  return options;
}

bool WritePrintOptions(app::ProjectFile& project, const PrintOptions& options) {
  for (const auto& [key, flag] : kKeys) {
    if (!project.write(kPrintSection, key, options.*flag ? "1" : "0")) return false;
  }
  return true;
}

std::optional<SectionChoice> ParseSectionName(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, SingleSection>, 5> kNames{{
      {"ProjectTree", SingleSection::ProjectTree},
      {"AllocList", SingleSection::AllocList},
      {"CrossRef", SingleSection::CrossRef},
      {"IOConfig", SingleSection::IoConfig},
      {"Drivers", SingleSection::Drivers},
  }};
  for (const auto& [text, section] : kNames) {
    if (name == text) return SectionChoice{section, {}};
  }
  // "CZ0" + kind letter + two digits + "V" + digit + ".AWL"
  if (name.size() != 12) return std::nullopt;
  const auto upper = [&](std::size_t i) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
  };
  if (!EqualNoCase(name.substr(0, 3), "CZ0")) return std::nullopt;
  const char kind = upper(3);
  if (kind != stl::KindLetter(stl::ModuleKind::Program) &&
      kind != stl::KindLetter(stl::ModuleKind::Cmp) &&
      kind != stl::KindLetter(stl::ModuleKind::Cfm))
    return std::nullopt;
  if (!IsDigit(name[4]) || !IsDigit(name[5])) return std::nullopt;
  if (upper(6) != 'V' || !IsDigit(name[7])) return std::nullopt;
  if (!EqualNoCase(name.substr(8), ".AWL")) return std::nullopt;
  return SectionChoice{SingleSection::Module, std::string(name)};
}

}  // namespace zel::print
