#include "build/cross_reference.h"

#include <algorithm>
#include <fstream>
#include <optional>
#include <unordered_map>

#include "app/modules/module.h"
#include "app/project/project_file.h"
#include "app/project/project_model.h"
#include "app/text/text_format.h"
#include "build/compiled_module.h"
#include "build/usage_operands.h"
#include "library/runtime_folder.h"
#include "platform/files.h"
#include "platform/no_case.h"
#include "platform/timebase.h"
#include "stl/alloc/allocation_order.h"
#include "stl/lang/module_name.h"
#include "stl/lang/operand.h"

namespace zel::build {

namespace {

constexpr std::size_t kOperandColumn = 9;
constexpr std::size_t kModuleColumn = 20;
constexpr std::size_t kNumbersColumn = 30;
constexpr std::size_t kNumberWidth = 5;
constexpr std::size_t kCutFromModuleName = 3;  // "CZ0"

void PadTo(std::string& text, std::size_t column) {
  if (text.size() < column) text.append(column - text.size(), ' ');
}

// A module whose identity the import would refuse is no module to read.
bool IsImportableName(std::string_view baseName) {
  const auto identity = stl::ParseModuleName(baseName);
  return identity && identity->number >= 0 &&
         identity->number <= stl::MaxModuleNumber(identity->kind);
}

// "%5u": right-aligned in five places, wider when it must be.
void AppendNumber(std::string& line, unsigned number) {
  char field[16];
  char* end = field + sizeof field;
  char* start = end;
  do {
    *--start = static_cast<char>('0' + number % 10);
    number /= 10;
  } while (number != 0);
  while (end - start < static_cast<std::ptrdiff_t>(kNumberWidth)) *--start = ' ';
  line.append(start, end);
}

std::span<const std::uint8_t> AsBytes(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

}  // namespace

CrossReferenceProject CrossReferenceProjectOf(const app::ProjectModel& model,
                                              const fs::path& programDirectory) {
  CrossReferenceProject project;
  if (!model.isOpen()) return project;
  project.directory = model.directory();
  project.name = model.name();
  project.type = model.target();
  if (!project.type.empty() && !programDirectory.empty()) {
    project.runtimeDirectory = library::RuntimeDirectory(programDirectory, project.type);
  }
  const app::ProjectFile& file = model.file();
  for (const std::string& value : file.numberedValues(app::kSectionModules, app::kModuleKeyPrefix))
    project.moduleFiles.push_back(value.substr(0, value.find(',')));
  return project;
}

std::optional<unsigned> XrefLineNumber(std::string_view text) {
  while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.remove_suffix(1);
  if (text.empty() || text.size() > 9) return std::nullopt;
  unsigned value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<unsigned>(c - '0');
  }
  return value;
}

std::size_t NumbersPerLine(std::size_t width) {
  if (width <= kNumbersColumn + kNumberWidth) return 1;
  return (width - kNumbersColumn) / kNumberWidth;
}

bool CrossReference::build(const CrossReferenceProject& project, BuildLog& log) {
  m_table.clear();
  m_sorted.clear();
  m_recent = true;
  m_projectName = project.name;
  log.print("\r\nZEL Project Cross Reference\r\n\r\n");
  if (project.name.empty()) {
    log.print(kMsgXrefNoProject);
    return false;
  }
  if (project.directory.empty() || project.type.empty() || project.runtimeDirectory.empty()) {
    log.print(kMsgXrefCannotInitialise);
    return false;
  }
  const auto allocFile = platform::FindPathNoCase(project.directory / app::kAllocListFileName);
  const std::optional<std::int64_t> allocTime =
      allocFile ? std::optional(platform::FileTime(*allocFile)) : std::nullopt;
  for (const std::string& fileName : project.moduleFiles) {
    log.print(app::FillText("analysing %s\r\n", fileName));
    const std::string_view name = std::string_view(fileName).substr(0, fileName.find('.'));
    const std::string moduleName(name.size() > kCutFromModuleName ? name.substr(kCutFromModuleName)
                                                                  : name);
    const app::Language language = app::LanguageOfFileName(fileName);
    if (language == app::Language::Stl || language == app::Language::Ladder) {
      const fs::path moduleFile = project.directory / fileName;
      const fs::path xrefFile = project.directory / (std::string(name) + ".XREF");
      readXref(xrefFile, moduleFile, allocTime, moduleName, log);
    } else if (language == app::Language::Imported) {
      readImported(project, name, moduleName);
    } else {
      log.print(app::FillText(kMsgXrefUnknownType, fileName));
      m_recent = false;
    }
  }
  sort();
  return true;
}

void CrossReference::readXref(const fs::path& xrefFile, const fs::path& moduleFile,
                              std::optional<std::int64_t> allocTime, const std::string& moduleName,
                              BuildLog& log) {
  const auto found = platform::FindPathNoCase(xrefFile);
  const auto text = found ? platform::ReadWholeFile(*found) : std::nullopt;
  if (!text) {
    log.print(app::FillText(kMsgXrefCannotAccess, xrefFile.string()));
    m_recent = false;
    return;
  }
  const std::int64_t xrefTime = platform::FileTime(*found);
  const auto newer = [&](std::optional<std::int64_t> time) {
    return time && *time >= xrefTime + platform::kFreshnessSlackSeconds;
  };
  const auto source = platform::FindPathNoCase(moduleFile);
  if (newer(allocTime) || newer(source ? std::optional(platform::FileTime(*source)) : std::nullopt))
    m_recent = false;

  ReadXrefLines(
      *text, [&](std::string_view operand, unsigned line) { addUse(operand, moduleName, line); });
}

void CrossReference::readImported(const CrossReferenceProject& project, std::string_view baseName,
                                  const std::string& moduleName) {
  if (!IsImportableName(baseName)) return;
  const std::string objectName = std::string(baseName) + "." + project.type + ".OBJ";
  const auto found = platform::FindPathNoCase(project.directory / objectName);
  const auto size = found ? platform::FileSize(*found) : std::nullopt;
  const auto bytes =
      size && *size <= kLargestModuleFile ? platform::ReadWholeFile(*found) : std::nullopt;
  if (!bytes) return;
  const auto header = ReadModuleHeader(AsBytes(*bytes));
  if (!header || !IsCompiledModule(*header) || !header->hasUsage()) return;
  const auto usage = ReadModuleUsage(AsBytes(*bytes), *header);
  if (!usage) return;
  for (const std::string& operand : UsedOperands(*usage)) addUse(operand, moduleName, 0);
}

// Modules are read one after the other, so a module's lines of an operand are the last
// entry of that operand whenever it has one.
void CrossReference::addUse(std::string_view operand, const std::string& module, unsigned line) {
  auto found = m_table.find(operand);
  if (found == m_table.end()) found = m_table.try_emplace(std::string(operand)).first;
  Uses& uses = found->second;
  if (uses.empty() || uses.back().module != module) {
    uses.push_back({module, {}});
    uses.back().lines.reserve(4);  // most modules use an operand a few times
  }
  uses.back().lines.push_back(line);
}

std::vector<unsigned> CrossReference::linesOf(const std::string& operand,
                                              std::string_view module) const {
  const auto found = m_table.find(operand);
  if (found == m_table.end()) return {};
  for (const auto& uses : found->second) {
    if (uses.module == module) return uses.lines;
  }
  return {};
}

namespace {

// Each operand's modules by name; a module listed twice keeps one entry with the lines of
// both, in the order read.
void SortModules(CrossReference::Uses& uses) {
  std::stable_sort(uses.begin(), uses.end(),
                   [](const auto& a, const auto& b) { return a.module < b.module; });
  std::size_t kept = 0;
  for (std::size_t i = 0; i < uses.size(); ++i) {
    if (kept > 0 && uses[kept - 1].module == uses[i].module) {
      auto& into = uses[kept - 1].lines;
      into.insert(into.end(), uses[i].lines.begin(), uses[i].lines.end());
    } else if (kept++ != i) {
      uses[kept - 1] = std::move(uses[i]);
    }
  }
  uses.resize(kept);
}

}  // namespace

void CrossReference::sort() {
  for (auto& [operand, uses] : m_table) SortModules(uses);
  struct Key {
    std::string text;
    std::optional<stl::Operand> operand;  // absent when the text is no valid operand
  };
  std::vector<Key> keys;
  keys.reserve(m_table.size());
  for (const auto& [text, uses] : m_table) {
    stl::Operand operand;
    const bool valid = stl::StoredToDisplay(text, operand);
    keys.push_back({text, valid ? std::optional(operand) : std::nullopt});
  }
  std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    if (a.operand.has_value() != b.operand.has_value()) return a.operand.has_value();
    if (a.operand) {
      const int order = stl::CompareOperands(*a.operand, *b.operand);
      if (order != 0) return order < 0;
    }
    return a.text < b.text;
  });
  m_sorted.clear();
  m_sorted.reserve(keys.size());
  for (Key& key : keys) m_sorted.push_back(std::move(key.text));
}

