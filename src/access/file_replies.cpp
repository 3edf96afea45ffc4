#include "access/file_replies.h"

#include <cstdio>

#include "platform/timebase.h"

namespace zel::access {
namespace {

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// An unsigned decimal ("%u") at the front of `text`; advances past it. The reply's sizes
// and dates all fit 32 bits.
std::optional<std::int64_t> Unsigned(std::string_view& text) {
  std::size_t pos = 0;
  std::int64_t value = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    value = value * 10 + (text[pos] - '0');
    if (value > 0xFFFFFFFFLL) return std::nullopt;
    ++pos;
  }
  if (pos == 0) return std::nullopt;
  text.remove_prefix(pos);
  return value;
}

bool Literal(std::string_view& text, char c) {
  if (text.empty() || text[0] != c) return false;
  text.remove_prefix(1);
  return true;
}

// Reads the stamp after the "=" and leaves `text` behind its last digit.
std::optional<FileStamp> Stamp(std::string_view& text) {
  std::int64_t fields[7];
  constexpr char kSeparators[7] = {'=', ',', '.', '.', ',', ':', ':'};
  for (int i = 0; i < 7; ++i) {
    if (!Literal(text, kSeparators[i])) return std::nullopt;
    const auto number = Unsigned(text);
    if (!number) return std::nullopt;
    fields[i] = *number;
  }
  FileStamp stamp{fields[0],
                  static_cast<int>(fields[1]),
                  static_cast<int>(fields[2]),
                  static_cast<int>(fields[3]),
                  static_cast<int>(fields[4]),
                  static_cast<int>(fields[5]),
                  static_cast<int>(fields[6])};
  if (fields[1] < 1 || fields[1] > 31 || fields[2] < 1 || fields[2] > 12 || fields[3] > 9999 ||
      fields[4] > 23 || fields[5] > 59 || fields[6] > 59) {
    return std::nullopt;
  }
  return stamp;
}

}  // namespace

std::optional<std::string> ReadDrives(std::string_view reply) {
  if (reply.empty()) return std::nullopt;
  std::string drives;
  for (const char c : reply) {
    if (!IsLetter(c)) return std::nullopt;
    drives += Upper(c);
  }
  return drives;
}

std::optional<std::string> ReadCurrentDirectory(std::string_view reply) {
  if (reply.size() < 4 || reply[0] != '=' || !IsLetter(reply[1]) || reply[2] != ':' ||
      reply[3] != '\\') {
    return std::nullopt;
  }
  std::string path(reply.substr(1));
  path[0] = Upper(path[0]);
  return path;
}

bool IsBlankReply(std::string_view reply) {
  return reply == " ";
}

std::optional<std::int64_t> ReadFreeSpace(std::string_view reply) {
  if (!Literal(reply, '=')) return std::nullopt;
  return Unsigned(reply);
}

std::optional<std::string> ReadDirectoryName(std::string_view reply) {
  if (reply.size() < 2 || reply[0] != '=') return std::nullopt;
  return std::string(reply.substr(1));
}

std::optional<FileStamp> ReadFileStamp(std::string_view reply) {
  return Stamp(reply);
}

std::int64_t ControllerTime(const FileStamp& stamp) {
  return platform::RemoteTime(stamp.year, stamp.month, stamp.day, stamp.hour, stamp.minute,
                              stamp.second);
}

std::optional<DirectoryEntry> ReadDirectoryEntry(std::string_view reply) {
  auto stamp = Stamp(reply);
  if (!stamp) return std::nullopt;
  while (!reply.empty() && (reply[0] == ' ' || reply[0] == ',')) reply.remove_prefix(1);
  if (reply.empty()) return std::nullopt;
  return DirectoryEntry{*stamp, std::string(reply)};
}

std::optional<bool> ReadFileExists(std::string_view reply) {
  if (reply == "=1") return true;
  if (reply == "=0") return false;
  return std::nullopt;
}

std::string SetFileTimeCommand(std::string_view name, const FileStamp& stamp) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, ",%d.%d.%04d,%d:%d:%d", stamp.day, stamp.month, stamp.year,
                stamp.hour, stamp.minute, stamp.second);
  return "FT" + std::string(name) + buffer;
}

}  // namespace zel::access
