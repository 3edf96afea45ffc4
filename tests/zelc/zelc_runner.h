#pragma once
// Runs the real zelc binary in a throw-away copy of the demo workspace, so the tests see
// exactly what a script would: stdout, stderr and the exit status.

#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace zel::testing {

struct ZelcResult {
  int status = -1;
  std::string out;
  std::string err;
};

class DemoWorkspace {
 public:
  DemoWorkspace();  // copies the bundled demo into a fresh temporary directory

  const std::filesystem::path& dir() const { return m_dir; }
  std::filesystem::path project(const std::string& name) const { return m_dir / "Projects" / name; }
  // zelc with the given arguments, run in the workspace directory; stdin reads `input`.
  ZelcResult run(const std::vector<std::string>& args,
                 const std::filesystem::path& input = "/dev/null") const;

 private:
  test::TempDir m_temp;  // the workspace and the captured output of each run
  std::filesystem::path m_dir;
};

using test::ReadFile;

}  // namespace zel::testing
