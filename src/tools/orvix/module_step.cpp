// The program modules: statement-list sources converted, ladder and function-plan
// sources copied, compiled modules taken over as imported modules of the chosen type.

#include <array>

#include "app/project/project_file.h"
#include "platform/code_page.h"
#include "platform/no_case.h"
#include "tools/orvix/conversion_state.h"
#include "tools/orvix/dos_text.h"
#include "tools/orvix/orvix_messages.h"
#include "tools/orvix/safe_name.h"
#include "tools/orvix/v3_records.h"

namespace zel::orvix {

namespace {

constexpr std::size_t kBaseNameLength = 8;

bool IsSourceExtension(std::string_view ext) {
  return platform::EqualsNoCase(ext, "AWL") || platform::EqualsNoCase(ext, "KOP") ||
         platform::EqualsNoCase(ext, "FUP");
}

bool IsDerivedExtension(std::string_view ext) {
  return platform::EqualsNoCase(ext, "OBJ") || platform::EqualsNoCase(ext, "LOG") ||
         platform::EqualsNoCase(ext, "INT");
}

// A source's compiled module, log and intermediate file were made by version 3 and are
// made anew by the build.
void TakeDerivedFiles(FileList& files) {
  std::vector<std::string> stems;
  for (const std::string& name : files.names()) {
    if (IsSourceExtension(ExtensionOf(name))) stems.push_back(name.substr(0, kBaseNameLength));
  }
  files.takeIf([&](std::string_view name) {
    if (!IsDerivedExtension(ExtensionOf(name))) return false;
    const std::string_view stem = name.substr(0, kBaseNameLength);
    for (const std::string& s : stems) {
      if (platform::EqualsNoCase(s, stem)) return true;
    }
    return false;
  });
}

// The module's entry; nullopt when the module is left out or the conversion failed.
std::optional<std::string> ConvertModule(ConversionState& state, const ModuleRecord& record) {
  const std::string fileName = record.baseName + "." + record.extension;
  const bool isObject = platform::EqualsNoCase(record.extension, "OBJ");
  if (!isObject && !IsSourceExtension(record.extension)) return std::nullopt;
  if (!IsSafeV3Name(record.baseName) || !IsSafeV3Name(record.extension)) {
    state.note(Format(kMsgUnsafeName, fileName));
    return std::nullopt;
  }
  const auto source = state.sourcePath(fileName);
  if (!source) {
    state.note(Format(kMsgMissingModuleFile, fileName));
    return std::nullopt;
  }
  const std::string flags =
      std::string(record.selected ? "1" : "0") + "," + platform::OemToCp1252(record.comment);
  state.files.take(source->filename().string());
  if (isObject) {
    if (!state.copyToTarget(*source, record.baseName + "." + state.typeName + ".OBJ")) return {};
    if (!state.writeTarget(record.baseName + ".IMP", "")) return {};
    return record.baseName + ".IMP," + flags;
  }
  if (platform::EqualsNoCase(record.extension, "AWL")) {
    const auto text = state.readSource(fileName);
    if (!text || !state.writeTarget(fileName, ConvertDosText(*text))) return {};
  } else if (!state.copyToTarget(*source, fileName)) {
    return {};
  }
  return fileName + "," + flags;
}

}  // namespace

void ConvertModules(ConversionState& state) {
  TakeDerivedFiles(state.files);
  const auto data = state.readSource(state.project.name + ".zel");
  if (!data) return;
  int written = 0;
  for (const ModuleRecord& record : ReadModuleList(*data)) {
    const auto entry = ConvertModule(state, record);
    if (state.failed()) return;
    if (!entry) continue;
    state.projectFile.set(app::kSectionModules, "SRC_" + std::to_string(written++), *entry);
  }
}

}  // namespace zel::orvix
