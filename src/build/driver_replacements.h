#pragma once
// The replacement table of one driver: every value the build reads from a driver script
// passes through it, so a script can name the program's folders, the project and its own
// constants and options as "<<<KEY>>>".
//
// The table, in the order its keys are tried:
//   ZELDIR, RUNTIMEDIR, CURRENTPROJECT, PROJECT, TARGET, LANGUAGE, ALLPROJECTS,
//   each key of the script's "CONST" section (value trimmed; one that opens with ' or "
//   ends before the next such mark, marks dropped),
//   each key of the project's "<type>_DRV_<name>" section (the options as entered).
// A directory token followed by a backslash (the scripts are written with the other
// platform's separator) is joined with "/".

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "build/build_log.h"
#include "library/driver_script.h"

namespace zel::build {

// What a build knows that the drivers may ask for.
struct DriverContext {
  std::filesystem::path programDirectory;   // holds "RUNTIME." + type
  std::string type;                         // controller type
  std::filesystem::path projectsDirectory;  // the folder of all projects
  std::string projectName;                  // the project folder inside it
  std::filesystem::path projectFile;        // its "Project.FW4" (driver settings)
};

struct Replacement {
  std::string key;  // "<<<" + name + ">>>"
  std::string value;
  bool directory = false;
};
using ReplacementTable = std::vector<Replacement>;

// A replaced text grows no further than this; a table whose values keep bringing their
// own keys back stops here instead of eating memory.
inline constexpr std::size_t kReplacedTextMax = 64 * 1024;

// A "CONST" value as the table holds it.
std::string ConstantValue(std::string_view raw);

ReplacementTable MakeReplacementTable(const DriverContext& context,
                                      const library::DriverScript& script);

struct ReplacedText {
  std::string text;
  bool complete = true;  // false: "<<<" or ">>>" is left, or the text grew too long
};

// Passes over the table in order, each key replacing its first occurrence, until a pass
// replaces nothing or as many passes as the table has keys were made.
ReplacedText ApplyReplacements(std::string_view text, const ReplacementTable& table);

// ApplyReplacements, reporting an incomplete result as an error of the build; the text
// is used as it came out.
ReplacedText ReplaceDriverText(std::string_view text, const ReplacementTable& table, BuildLog& log);

}  // namespace zel::build
