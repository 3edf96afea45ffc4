#pragma once
// A program directory for build tests: a copy of the demo workspace, a Builder whose text
// is collected, and a fixed clock and user, so whole outputs can be compared.

#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>

#include "app/project/project_file.h"
#include "build/project_build.h"
#include "support/temp_dir.h"

namespace zel::build::test {

// Fixed values of every test build.
inline constexpr std::int64_t kBuildTime = 1796648400;  // Mon Dec 07 2026 13:00:00 UTC
inline constexpr std::string_view kUser = "tester";

class CollectedText {
 public:
  void append(std::string_view text) {
    std::lock_guard guard(m_lock);
    m_text.append(text);
  }
  std::string take() {
    std::lock_guard guard(m_lock);
    return std::exchange(m_text, {});
  }

 private:
  std::mutex m_lock;
  std::string m_text;
};

class BuildFixture {
 public:
  // Copies the demo's program directory (projects, run-time libraries, error files).
  BuildFixture();

  const std::filesystem::path& programDirectory() const { return m_dir.path(); }
  std::filesystem::path projectsDirectory() const { return m_dir / "Projects"; }
  std::filesystem::path projectDirectory(std::string_view name = "DEMO") const {
    return projectsDirectory() / name;
  }
  app::ProjectFile projectFile(std::string_view name = "DEMO") const {
    return app::ProjectFile(projectDirectory(name) / "Project.FW4");
  }
  const zel::test::TempDir& dir() const { return m_dir; }

  BuildRequest request(BuildMode mode, std::string_view project = "DEMO") const;
  // Runs a build to its end; the text it printed, the counts in `counts`.
  std::string build(BuildMode mode, std::string_view project = "DEMO",
                    BuildCounts* counts = nullptr);
  std::string build(const BuildRequest& request, BuildCounts* counts = nullptr);

  // Sets every file of the project to `t` (seconds, no bias), object files to `t + 10`.
  void settleTimes(std::string_view project, std::int64_t t) const;

 private:
  zel::test::TempDir m_dir;
  CollectedText m_text;
};

// The text with every occurrence of `from` replaced by `to`.
std::string ReplaceAll(std::string text, std::string_view from, std::string_view to);

}  // namespace zel::build::test