std::vector<std::string> OperandBlock(std::string_view operand, std::string_view symbol,
                                      const CrossReference::Uses& uses, std::size_t width) {
  std::vector<std::string> lines;
  const std::size_t perLine = NumbersPerLine(width);
  std::string first(operand);
  PadTo(first, kOperandColumn);
  first += symbol;
  PadTo(first, kModuleColumn);
  bool firstLine = true;
  for (const auto& [module, numbers] : uses) {
    std::string line = firstLine ? first : std::string(kModuleColumn, ' ');
    firstLine = false;
    line.reserve(kNumbersColumn + kNumberWidth * std::min(perLine, numbers.size()) + 8);
    line += module;
    PadTo(line, kNumbersColumn);
    std::size_t onLine = 0;
    for (const unsigned number : numbers) {
      if (onLine == perLine) {
        lines.push_back(std::move(line));
        line.assign(kNumbersColumn, ' ');
        onLine = 0;
      }
      AppendNumber(line, number);
      ++onLine;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

std::vector<std::string> CrossReference::list(std::size_t width,
                                              const stl::AllocationList& symbols) const {
  std::vector<std::string> lines;
  const std::size_t perLine = NumbersPerLine(width);
  std::size_t count = 6;
  for (const auto& [operand, uses] : m_table) {
    for (const ModuleLines& module : uses) count += (module.lines.size() + perLine - 1) / perLine;
  }
  lines.reserve(count);
  lines.push_back("Cross Reference for Project " + m_projectName);
  lines.emplace_back();
  lines.emplace_back(kXrefHeader);
  lines.emplace_back(kXrefHeader.size(), '-');
  // The list's own lookup goes entry by entry; one map serves thousands of operands.
  std::unordered_map<std::string, std::string_view> symbolOf;
  for (const auto& entry : symbols.entries()) {
    symbolOf.try_emplace(platform::UpperAscii(entry.operand.stored), entry.symbol);
  }
  for (const std::string& stored : m_sorted) {
    stl::Operand operand;
    const bool valid = stl::StoredToDisplay(stored, operand);
    const auto found = symbolOf.find(platform::UpperAscii(stored));
    const std::string_view symbol = found != symbolOf.end() ? found->second : std::string_view();
    auto block = OperandBlock(valid ? std::string_view(operand.display) : "?", symbol,
                              m_table.at(stored), width);
    std::move(block.begin(), block.end(), std::back_inserter(lines));
  }
  if (!m_recent) {
    lines.emplace_back();
    lines.emplace_back(kMsgXrefNotRecent);
  }
  return lines;
}

bool WriteCrossReferenceFile(const fs::path& directory, const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  // Derived from the modules, so it needs no flush of its own, only never a half file.
  const fs::path target = platform::ResolvePathNoCase(directory / kCrossReferenceFileName);
  const fs::path temporary = target.parent_path() / (target.filename().string() + ".new");
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())) ||
        !out.flush()) {
      out.close();
      platform::DeleteFileAt(temporary);
      return false;
    }
  }
  // Renaming over the old list would make the file system flush the new one at once;
  // the list is derived, so a moment without one costs nothing.
  platform::DeleteFileAt(target);
  if (platform::MoveFileTo(temporary, target)) return true;
  platform::DeleteFileAt(temporary);
  return false;
}

}  // namespace zel::build
