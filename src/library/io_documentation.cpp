#include "library/io_documentation.h"

#include <cstdio>

#include "library/io_configuration.h"
#include "library/io_entry.h"

namespace zel::library {

namespace {

// The widest display name of the shipped cards fits with room to spare; a longer one
// pushes its row's numbers right rather than being cut.
constexpr int kNameWidth = 30;
constexpr std::string_view kNotInstalled = " (not installed)";

std::string Row(std::string_view name, std::string_view switchPosition, std::string_view iw,
                std::string_view ow, std::string_view iwSize, std::string_view owSize) {
  char buffer[160];
  std::snprintf(buffer, sizeof buffer, " %6.*s %4.*s %4.*s %8.*s %8.*s",
                static_cast<int>(switchPosition.size()), switchPosition.data(),
                static_cast<int>(iw.size()), iw.data(), static_cast<int>(ow.size()), ow.data(),
                static_cast<int>(iwSize.size()), iwSize.data(), static_cast<int>(owSize.size()),
                owSize.data());
  std::string row(name);
  if (row.size() < kNameWidth) row.resize(kNameWidth, ' ');
  return row + buffer;
}

}  // namespace

std::string IoDocumentationColumns() {
  return Row("IO Module", "Switch", "IW", "OW", "IW size", "OW size");
}

std::vector<std::string> IoDocumentationRows(const std::vector<std::string>& rawEntries,
                                             const IoModuleList& modules) {
  std::vector<std::string> rows;
  rows.reserve(rawEntries.size());
  for (const std::string& raw : rawEntries) {
    const auto entry = ParseIoEntry(raw);
    if (!entry) {
      rows.push_back("Invalid IO entry: '" + raw + "'");
      continue;
    }
    const IoModuleScript* module = modules.find(entry->module);
    const std::string name =
        module ? module->displayName : entry->module + std::string(kNotInstalled);
    const std::string iwSize = module ? std::to_string(module->iwSize) : "?";
    const std::string owSize = module ? std::to_string(module->owSize) : "?";
    rows.push_back(Row(name, std::to_string(entry->switchPosition), std::to_string(entry->iw),
                       std::to_string(entry->ow), iwSize, owSize));
  }
  return rows;
}

std::vector<std::string> StoredIoEntries(const app::ProjectFile& project, std::string_view type) {
  return project.numberedValues(IoSectionName(type), kIoEntryKeyPrefix);
}

}  // namespace zel::library
