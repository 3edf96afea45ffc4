#pragma once
// A fresh directory under the system's temporary directory, removed with everything in
// it when the test ends.

#include <filesystem>
#include <string>
#include <string_view>

namespace zel::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(std::string_view name) const { return m_path / name; }
  // Creates the parent directories; a file that cannot be written fails the test.
  void writeFile(const std::filesystem::path& relative, std::string_view content) const;
  std::string readFile(const std::filesystem::path& relative) const;  // empty when missing

 private:
  std::filesystem::path m_path;
};

// The whole content of a file; empty when it cannot be read.
std::string ReadFile(const std::filesystem::path& file);

}  // namespace zel::test
