#pragma once
// Readers of the replies to the file commands ("FP", "FVG", "FS", "FVF"/"FVN", "FT",
// "FE") used by the file transfer, the download and the file window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zel::access {

// "FP": one letter per drive ("ABC"); upper case. nullopt for an empty reply or one with
// anything but letters.
std::optional<std::string> ReadDrives(std::string_view reply);

// "FVG": "=" drive letter ":\" path; the path with its drive ("A:\PROJECTS").
std::optional<std::string> ReadCurrentDirectory(std::string_view reply);

// "FVC", "FXW": the reply of success is one blank.
bool IsBlankReply(std::string_view reply);

// "FS": "=" free bytes.
std::optional<std::int64_t> ReadFreeSpace(std::string_view reply);

// "FVF", "FVN": "=" name. nullopt for a reply without "=" (the end of the listing) or
// without a name.
std::optional<std::string> ReadDirectoryName(std::string_view reply);

// "FT" name: "=" size "," d "." m "." y "," h ":" min ":" s, all unsigned decimal.
struct FileStamp {
  std::int64_t size = 0;
  int day = 0;
  int month = 0;
  int year = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool operator==(const FileStamp&) const = default;
};
// Out-of-range dates and times (month 13, 25 o'clock) are unreadable.
std::optional<FileStamp> ReadFileStamp(std::string_view reply);
// The stamp as seconds since 1970, taken as the controller's local time (with the remote
// bias of the preferences).
std::int64_t ControllerTime(const FileStamp& stamp);

// A directory entry of the file window: a file stamp followed by the name.
struct DirectoryEntry {
  FileStamp stamp;
  std::string name;
  bool operator==(const DirectoryEntry&) const = default;
};
std::optional<DirectoryEntry> ReadDirectoryEntry(std::string_view reply);

// "FE": "=1" exists, "=0" does not.
std::optional<bool> ReadFileExists(std::string_view reply);

// The "FT" command that sets a file's date and time: "FT" name "," d "." m "." y "," h ":"
// min ":" s, the year with four digits.
std::string SetFileTimeCommand(std::string_view name, const FileStamp& stamp);

}  // namespace zel::access
