// The values of the preferences and project files are typed by hand as often as they are
// written by us: module entries, window placements, screen sizes, the shortcut bar, fonts,
// margins and recent-project entries must read any bytes without a crash, and what reads
// must write back to a text that reads the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/modules/module.h"
#include "app/preferences/font_setting.h"
#include "app/preferences/print_margins.h"
#include "app/preferences/recent_projects.h"
#include "app/preferences/stl_bar_state.h"
#include "app/preferences/window_placement.h"

namespace {

using namespace zel::app;

void Check(bool condition) {
  if (!condition) std::abort();
}

void ModuleEntry(std::string_view text) {
  const auto module = ParseModuleEntry(text);
  if (!module) return;
  const auto again = ParseModuleEntry(FormatModuleEntry(*module));
  Check(again && again->sameIdentity(*module) && again->selected == module->selected);
}

void Placements(std::string_view text) {
  if (const auto placement = ParsePlacement(text)) {
    Check(ParsePlacement(FormatPlacement(*placement, false, false)).has_value());
  }
  if (const auto size = ParseScreenSize(text)) {
    Check(ParseScreenSize(FormatScreenSize(*size)).has_value());
  }
  if (const auto bar = ParseStlBar(text)) {
    Check(ParseStlBar(FormatStlBar(*bar)).has_value());
  }
}

void Fonts(std::string_view text) {
  for (const int dpi : {96, 120, 0}) {
    const auto font = ParseFont(text, dpi);
    if (!font) continue;
    if (const auto written = FormatFont(*font, dpi)) Check(ParseFont(*written, dpi).has_value());
  }
  (void)FormatPrintMargins(ParsePrintMargins(text));
  (void)ProjectNameOfRecentEntry(text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ModuleEntry(text);
  Placements(text);
  Fonts(text);
  return 0;
}
