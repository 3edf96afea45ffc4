#pragma once
// The fixed-record files of a version-3 installation. A record is a fixed-size block; a
// counted string is a length byte followed by its characters within a field of stated
// size. Every reader takes whole records only: a short record at the end ends the
// reading, as the old programs read them. A length byte larger than its field is cut to
// the field, so nothing is ever read past a field or a record.
//
// Texts are returned as stored (OEM code page); the callers convert what is shown or
// written as text.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::orvix {

// The counted string at `offset` of `record` whose characters fill at most `capacity`
// bytes after the length byte. Empty when the record ends before the length byte.
std::string CountedString(std::string_view record, std::size_t offset, std::size_t capacity);

// The whole records of `data`, each `size` bytes; a shorter tail is left out.
std::vector<std::string_view> WholeRecords(std::string_view data, std::size_t size);

inline constexpr std::size_t kKonfigRecordSize = 41;
inline constexpr std::size_t kKonfigPathRecord = 15;  // the 16th record
inline constexpr std::size_t kProjectListRecordSize = 83;
inline constexpr std::size_t kModuleRecordSize = 83;
inline constexpr std::size_t kIoRecordSize = 33;
inline constexpr std::size_t kRunModeRecordSize = 41;
inline constexpr std::size_t kDriverRecordSize = 10;
inline constexpr std::size_t kAllocationRecordSize = 64;

// "konfig.kzc": the directory of the version-3 projects, as its 16th record holds it,
// without the last character (the closing backslash). nullopt when the file has no 16th
// record or the text is empty.
std::optional<std::string> ReadKonfigProjectsPath(std::string_view data);

struct ProjectListEntry {
  std::string name;
  std::string comment;  // OEM
};
// "kzcproj.zel": name (20 characters) and comment (at offset 21, 61 characters).
std::vector<ProjectListEntry> ReadProjectList(std::string_view data);

struct ModuleRecord {
  std::string baseName;   // 8 characters
  std::string extension;  // "AWL", "KOP", "FUP", "OBJ" or anything else
  bool selected = false;  // "*" at offset 13
  std::string comment;    // OEM
};
// The project's ".zel" file.
std::vector<ModuleRecord> ReadModuleList(std::string_view data);

struct IoRecord {
  std::string module;  // up to 20 characters
  std::string switchPosition;
  std::string iw;
  std::string ow;
};
// "eacfg.*": four counted strings at 0, 21, 25 and 29.
std::vector<IoRecord> ReadIoConfiguration(std::string_view data);

// "runmode.kzc": one counted string (40 characters) per record.
std::vector<std::string> ReadRunModeTexts(std::string_view data);

// "drivers.*": one counted driver name (9 characters) per record.
std::vector<std::string> ReadDriverNames(std::string_view data);

// "c.bel" made an allocation list of the new project: every whole record with its
// symbol and comment converted to Windows-1252, the comment cut to the 36 characters the
// list keeps, byte 57 the comment's end mark and byte 63 a blank.
std::string ConvertAllocationList(std::string_view data);

}  // namespace zel::orvix
