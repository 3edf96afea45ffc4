#pragma once
// A print-out's request as both programs make it: the user, the dates in the locale's forms
// and the preferences that shape the texts, filled in at the moment printing starts.

#include <filesystem>
#include <optional>
#include <string>

#include "app/preferences/preferences.h"
#include "print/print_font.h"
#include "print/print_options.h"
#include "print/project_document.h"

namespace zel::print {

DocumentRequest MakeDocumentRequest(const app::Preferences& preferences,
                                    const std::filesystem::path& projectsDirectory,
                                    std::string projectName, const PrintOptions& options,
                                    std::optional<SectionChoice> single,
                                    std::string productVersion);

// "PRINT_FONT" of the preferences, the default when it is absent or unusable.
PrintFont PreferredPrintFont(const app::Preferences& preferences);

}  // namespace zel::print
