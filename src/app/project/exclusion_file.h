#pragma once
// "Project._PA", which keeps two programs off one project, and whether a running program
// holds it. A holder keeps an advisory lock on the file, so a file left by a program that
// ended (killed, crashed) is told from a live holder's: opening a project takes a stale
// one over and asks only about a live holder, and deleting or renaming a project never
// pulls it from under a program that still has it open.

#include <filesystem>

namespace zel::app {

namespace fs = std::filesystem;

// "Project._PA": present exactly while a program has the project open. Holding the object
// keeps the file open; destroying it closes and deletes the file.
class ExclusionFile {
 public:
  ExclusionFile() = default;
  ExclusionFile(ExclusionFile&& other) noexcept;
  ExclusionFile& operator=(ExclusionFile&& other) noexcept;
  ExclusionFile(const ExclusionFile&) = delete;
  ExclusionFile& operator=(const ExclusionFile&) = delete;
  ~ExclusionFile();

  enum class CreateResult { Ok, CannotCreate, CannotWrite };
  // Creates the file new and writes its 4 bytes.
  static CreateResult create(const fs::path& file, ExclusionFile& out);
  bool held() const { return m_fd >= 0; }
  const fs::path& path() const { return m_path; }
  void release();  // close and delete

 private:
  int m_fd = -1;
  fs::path m_path;
};

// True while some open file description holds the lock ExclusionFile takes, also one of
// this process.
bool IsExclusionFileHeld(const std::filesystem::path& file);

}  // namespace zel::app
