#include "app/modules/module.h"

#include <cstdio>

#include "platform/no_case.h"

namespace zel::app {

namespace {

constexpr std::string_view kExtImported = ".IMP";
constexpr std::string_view kExtStl = ".awl";
constexpr std::string_view kExtLadder = ".kop";

std::string DisplayName(ModuleKind kind, int number, int version) {
  const char* pattern = kind == ModuleKind::Program ? "Program %2d (V%d)"
                        : kind == ModuleKind::Cmp   ? "CMP %2d (V%d)"
                                                    : "CFM %2d (V%d)";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, pattern, number, version);
  return buffer;
}

std::string CutComment(std::string comment) {
  if (comment.size() > kModuleCommentMax) comment.resize(kModuleCommentMax);
  return comment;
}

}  // namespace

std::optional<ModuleRecord> ParseModuleEntry(std::string_view entry) {
  const std::size_t firstComma = entry.find(',');
  const std::string_view fileName = entry.substr(0, firstComma);
  const auto identity = ParseModuleName(fileName);
  if (!identity) return std::nullopt;

  ModuleRecord module;
  module.fileName = std::string(fileName);
  module.kind = identity->kind;
  module.number = identity->number;
  module.version = identity->version;
  module.language = LanguageOfFileName(fileName);
  module.displayName = DisplayName(module.kind, module.number, module.version);
  if (firstComma != std::string_view::npos) {
    module.selected = firstComma + 1 < entry.size() && entry[firstComma + 1] == '1';
    const std::size_t secondComma = entry.find(',', firstComma + 1);
    if (secondComma != std::string_view::npos) {
      module.comment = CutComment(std::string(entry.substr(secondComma + 1)));
    }
  }
  return module;
}

std::string FormatModuleEntry(const ModuleRecord& module) {
  return module.fileName + ',' + (module.selected ? '1' : '0') + ',' + module.comment;
}

ModuleRecord MakeModule(Language language, ModuleKind kind, int number, int version,
                        std::string comment) {
  ModuleRecord module;
  module.language = language;
  module.kind = kind;
  module.number = number;
  module.version = version;
  module.comment = CutComment(std::move(comment));
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "CZ0%c%02dV%1d", KindLetter(kind), number, version);
  module.fileName = std::string(buffer) + std::string(LanguageExtension(language));
  module.displayName = DisplayName(kind, number, version);
  return module;
}

std::string_view LanguageExtension(Language language) {
  switch (language) {
    case Language::Imported:
      return kExtImported;
    case Language::Stl:
      return kExtStl;
    case Language::Ladder:
      return kExtLadder;
    case Language::Unknown:
      break;
  }
  return {};
}

Language LanguageOfFileName(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return Language::Unknown;
  const std::string_view extension = fileName.substr(dot);
  if (platform::EqualsNoCase(extension, kExtImported)) return Language::Imported;
  if (platform::EqualsNoCase(extension, kExtStl)) return Language::Stl;
  if (platform::EqualsNoCase(extension, kExtLadder)) return Language::Ladder;
  return Language::Unknown;
}

// The type comes from the project file, which may be edited by hand: a separator in it
// must not put the object file, which the compiler writes and deletes, outside the
// project's directory.
std::string ObjectFileName(std::string_view fileName, std::string_view type) {
  std::string name = ReplaceExtension(fileName, "") + '.' + std::string(type) + ".OBJ";
  for (char& c : name) {
    if (c == '/' || c == '\\') c = '_';
  }
  return name;
}

std::string ReplaceExtension(std::string_view fileName, std::string_view extension) {
  const std::size_t dot = fileName.rfind('.');
  std::string out(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
  return out + std::string(extension);
}

}  // namespace zel::app
