#pragma once
// External tools: the programs the Extras menu starts. The preferences file keeps them in
// section "TOOLS", numbered from 0 without gaps, four keys per tool formed with its number
// and the language code; driver scripts carry the same keys in their own "TOOLS" section,
// so one reader serves both.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zel::app {

inline constexpr std::string_view kToolsSection = "TOOLS";

// Flag bits of "FLAGS_%d_%s".
inline constexpr int kToolWait = 1;           // wait for the tool to end
inline constexpr int kToolReleasePorts = 2;   // close online windows and the connection first
inline constexpr int kToolReloadProject = 4;  // close the project around the run (with kToolWait)

// The menu has a block of this many command identifiers; later tools are not shown.
inline constexpr std::size_t kMaxMenuTools = 25;
// The text of the one disabled entry that stands in the menu when there are no tools.
inline constexpr std::string_view kNoToolsMenuText = "(External Tools)";

// Value sizes of the keys (characters a value may hold).
inline constexpr std::size_t kToolTitleMax = 255;
inline constexpr std::size_t kToolProgramMax = 259;
inline constexpr std::size_t kToolParametersMax = 255;

struct ToolRecord {
  std::string title;       // menu title; never empty in a stored list
  std::string program;     // may hold replacement tokens
  std::string parameters;  // may hold replacement tokens
  int flags = 0;

  bool waits() const { return (flags & kToolWait) != 0; }
  bool releasesPorts() const { return (flags & kToolReleasePorts) != 0; }
  // The project is closed around the run only when the program also waits for the tool.
  bool reloadsProject() const { return waits() && (flags & kToolReloadProject) != 0; }
  bool operator==(const ToolRecord&) const = default;
};

// "TOOL_%d_%s", "CALL_%d_%s", "PARAM_%d_%s", "FLAGS_%d_%s" with the language code.
std::string ToolTitleKey(std::size_t index);
std::string ToolProgramKey(std::size_t index);
std::string ToolParametersKey(std::size_t index);
std::string ToolFlagsKey(std::size_t index);
// True for a key of those four forms (any number, our language code), ignoring case.
bool IsToolKey(std::string_view key);

// The tools of section "TOOLS" of `file` (the preferences file or a driver script) in
// list order: from number 0 until the first empty title. Values are cut at their sizes.
std::vector<ToolRecord> ReadTools(const std::filesystem::path& file);

// Rewrites section "TOOLS" of `file` with `tools` in list order in one write. Every tool
// key of the old section goes, so a tool removed from the end does not come back from
// its old keys; keys of other forms (other languages) are kept. Values are cut at their
// sizes; a tool without a title is left out, as the list would end there. False when the
// file could not be written.
bool WriteTools(const std::filesystem::path& file, const std::vector<ToolRecord>& tools);

// How many of `tools` the Extras menu shows.
inline std::size_t MenuToolCount(const std::vector<ToolRecord>& tools) {
  return tools.size() < kMaxMenuTools ? tools.size() : kMaxMenuTools;
}

}  // namespace zel::app
