#pragma once
// Module records: one program, CMP or CFM of a project, named "CZ0" + kind letter +
// two-digit number + "V" + version + extension, and the files derived from that name.

#include <optional>
#include <string>
#include <string_view>

namespace zel::app {

enum class ModuleKind { Program = 0, Cmp = 1, Cfm = 2 };
enum class Language { Unknown = -1, Imported = 0, Stl = 1, Ladder = 2 };

inline constexpr std::size_t kModuleCommentMax = 255;
inline constexpr int kMaxProgramNumber = 63;
inline constexpr int kMaxFunctionModuleNumber = 99;  // CMPs and CFMs
inline constexpr int kMinVersion = 1;
inline constexpr int kMaxVersion = 9;

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

struct ModuleIdentity {
  ModuleKind kind = ModuleKind::Program;
  int number = 0;
  int version = 0;
};

// What a module's file name ("CZ0P05V1.awl", or the bare "CZ0P05V1") says of it; nullopt
// when it does not follow the pattern.
std::optional<ModuleIdentity> ParseModuleName(std::string_view name);

// A value of section "MODULES": "file name,selected,comment". nullopt when the file name
// does not follow the pattern or names an unknown kind.
std::optional<ModuleRecord> ParseModuleEntry(std::string_view entry);
std::string FormatModuleEntry(const ModuleRecord& module);
ModuleRecord MakeModule(Language language, ModuleKind kind, int number, int version,
                        std::string comment);

int MaxModuleNumber(ModuleKind kind);
char KindLetter(ModuleKind kind);
std::string_view LanguageExtension(Language language);  // ".IMP", ".awl", ".kop"
Language LanguageOfFileName(std::string_view fileName);

// "CZ0P01V1.awl" -> "CZ0P01V1.VM1X.OBJ" for type "VM1X".
std::string ObjectFileName(std::string_view fileName, std::string_view type);
// "CZ0P01V1.awl" -> "CZ0P01V1.LOG" for extension ".LOG".
std::string ReplaceExtension(std::string_view fileName, std::string_view extension);

}  // namespace zel::app
