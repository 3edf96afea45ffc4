#pragma once
// Installing a driver script into the run-time folder of a controller type, removing it
// and extracting it again, with every question and message going to the user through the
// message box host. Each operation stops at its first failure and leaves the library as
// far as it got, but every file is copied atomically (a temporary name, then a rename),
// so no half-copied file is ever left in the library.
//
// The tools a script brings (its section "TOOLS") are merged into the preferences' tools
// list on install (a tool with the same title, program and flags is replaced in place,
// others are appended) and removed again on deinstall.

#include <filesystem>
#include <string>
#include <string_view>

#include "app/tools/replace_tokens.h"

namespace zel::library {

namespace fs = std::filesystem;

// Where the library works: the program directory (ZEL.INI, the RUNTIME folders, the
// limit for every file a script names), the controller type of the library page, and
// what the tokens "<<<ALLPROJECTS>>>" and "<<<CURRENTPROJECT>>>" stand for.
struct LibraryPlace {
  fs::path programDirectory;
  std::string type;
  fs::path projectDirectory;  // empty: none set
  std::string openProject;    // empty: no project open
};

// The install-mode token values of a place.
app::TokenValues TokenValuesFor(const LibraryPlace& place);

enum class LibraryResult {
  Done,
  Skipped,    // refused (not a script, type not supported, extension changed) or the user
              // declined to overwrite; the user was told
  Cancelled,  // the user said No to deinstalling
  Failed,     // a file could not be copied, deleted or written; the user was told
};

// Installs the script at `scriptFile` (a ".dmk" anywhere) for `place.type`.
LibraryResult InstallDriver(const fs::path& scriptFile, const LibraryPlace& place);
// Removes the driver `name` (asks first). A needed file that another installed script of
// the type also needs is kept.
LibraryResult DeinstallDriver(std::string_view name, const LibraryPlace& place);
// Copies the driver's needed files next to `destination`, then the script to
// `destination` (which must end in ".dmk").
LibraryResult ExtractDriver(std::string_view name, const fs::path& destination,
                            const LibraryPlace& place);

// Copies `from` to `to` through a temporary file beside `to` and a rename; a file copied
// onto itself is left alone. False when it could not be read or written.
bool CopyFileAtomically(const fs::path& from, const fs::path& to);

}  // namespace zel::library
