#pragma once
// Module records: one program, CMP or CFM of a project, named "CZ0" + kind letter +
// two-digit number + "V" + version + extension, and the files derived from that name.

#include <optional>
#include <string>
#include <string_view>

#include "stl/lang/module_name.h"

namespace zel::app {

// The name's grammar belongs to the language; the project store speaks of it as its own.
using stl::KindLetter;
using stl::kMaxFunctionModuleNumber;
using stl::kMaxProgramNumber;
using stl::kMaxVersion;
using stl::kMinVersion;
using stl::MaxModuleNumber;
using stl::ModuleIdentity;
using stl::ModuleKind;
using stl::ParseModuleName;
enum class Language { Unknown = -1, Imported = 0, Stl = 1, Ladder = 2 };

inline constexpr std::size_t kModuleCommentMax = 255;

struct ModuleRecord {
  bool selected = false;
  int number = 0;
  int version = 0;
  std::string comment;
  Language language = Language::Unknown;
  ModuleKind kind = ModuleKind::Program;
  std::string fileName;     // "CZ0P01V1.awl"
  std::string displayName;  // "Program  1 (V1)"

  bool sameIdentity(const ModuleRecord& other) const {
    return kind == other.kind && number == other.number && version == other.version;
  }
};

// A value of section "MODULES": "file name,selected,comment". nullopt when the file name
// does not follow the pattern or names an unknown kind.
std::optional<ModuleRecord> ParseModuleEntry(std::string_view entry);
std::string FormatModuleEntry(const ModuleRecord& module);
ModuleRecord MakeModule(Language language, ModuleKind kind, int number, int version,
                        std::string comment);

std::string_view LanguageExtension(Language language);  // ".IMP", ".awl", ".kop"
Language LanguageOfFileName(std::string_view fileName);

// "CZ0P01V1.awl" -> "CZ0P01V1.VM1X.OBJ" for type "VM1X".
std::string ObjectFileName(std::string_view fileName, std::string_view type);
// "CZ0P01V1.awl" -> "CZ0P01V1.LOG" for extension ".LOG".
std::string ReplaceExtension(std::string_view fileName, std::string_view extension);

}  // namespace zel::app
