#include "app/module.h"

#include <cctype>
#include <cstdio>
#include <limits>

#include "app/text_compare.h"

namespace zel::app {

namespace {

constexpr std::string_view kFileNamePrefix = "CZ0";
constexpr std::string_view kVersionLetter = "V";
constexpr std::string_view kExtImported = ".IMP";
constexpr std::string_view kExtStl = ".awl";
constexpr std::string_view kExtLadder = ".kop";

struct Scanned {
  long long value;
  std::size_t end;
};

// One "%d" of a scanf pattern: blanks skipped, an optional sign, then digits. Unlike
// scanf, a number too large for the field does not read at all.
std::optional<Scanned> ScanDecimal(std::string_view text, std::size_t pos) {
  while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  const std::size_t digitsStart = pos;
  long long value = 0;
  constexpr long long kLimit = std::numeric_limits<int>::max();
  while (pos < text.size() && std::isdigit(static_cast<unsigned char>(text[pos]))) {
    value = value * 10 + (text[pos++] - '0');
    if (value > kLimit) return std::nullopt;
  }
  if (pos == digitsStart) return std::nullopt;
  return Scanned{negative ? -value : value, pos};
}

std::optional<ModuleKind> KindOfLetter(char letter) {
  switch (letter) {
    case 'P':
    case 'p':
      return ModuleKind::Program;
    case 'B':
    case 'b':
      return ModuleKind::Cmp;
    case 'F':
    case 'f':
      return ModuleKind::Cfm;
    default:
      return std::nullopt;
  }
}

struct Identity {
  ModuleKind kind;
  int number;
  int version;
};

// The file name read by "CZ0%c%dV%d". The letters match without regard to case, as the
// file names they stand for do. Numbers that no module file name can carry (a negative
// one, a number of more than two digits, a version of more than one) are refused like a
// name that does not follow the pattern.
std::optional<Identity> ScanFileName(std::string_view name) {
  if (name.size() <= kFileNamePrefix.size() || !StartsWithNoCase(name, kFileNamePrefix)) {
    return std::nullopt;
  }
  const auto kind = KindOfLetter(name[kFileNamePrefix.size()]);
  const auto number = ScanDecimal(name, kFileNamePrefix.size() + 1);
  if (!kind || !number || number->end >= name.size() ||
      !EqualsNoCase(name.substr(number->end, 1), kVersionLetter)) {
    return std::nullopt;
  }
  const auto version = ScanDecimal(name, number->end + 1);
  if (!version) return std::nullopt;
  if (number->value < 0 || number->value > kMaxFunctionModuleNumber || version->value < 0 ||
      version->value > kMaxVersion) {
    return std::nullopt;
  }
  return Identity{*kind, static_cast<int>(number->value), static_cast<int>(version->value)};
}

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
  const auto identity = ScanFileName(fileName);
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

int MaxModuleNumber(ModuleKind kind) {
  return kind == ModuleKind::Program ? kMaxProgramNumber : kMaxFunctionModuleNumber;
}

char KindLetter(ModuleKind kind) {
  switch (kind) {
    case ModuleKind::Program:
      return 'P';
    case ModuleKind::Cmp:
      return 'B';
    case ModuleKind::Cfm:
      return 'F';
  }
  return 'P';
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
  if (EqualsNoCase(extension, kExtImported)) return Language::Imported;
  if (EqualsNoCase(extension, kExtStl)) return Language::Stl;
  if (EqualsNoCase(extension, kExtLadder)) return Language::Ladder;
  return Language::Unknown;
}

std::string ObjectFileName(std::string_view fileName, std::string_view type) {
  const std::size_t dot = fileName.rfind('.');
  std::string out(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
  return out + '.' + std::string(type) + ".OBJ";
}

std::string ReplaceExtension(std::string_view fileName, std::string_view extension) {
  const std::size_t dot = fileName.rfind('.');
  std::string out(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
  return out + std::string(extension);
}

}  // namespace zel::app
