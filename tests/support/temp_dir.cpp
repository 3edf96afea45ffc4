#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

namespace zel::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  // The process id keeps parallel test processes apart; the counter keeps the directories
  // of one process apart and steps over any left behind by an earlier process.
  static std::atomic<unsigned> counter{0};
  const fs::path base = fs::temp_directory_path();
  const std::string prefix = "zel-test-" + std::to_string(::getpid()) + "-";
  do {
    m_path = base / (prefix + std::to_string(counter.fetch_add(1)));
  } while (!fs::create_directory(m_path));
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(m_path, ignored);
}

void TempDir::writeFile(const fs::path& relative, std::string_view content) const {
  const fs::path file = m_path / relative;
  std::error_code ignored;
  fs::create_directories(file.parent_path(), ignored);
  std::ofstream out(file, std::ios::binary);
  out << content;
  out.close();
  if (!out) ADD_FAILURE() << "cannot write " << file;
}

std::string TempDir::readFile(const fs::path& relative) const {
  return ReadFile(m_path / relative);
}

std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace zel::test
