#pragma once
// The controller's drives A: to D:, each a folder on the host (root/A, root/B, ...).
// Names are DOS names (8.3, found without regard to case); a path never leaves its
// drive. One file at a time is open for the text block commands.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zel::kzcsim {

struct DosPath {
  char drive = 'C';
  std::vector<std::string> parts;  // upper case
};

class ControllerDrives {
 public:
  ControllerDrives(std::filesystem::path root, std::uint64_t capacity);

  // Current directory back to the first drive's root, no file open, no listing.
  void Reset();
  // The letters of the drives present, "ABC" for three.
  std::string Letters() const;
  // "C:\" or "C:\DATA\LOGS".
  std::string CurrentDirectory() const;
  bool ChangeDirectory(std::string_view path);
  // Capacity less what the files of the current drive take, never below 0.
  std::uint64_t FreeBytes() const;

  // Names in the current directory matching `pattern`: "." and ".." first outside a
  // drive's root. nullopt when the listing has ended.
  std::optional<std::string> FirstEntry(std::string_view pattern);
  std::optional<std::string> NextEntry();

  struct FileInfo {
    std::uint64_t size = 0;
    std::int64_t mtime = 0;  // seconds since 1970
  };
  std::optional<FileInfo> Info(std::string_view name) const;
  bool SetTime(std::string_view name, std::int64_t mtime);
  bool Exists(std::string_view name) const;
  bool Delete(std::string_view name);

  // Opens an existing file or creates it; a file already open is closed first.
  bool Open(std::string_view name);
  bool Close();
  bool isOpen() const { return m_file != nullptr; }
  bool Seek(std::uint64_t offset);
  bool Write(std::string_view bytes);
  // Up to `max` bytes from the position; empty at the end of the file; nullopt on error.
  std::optional<std::string> Read(std::size_t max);
  // Cuts the open file at the position (the end of a text write).
  bool Truncate();

  // A DOS path relative to the current directory, or nullopt when it is not one.
  std::optional<DosPath> Parse(std::string_view path) const;
  // Where a DOS path lives on the host (existing spelling when it exists).
  std::optional<std::filesystem::path> HostPath(const DosPath& path) const;

 private:
  struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  std::filesystem::path m_root;
  std::uint64_t m_capacity;
  DosPath m_current;
  std::vector<std::string> m_listing;
  std::size_t m_listed = 0;
  std::unique_ptr<std::FILE, FileCloser> m_file;
  std::filesystem::path m_openPath;
  std::uint64_t m_position = 0;
};

}  // namespace zel::kzcsim
