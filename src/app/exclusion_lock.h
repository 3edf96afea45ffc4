#pragma once
// Whether a running program holds a project's exclusion file. The file's mere presence
// is what opening a project asks about (a stale one is the user's to ignore); deleting
// or renaming a project must not pull it from under a program that still has it open,
// so those ask whether the holder is alive. A holder keeps an advisory lock on the file.

#include <filesystem>

namespace zel::app {

// True while some open file description holds the lock ExclusionFile takes, also one of
// this process.
bool IsExclusionFileHeld(const std::filesystem::path& file);

}  // namespace zel::app
