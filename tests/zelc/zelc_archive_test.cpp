// End-to-end: zelc backup and restore on the demo project; the exit status says whether
// the archive or the project was made.

#include <gtest/gtest.h>

#include <string>

#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(ZelcArchive, BackupThenRestoreMakesAnEqualProject) {
  DemoWorkspace ws;
  ASSERT_TRUE(fs::copy_file(ws.project("DEMO") / "Project.FW4", ws.dir() / "plain.txt"));
  // Files are named as a shell names them: relative to where zelc runs, so these are
  // whole paths into the workspace.
  const std::string saved = (ws.dir() / "saved.ZIP").string();
  const std::string plain = (ws.dir() / "plain.txt").string();
  const std::string missing = (ws.dir() / "missing.zip").string();
  const std::string other = (ws.dir() / "x.zip").string();
  struct Step {
    std::vector<std::string> args;
    int status;
    std::string said;  // in stdout or stderr
  };
  const Step steps[] = {
      {{"backup", "-p", "DEMO", saved}, 0, "backed up as file " + saved},
      {{"restore", saved, "COPY"}, 0, "COPY"},
      {{"restore", saved, "copy"}, 1, "A project with the same name already exists."},
      {{"restore", saved, "A B"}, 1, "The  project name must not contain spaces."},
      {{"restore", plain, "OTHER"}, 1, "Invalid file name."},
      {{"restore", missing, "OTHER"}, 1, "Failed to restore the project."},
      {{"backup", "-p", "NOSUCH", other}, 1, "Project not found"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.args.front() + " " + step.args.back());
    const auto r = ws.run(step.args);
    EXPECT_EQ(r.status, step.status) << r.out << r.err;
    EXPECT_TRUE(Has(r.out + r.err, step.said)) << r.out << r.err;
  }
  EXPECT_FALSE(fs::exists(ws.project("OTHER")));
  EXPECT_FALSE(fs::exists(ws.dir() / "x.zip"));
  for (const auto& entry : fs::directory_iterator(ws.project("DEMO"))) {
    const fs::path copy = ws.project("COPY") / entry.path().filename();
    EXPECT_EQ(ReadFile(copy), ReadFile(entry.path())) << copy;
  }
}

}  // namespace
}  // namespace zel::testing
