#include "platform/profile.h"

#include <algorithm>
#include <climits>
#include <mutex>
#include <unordered_set>

#include "platform/files.h"
#include "platform/no_case.h"

namespace zel::platform {

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

std::string_view Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// "[name]" after optional blanks; a line without the closing bracket is no header.
std::optional<std::string_view> SectionName(std::string_view line) {
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const std::size_t close = text.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(text.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;  // trimmed, quotes still on
};

// "key=value"; comments (";"), headers and lines without "=" or without a key are not
// keys: they are kept in the file but never found.
std::optional<KeyLine> ParseKeyLine(std::string_view line) {
  const std::string_view text = Trim(line);
  if (text.empty() || text.front() == ';' || text.front() == '[') return std::nullopt;
  const std::size_t eq = text.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  const std::string_view key = Trim(text.substr(0, eq));
  if (key.empty()) return std::nullopt;
  return KeyLine{key, Trim(text.substr(eq + 1))};
}

struct SectionRange {
  std::size_t header = 0;  // index of the "[name]" line
  std::size_t end = 0;     // one past the last line of the section
};

std::size_t NextHeader(const std::vector<std::string>& lines, std::size_t from) {
  while (from < lines.size() && !SectionName(lines[from])) ++from;
  return from;
}

std::optional<SectionRange> FindSection(const std::vector<std::string>& lines,
                                        std::string_view name) {
  for (std::size_t i = NextHeader(lines, 0); i < lines.size(); i = NextHeader(lines, i + 1)) {
    if (EqualsNoCase(*SectionName(lines[i]), name))
      return SectionRange{i, NextHeader(lines, i + 1)};
  }
  return std::nullopt;
}

// A name written into the file must read back as the same name and must not turn into
// another line kind or split the line.
bool IsWritableSection(std::string_view name) {
  return !name.empty() && name.find_first_of("]\r\n") == std::string_view::npos;
}

bool IsWritableKey(std::string_view key) {
  return !key.empty() && key.front() != ';' && key.front() != '[' &&
         key.find_first_of("=\r\n") == std::string_view::npos;
}

// A value never spans lines: a line break would plant foreign keys in the file.
std::string_view FirstLine(std::string_view value) {
  return value.substr(0, value.find_first_of("\r\n"));
}

// CRs at a line's end belong to its line end in either style. Kept as content, they would
// read as a CR LF line end once an edit made that line the file's first, or put a line end
// after the file's last line.
std::string_view WithoutTrailingCr(std::string_view line) {
  while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Keeps the lines for which `drop` is false; linear, whatever is removed.
template <typename Drop>
bool FilterLines(std::vector<std::string>& lines, Drop drop) {
  std::vector<std::string> kept;
  kept.reserve(lines.size());
  bool removed = false;
  // A copy: the line it comes from may be moved away below.
  std::optional<std::string> section;
  for (std::string& line : lines) {
    if (const auto name = SectionName(line)) section = std::string(*name);
    if (drop(section ? std::optional<std::string_view>(*section) : std::nullopt, line)) {
      removed = true;
    } else {
      kept.push_back(std::move(line));
    }
  }
  lines = std::move(kept);
  return removed;
}

// The form under which names that differ only in case are counted once.
std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) c = LowerAscii(c);
  return folded;
}

IniDocument LoadForReading(const std::filesystem::path& file) {
  const std::optional<std::filesystem::path> found = FindPathNoCase(file);
  if (!found) return {};
  const std::optional<std::string> text = ReadWholeFile(*found);
  return text ? IniDocument::parse(*text) : IniDocument{};
}

// Each write reads, edits and replaces the whole file; without this lock two threads
// editing one file (the build's "DOWNLOAD" section, the shell's "WINDOWS") would lose one
// of the edits. Other programs are not held off, as with the original functions.
std::mutex g_writeMutex;

struct LoadedProfile {
  std::filesystem::path path;
  std::string text;
  IniDocument doc;
};

// A file that exists but cannot be read is never written: that would replace it.
std::optional<LoadedProfile> LoadForWriting(const std::filesystem::path& file) {
  LoadedProfile loaded;
  if (const std::optional<std::filesystem::path> found = FindPathNoCase(file)) {
    std::optional<std::string> text = ReadWholeFile(*found);
    if (!text) return std::nullopt;
    loaded.path = *found;
    loaded.text = std::move(*text);
  } else {
    loaded.path = ResolvePathNoCase(file);
  }
  loaded.doc = IniDocument::parse(loaded.text);
  return loaded;
}

bool Store(const LoadedProfile& loaded) {
  const std::string text = loaded.doc.serialize();
  if (text == loaded.text && PathExistsNoCase(loaded.path)) return true;
  return WriteFileAtomically(loaded.path, text);
}

}  // namespace

