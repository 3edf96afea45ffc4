// The steps that write the project's identity and its plain texts.

#include <array>

#include "app/project/project_file.h"
#include "app/settings/settings_schema.h"
#include "platform/code_page.h"
#include "platform/desktop.h"
#include "platform/no_case.h"
#include "platform/timebase.h"
#include "tools/orvix/conversion_state.h"
#include "tools/orvix/dos_text.h"
#include "tools/orvix/orvix_messages.h"
#include "tools/orvix/v3_records.h"

namespace zel::orvix {

namespace {

// Files of the version-3 programs that mean nothing to the new one.
constexpr std::array<std::string_view, 9> kDroppedFiles = {
    "title.doc",    "header.doc",  "makro.kzc",    "page",        "startup.bat",
    "machpost.txt", "unitpre.txt", "unitpost.txt", "machpre.txt",
};
constexpr std::string_view kMachpreFile = "machpre.txt";
constexpr std::string_view kDocSource = "c.doc";
constexpr std::string_view kAllocSource = "c.bel";
constexpr std::string_view kPasswordSource = "password.txt";
constexpr std::size_t kPasswordLimit = 127;
constexpr std::string_view kProjectTreePlacement = "0,1,-1,-1,-1,-1,0,0,180,300";

}  // namespace

void TakeUncopiedFiles(ConversionState& state) {
  state.machpre = state.files.contains(kMachpreFile);
  for (std::string_view name : kDroppedFiles) state.files.take(name);
  state.files.take(state.project.name + ".run");
  state.files.take(state.project.name + ".zel");
}

void WriteProjectIdentity(ConversionState& state) {
  auto& file = state.projectFile;
  file.set(app::kSectionProject, "COMMENT", state.project.comment);
  std::string user = platform::UserLoginName().value_or(std::string{});
  if (user.empty()) user = kUnknownUser;
  file.set(app::kSectionProject, "CREATED",
           std::string(kCreatedPrefix) + platform::LocaleDateTime(state.now) + " by " + user);
}

void ConvertDocumentation(ConversionState& state) {
  const auto text = state.readSource(kDocSource);
  state.files.take(kDocSource);
  if (!text) return;
  state.writeTarget(app::kDocFileName, ConvertDosText(*text));
}

void ConvertAllocationListFile(ConversionState& state) {
  const auto data = state.readSource(kAllocSource);
  state.files.take(kAllocSource);
  if (!data) return;
  state.writeTarget(app::kAllocListFileName, ConvertAllocationList(*data));
}

void WriteControllerType(ConversionState& state) {
  auto& file = state.projectFile;
  file.set(app::kSectionProject, "TARGET", state.typeName);
  file.set(app::kSectionProject, app::kKeyPassword, "");
  file.set(app::kSectionProject, "USE_MPRAM_IO", "0");
  file.set(app::kSectionProject, "TIMESTAMP", std::to_string(state.now) + "l");
}

void ConvertPassword(ConversionState& state) {
  const auto text = state.readSource(kPasswordSource);
  state.files.take(kPasswordSource);
  if (!text) return;
  const std::string password = FirstLine(*text, kPasswordLimit);
  if (!password.empty()) state.projectFile.set(app::kSectionProject, app::kKeyPassword, password);
}

void WriteWindows(ConversionState& state) {
  state.projectFile.set(app::kSectionWindows, "ProjectTree", kProjectTreePlacement);
}

}  // namespace zel::orvix
