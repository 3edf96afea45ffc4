#pragma once
// The process's one load of the controller access library, shared by every
// ControllerLink: a use count, the handle and the exports resolved by name. The library is
// loaded by the first link and unloaded when the last one goes, so it never stays loaded
// while nobody talks to a controller, and never goes while a link still holds its
// functions.

#include <array>
#include <cstddef>
#include <filesystem>
#include <vector>

#include "access/telvane_exports.h"

namespace zel::access {

// The exports resolved so far, in the order of Export; those after the first missing one
// stay null.
struct ResolvedExports {
  std::array<void*, kExportCount> functions{};
  std::size_t resolved = 0;  // how many of the chain were found before the first gap
  bool complete() const { return resolved == kExportCount; }
  void* get(Export e) const { return functions[static_cast<std::size_t>(e)]; }
};

struct LibraryUse {
  bool loaded = false;
  ResolvedExports exports;
};

// Raises the use count and loads the library when it is not loaded (an earlier link that
// failed to load it leaves nothing behind that would keep a later one from trying), then
// resolves the exports.
LibraryUse AcquireLibrary();
// Lowers the use count; at 0 the library is unloaded.
void ReleaseLibrary();
int LibraryUseCount();
bool LibraryLoaded();

// Where the library is looked for, in order: beside the running program, then by name
// through the normal search path.
std::vector<std::filesystem::path> LibraryCandidates();

// Loads the library from `path` only, instead of the places above; an empty path restores
// them. For tests that load stand-ins; takes effect at the next load.
void SetLibraryPathOverride(std::filesystem::path path);

}  // namespace zel::access
