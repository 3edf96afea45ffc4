#pragma once
// The project's cross reference: for every operand its modules' modules use, the lines
// that use it. Statement-list modules leave a ".XREF" file at each successful check;
// imported modules exist only compiled, so their usage records stand in for it, with
// line number 0. The table knows when it may be stale ("not recent") and lays itself
// out as the list the documentation output prints or shows.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "build/build_log.h"
#include "stl/alloc/allocation_list.h"

namespace zel::app {
class ProjectModel;
}

namespace zel::build {

namespace fs = std::filesystem;

inline constexpr std::string_view kCrossReferenceFileName = "XREF.txt";
inline constexpr std::string_view kMsgXrefNoProject = "Cross Reference: No project open\r\n";
inline constexpr std::string_view kMsgXrefCannotInitialise =
    "Cross Reference: Cannot initialise Cross Reference\r\n";
inline constexpr std::string_view kMsgXrefCannotAccess = "Cross Reference: Cannot access %s\r\n";
inline constexpr std::string_view kMsgXrefUnknownType =
    "Cross Reference: %s is not a known module type\r\n";
inline constexpr std::string_view kMsgXrefNotRecent =
    "WARNING: This Cross Reference is not recent.";
inline constexpr std::string_view kXrefHeader = "Operand  Symbol     Program     Used in line/rung";

// What the cross reference needs of a project. The module files are the names of
// section "MODULES" in its order, as written there (an unknown extension included).
struct CrossReferenceProject {
  fs::path directory;
  std::string name;
  std::string type;  // controller type: names the imported modules' object files
  fs::path runtimeDirectory;
  std::vector<std::string> moduleFiles;
};

// The open project of `model`, with the run-time library of `programDirectory`. An
// empty name when no project is open.
CrossReferenceProject CrossReferenceProjectOf(const app::ProjectModel& model,
                                              const fs::path& programDirectory);

class CrossReference {
 public:
  // One module's lines of one operand, in the order read; the module's name is without
  // "CZ0".
  struct ModuleLines {
    std::string module;
    std::vector<unsigned> lines;
  };
  // An operand's modules, ordered by name once the table is built.
  using Uses = std::vector<ModuleLines>;
  // Looked up by the views the ".XREF" text is cut into, without a string made for each.
  struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const noexcept {
      return std::hash<std::string_view>{}(text);
    }
  };
  // operand (stored notation) -> its modules
  using Table = std::unordered_map<std::string, Uses, TextHash, std::equal_to<>>;

  // Discards the previous table and reads every module of `project`, printing the
  // progress and every problem to `log`. False when there is nothing to read from.
  bool build(const CrossReferenceProject& project, BuildLog& log);

  const Table& table() const { return m_table; }
  // The lines of `operand` in `module`; empty when it has none.
  std::vector<unsigned> linesOf(const std::string& operand, std::string_view module) const;
  // The operands in list order: the allocation list's operand order, then operands that
  // are no valid operand, by their text.
  const std::vector<std::string>& sortedOperands() const { return m_sorted; }
  bool recent() const { return m_recent; }
  const std::string& projectName() const { return m_projectName; }

  // The list for a line `width` in characters; `symbols` names the operands.
  std::vector<std::string> list(std::size_t width, const stl::AllocationList& symbols) const;

 private:
  void readXref(const fs::path& xrefFile, const fs::path& moduleFile,
                std::optional<std::int64_t> allocTime, const std::string& moduleName,
                BuildLog& log);
  void readImported(const CrossReferenceProject& project, std::string_view baseName,
                    const std::string& moduleName);
  void addUse(std::string_view operand, const std::string& module, unsigned line);
  void sort();

  Table m_table;
  std::vector<std::string> m_sorted;
  bool m_recent = true;
  std::string m_projectName;
};

// The lines of one operand's block: its display text (or "?") and symbol on the first
// line, one line per module, numbers continued on lines that start with 30 blanks.
std::vector<std::string> OperandBlock(std::string_view operand, std::string_view symbol,
                                      const CrossReference::Uses& uses, std::size_t width);

// The line number of an ".XREF" line: decimal digits, a CR or blanks after them allowed.
std::optional<unsigned> XrefLineNumber(std::string_view text);

// The uses of one ".XREF" text: each line "operand line-number"; lines that do not read
// so (no blank, no decimal number) are left out.
// A project's modules hold a million such lines, so `use` is called without indirection.
template <class Use>
void ReadXrefLines(std::string_view text, Use&& use) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const std::size_t blank = line.find(' ');
    if (blank == 0 || blank == std::string_view::npos) continue;
    if (const auto number = XrefLineNumber(line.substr(blank + 1)))
      use(line.substr(0, blank), *number);
  }
}

// How many line numbers fit a printed line of `width`: at least one.
std::size_t NumbersPerLine(std::size_t width);

// Writes `lines` with CR LF to "XREF.txt" in `directory`; false when that failed.
bool WriteCrossReferenceFile(const fs::path& directory, const std::vector<std::string>& lines);

}  // namespace zel::build
