#pragma once
// INI-style ("private-profile") files with the semantics every stored ZEL file relies on:
// section and key names match without regard to case, values are trimmed, unknown
// sections, keys, comments and their order survive a write, and every write replaces the
// file atomically so a crash never leaves a half-written project or preferences file.
//
// Nothing is cached: each call reads the file anew, so a value written is seen by the
// next read at once, also from another program.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zel::platform {

// The buffer size every caller uses unless it says otherwise: a value read holds at most
// kProfileBufferSize - 1 characters.
inline constexpr std::size_t kProfileBufferSize = 260;

// The text of one INI-style file, kept line by line so that a rewrite changes only the
// lines it must. Parsing never fails: lines that are neither a section header nor a
// key=value pair are kept as they are and ignored by lookups.
class IniDocument {
 public:
  static IniDocument parse(std::string_view text);
  std::string serialize() const;

  // Value of the first key of that name in the first section of that name, trimmed of
  // blanks and tabs, and stripped of one pair of matching surrounding quotes.
  std::optional<std::string> get(std::string_view section, std::string_view key) const;
  // Replaces the first such key's value, or appends the key at the end of the section,
  // creating the section at the end of the file when needed.
  void set(std::string_view section, std::string_view key, std::string_view value);
  // Returns true when something was removed.
  bool removeKey(std::string_view section, std::string_view key);
  bool removeSection(std::string_view section);
  std::vector<std::string> sections() const;  // in file order, first spelling of each
  std::vector<std::string> keys(std::string_view section) const;  // in file order
  bool hasSection(std::string_view section) const;

 private:
  std::vector<std::string> m_lines;  // without line ends
  std::string m_eol = "\r\n";        // the file's own line end is kept on writing
  bool m_finalEol = true;
};

// The file is looked up without regard to case (an existing "zel.ini" serves "ZEL.INI").
// Reads of a missing or unreadable file give the default, cut at its trailing blanks.
std::string ReadProfileString(const std::filesystem::path& file, std::string_view section,
                              std::string_view key, std::string_view def,
                              std::size_t bufferSize = kProfileBufferSize);
// GetPrivateProfileInt: the leading decimal number of the value (with sign), else def.
long ReadProfileInt(const std::filesystem::path& file, std::string_view section,
                    std::string_view key, long def);
// Writes create the file when missing. They return false when the file could not be
// written; the old file is then left untouched.
bool WriteProfileString(const std::filesystem::path& file, std::string_view section,
                        std::string_view key, std::string_view value);
bool RemoveProfileKey(const std::filesystem::path& file, std::string_view section,
                      std::string_view key);
bool RemoveProfileSection(const std::filesystem::path& file, std::string_view section);
// Replaces the whole section by `entries` (key, value) in this order, in one rewrite of
// the file: a section that is rewritten whole (a project's module list) is never seen,
// nor left by a crash, half written. No entries removes the section.
using ProfileEntries = std::vector<std::pair<std::string, std::string>>;
bool ReplaceProfileSection(const std::filesystem::path& file, std::string_view section,
                           const ProfileEntries& entries);
std::vector<std::string> ProfileSections(const std::filesystem::path& file);
std::vector<std::string> ProfileKeys(const std::filesystem::path& file, std::string_view section);

}  // namespace zel::platform