IniDocument IniDocument::parse(std::string_view text) {
  IniDocument doc;
  // The first line end decides the style; a file without any keeps the default.
  const std::size_t firstLf = text.find('\n');
  if (firstLf != std::string_view::npos) {
    doc.m_eol = (firstLf > 0 && text[firstLf - 1] == '\r') ? "\r\n" : "\n";
  }
  doc.m_lines.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t lf = text.find('\n', pos);
    if (lf == std::string_view::npos) {
      doc.m_lines.emplace_back(WithoutTrailingCr(text.substr(pos)));
      doc.m_finalEol = false;
      break;
    }
    doc.m_lines.emplace_back(WithoutTrailingCr(text.substr(pos, lf - pos)));
    pos = lf + 1;
  }
  return doc;
}

std::string IniDocument::serialize() const {
  std::size_t size = 0;
  for (const std::string& line : m_lines) size += line.size() + m_eol.size();
  std::string text;
  text.reserve(size);
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    text += m_lines[i];
    if (i + 1 < m_lines.size() || m_finalEol) text += m_eol;
  }
  return text;
}

std::optional<std::string> IniDocument::get(std::string_view section, std::string_view key) const {
  const std::optional<SectionRange> range = FindSection(m_lines, Trim(section));
  if (!range) return std::nullopt;
  key = Trim(key);
  for (std::size_t i = range->header + 1; i < range->end; ++i) {
    const std::optional<KeyLine> line = ParseKeyLine(m_lines[i]);
    if (line && EqualsNoCase(line->key, key)) return std::string(StripQuotes(line->value));
  }
  return std::nullopt;
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  section = Trim(section);
  key = Trim(key);
  if (!IsWritableSection(section) || !IsWritableKey(key)) return;
  value = FirstLine(value);
  const std::optional<SectionRange> range = FindSection(m_lines, section);
  if (!range) {
    // A new section goes at the end, after one blank line unless the file ends with one.
    if (!m_lines.empty() && !Trim(m_lines.back()).empty()) m_lines.emplace_back();
    m_lines.push_back("[" + std::string(section) + "]");
    m_lines.push_back(std::string(key) + "=" + std::string(value));
    m_finalEol = true;
    return;
  }
  std::size_t insertAt = range->header + 1;
  for (std::size_t i = range->header + 1; i < range->end; ++i) {
    const std::optional<KeyLine> line = ParseKeyLine(m_lines[i]);
    if (!line) continue;
    if (EqualsNoCase(line->key, key)) {
      // An unchanged value keeps its line as it is, blanks and all.
      if (line->value != value) m_lines[i] = std::string(line->key) + "=" + std::string(value);
      return;
    }
    insertAt = i + 1;
  }
  // After the section's last key, so blank lines and comments that lead into the next
  // section stay where they are.
  if (insertAt == m_lines.size()) m_finalEol = true;
  m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                 std::string(key) + "=" + std::string(value));
}

bool IniDocument::removeKey(std::string_view section, std::string_view key) {
  section = Trim(section);
  key = Trim(key);
  return FilterLines(m_lines, [&](std::optional<std::string_view> current, std::string_view line) {
    if (!current || !EqualsNoCase(*current, section)) return false;
    const std::optional<KeyLine> parsed = ParseKeyLine(line);
    return parsed && EqualsNoCase(parsed->key, key);
  });
}

bool IniDocument::removeSection(std::string_view section) {
  section = Trim(section);
  // Every section of that name goes, so a later duplicate cannot resurface.
  return FilterLines(m_lines, [&](std::optional<std::string_view> current, std::string_view) {
    return current && EqualsNoCase(*current, section);
  });
}

