#include "platform/scoped_temp_dir.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>

namespace zel::test {

ScopedTempDir::ScopedTempDir() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  m_path = std::filesystem::temp_directory_path() /
           ("zel-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1)) +
            "-" + std::to_string(stamp));
  std::filesystem::create_directories(m_path);
}

ScopedTempDir::~ScopedTempDir() {
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

}  // namespace zel::test
