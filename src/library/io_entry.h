#pragma once
// One entry of a project's IO configuration, as the project file and the clipboard hold
// it: "<module file name>,<switch position>,<first IW>,<first OW>".

#include <optional>
#include <string>
#include <string_view>

namespace zel::library {

// Entry numbers beyond the word areas' reach are not an entry (the areas and the switch
// positions are far smaller; the dialog checks the real limits).
inline constexpr int kMaxIoEntryNumber = 0xFFFF;

struct IoEntry {
  std::string module;  // file name of the IO module script, as stored
  int switchPosition = 0;
  int iw = 0;
  int ow = 0;

  friend bool operator==(const IoEntry&, const IoEntry&) = default;
};

// Reads "%s,%d,%d,%d" with blanks allowed after (and before) each comma. nullopt when the
// module name is empty, a number is missing, not decimal, negative or above
// kMaxIoEntryNumber, or anything but blanks follows the last number.
std::optional<IoEntry> ParseIoEntry(std::string_view text);
// "%s,%d,%d,%d", without blanks.
std::string FormatIoEntry(const IoEntry& entry);

}  // namespace zel::library
