// A new project made from arbitrary archive bytes (an upload brings them from a
// controller, a restore from any file): a project or a message, never a crash, and never
// one byte written outside the new project's directory, nor a half project left behind.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "archive/project_from_archive.h"

namespace {

namespace fs = std::filesystem;

void Check(bool condition) {
  if (!condition) std::abort();
}

// Every path below `root`, hidden ones too, without following links.
std::size_t CountBelow(const fs::path& root) {
  std::error_code error;
  std::size_t count = 0;
  for (auto it = fs::recursive_directory_iterator(root, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error))
    ++count;
  return count;
}

// A directory of this process's own, gone when the process ends.
struct SandboxDirectory {
  SandboxDirectory()
      : path(fs::temp_directory_path() / ("zel-fuzz-archive-" + std::to_string(::getpid()))) {
    fs::create_directories(path / "projects");
  }
  ~SandboxDirectory() {
    std::error_code error;
    fs::remove_all(path, error);
  }
  fs::path path;
};

const fs::path& Sandbox() {
  static const SandboxDirectory sandbox;
  return sandbox.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const fs::path& sandbox = Sandbox();
  const fs::path zip = sandbox / "in.zip";
  const fs::path projects = sandbox / "projects";
  {
    std::ofstream out(zip, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  zel::archive::ArchiveReport report;
  const bool made = zel::archive::CreateProjectFromArchive(projects, "NEW", zip, report,
                                                           zel::archive::UnpackLimits{1 << 20});
  // Beside the projects directory only the archive; in it only the new project, whole.
  Check(CountBelow(sandbox) == 2 + CountBelow(projects));
  if (made) {
    Check(fs::is_directory(projects / "NEW"));
    Check(CountBelow(projects) == 1 + CountBelow(projects / "NEW"));
    std::error_code error;
    fs::remove_all(projects / "NEW", error);
  }
  Check(CountBelow(projects) == 0);
  return 0;
}