std::vector<std::string> IniDocument::sections() const {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (const std::string& line : m_lines) {
    const std::optional<std::string_view> name = SectionName(line);
    if (!name) continue;
    if (seen.insert(Folded(*name)).second) names.emplace_back(*name);
  }
  return names;
}

std::vector<std::string> IniDocument::keys(std::string_view section) const {
  std::vector<std::string> names;
  const std::optional<SectionRange> range = FindSection(m_lines, Trim(section));
  if (!range) return names;
  std::unordered_set<std::string> seen;
  for (std::size_t i = range->header + 1; i < range->end; ++i) {
    const std::optional<KeyLine> line = ParseKeyLine(m_lines[i]);
    if (!line) continue;
    if (seen.insert(Folded(line->key)).second) names.emplace_back(line->key);
  }
  return names;
}

bool IniDocument::hasSection(std::string_view section) const {
  return FindSection(m_lines, Trim(section)).has_value();
}

std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view def, std::size_t bufferSize) {
  // As with the original function, a default is cut at its trailing blanks too.
  std::string value = LoadForReading(file)
                          .get(section, key)
                          .value_or(std::string(def.substr(0, def.find_last_not_of(' ') + 1)));
  const std::size_t limit = bufferSize == 0 ? 0 : bufferSize - 1;
  if (value.size() > limit) value.resize(limit);
  return value;
}

long ReadProfileInt(const std::filesystem::path& file, std::string_view section,
                    std::string_view key, long def) {
  const std::optional<std::string> value = LoadForReading(file).get(section, key);
  if (!value) return def;
  std::string_view text = Trim(*value);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.front() < '0' || text.front() > '9') return def;
  long result = 0;
  // Accumulated negatively so that LONG_MIN fits; too many digits saturate.
  for (char c : text) {
    if (c < '0' || c > '9') break;
    const int digit = c - '0';
    result = (result < (LONG_MIN + digit) / 10) ? LONG_MIN : result * 10 - digit;
  }
  if (negative) return result;
  return result == LONG_MIN ? LONG_MAX : -result;
}

bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value) {
  if (!IsWritableSection(Trim(section)) || !IsWritableKey(Trim(key))) return false;
  const std::lock_guard lock(g_writeMutex);
  std::optional<LoadedProfile> loaded = LoadForWriting(file);
  if (!loaded) return false;
  loaded->doc.set(section, key, value);
  return Store(*loaded);
}

bool RemoveProfileKey(const std::filesystem::path& file, std::string_view section,
                      std::string_view key) {
  const std::lock_guard lock(g_writeMutex);
  std::optional<LoadedProfile> loaded = LoadForWriting(file);
  if (!loaded) return false;
  if (!loaded->doc.removeKey(section, key)) return true;
  return Store(*loaded);
}

bool RemoveProfileSection(const std::filesystem::path& file, std::string_view section) {
  const std::lock_guard lock(g_writeMutex);
  std::optional<LoadedProfile> loaded = LoadForWriting(file);
  if (!loaded) return false;
  if (!loaded->doc.removeSection(section)) return true;
  return Store(*loaded);
}

bool ReplaceProfileSection(const std::filesystem::path& file, std::string_view section,
                           const ProfileEntries& entries) {
  if (!IsWritableSection(Trim(section))) return false;
  for (const auto& [key, value] : entries) {
    if (!IsWritableKey(Trim(key))) return false;
  }
  const std::lock_guard lock(g_writeMutex);
  std::optional<LoadedProfile> loaded = LoadForWriting(file);
  if (!loaded) return false;
  loaded->doc.removeSection(section);
  for (const auto& [key, value] : entries) loaded->doc.set(section, key, value);
  return Store(*loaded);
}

std::vector<std::string> ProfileSections(const std::filesystem::path& file) {
  return LoadForReading(file).sections();
}

std::vector<std::string> ProfileKeys(const std::filesystem::path& file, std::string_view section) {
  return LoadForReading(file).keys(section);
}

}  // namespace zel::platform
