#pragma once
// What an archive entry's stored name means below the directory it is unpacked into.
// Names come from outside: whatever they say, the result never leaves that directory.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::archive {

struct EntryPath {
  std::vector<std::string> parts;  // plain names, none empty, "." or ".."
  bool directory = false;          // the name ended in a separator
};

// The entry's path with "/" and "\" both taken as separators and "." parts dropped;
// nullopt for a name that is empty, absolute, starts with a drive letter, has a ".." part
// or a control character.
std::optional<EntryPath> ParseEntryPath(std::string_view stored);

// `parts` joined with "/".
std::string JoinEntryPath(const std::vector<std::string>& parts);

}  // namespace zel::archive
