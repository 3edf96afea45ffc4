#pragma once
// The files a driver script brings: section "INSTALL", "NEEDFILE_0", "NEEDFILE_1", ...
// up to the first empty value, each two words: a source file name (taken from the
// script's own folder when installing) and a destination directory. The value is split
// into its words first and the tokens of each word replaced afterwards (install mode),
// so a directory whose name holds a blank still works.
//
// A script must not make the library touch files elsewhere: the source is a bare file
// name (no separator, not "." or ".."), and the destination must lie inside the program
// directory's tree once the tokens are replaced.

#include <filesystem>
#include <string>
#include <vector>

#include "app/tools/replace_tokens.h"
#include "library/driver_script.h"

namespace zel::library {

struct NeedFile {
  std::string raw;                    // the value as written
  std::string source;                 // bare file name
  std::filesystem::path destination;  // absolute directory inside the program directory
  std::filesystem::path target() const { return destination / source; }
};

struct NeedFiles {
  std::vector<NeedFile> files;  // the entries before the first empty or refused one
  bool refused = false;         // an entry was refused (the list ended there)
};

// Reads the script's needed files. With `tell`, a refused entry is reported:
// "'%s'\n\nInvalid replacements in NEEDFILE." (the raw value) when a token cannot be
// replaced or a word is missing, or the messages for a source with a directory and a
// destination outside the program directory.
NeedFiles ReadNeedFiles(const DriverScript& script, const app::TokenValues& tokens, bool tell);

}  // namespace zel::library
