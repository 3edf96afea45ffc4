#pragma once
// The IO configuration as the project documentation prints it (a table under the heading
// kIoDocHeading, its column headings repeated on every page): per entry of the project's
// configuration the card's display name, its switch position, first IW and OW, and the
// card's extents in the two word areas.

#include <string>
#include <string_view>
#include <vector>

#include "app/project/project_file.h"
#include "library/io_module_list.h"

namespace zel::library {

inline constexpr std::string_view kIoDocHeading = "IO Configuration";

// The column headings, aligned with the rows.
std::string IoDocumentationColumns();

// One row per stored entry, in list order. An entry naming a card that is not installed
// shows its file name and "?" for the extents; a value that is no entry is shown as
// stored, so the print-out hides nothing the configuration holds.
std::vector<std::string> IoDocumentationRows(const std::vector<std::string>& rawEntries,
                                             const IoModuleList& modules);

// The raw values of the type's section, as IoConfiguration::readRawEntries reads them.
std::vector<std::string> StoredIoEntries(const app::ProjectFile& project, std::string_view type);

}  // namespace zel::library
