#pragma once
// The name every module of a project carries: "CZ0" + kind letter + number + "V" +
// version. The project store names its files with it and the code generator reads the
// module's kind and number from it, so it lives with the language, below both.

#include <optional>
#include <string_view>

namespace zel::stl {

enum class ModuleKind { Program = 0, Cmp = 1, Cfm = 2 };

inline constexpr int kMaxProgramNumber = 63;
inline constexpr int kMaxFunctionModuleNumber = 99;  // CMPs and CFMs
inline constexpr int kMinVersion = 1;
inline constexpr int kMaxVersion = 9;

struct ModuleIdentity {
  ModuleKind kind = ModuleKind::Program;
  int number = 0;
  int version = 0;
};

// What a module's file name ("CZ0P05V1.awl", or the bare "CZ0P05V1") says of it; nullopt
// when it does not follow the pattern.
std::optional<ModuleIdentity> ParseModuleName(std::string_view name);

int MaxModuleNumber(ModuleKind kind);
char KindLetter(ModuleKind kind);

}  // namespace zel::stl
