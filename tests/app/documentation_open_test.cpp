// Opening a document with the desktop, and the program's own window when the desktop
// has no application for it.

#include "app/project/documentation_open.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "support/scripted_answers.h"
#include "support/temp_dir.h"

namespace zel::app {
namespace {

// A stand-in for the desktop's opener, alone on PATH while the test runs.
class OpenWithDesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* path = std::getenv("PATH")) m_oldPath = path;
    fs::create_directory(m_dir / "bin");
    setenv("PATH", (m_dir / "bin").c_str(), 1);
    std::ofstream(m_dir / "Project.txt") << "doc";
  }
  void TearDown() override { setenv("PATH", m_oldPath.c_str(), 1); }
  void installOpener(const std::string& script) {
    const fs::path opener = m_dir / "bin" / "xdg-open";
    fs::remove(opener);
    if (script.empty()) return;
    std::ofstream(opener) << "#!/bin/sh\n" << script << "\n";
    chmod(opener.c_str(), 0755);
  }

  test::TempDir m_dir;
  std::string m_oldPath;
};

TEST_F(OpenWithDesktopTest, TheOwnWindowStandsInOnlyForTheDesktop) {
  const std::string noApplication =
      "'%s'\n\nThere is no application associated with \nthe given file name extension.";
  const std::string notFound = "'%s'\n\nThe specified file was not found.";
  struct Case {
    const char* what;
    std::string opener;  // empty: there is none
    const char* file;
    bool viewerShows;
    bool viewerAsked;
    bool opened;
    std::string message;  // with the file's path for %s
  };
  const Case cases[] = {
      {"the desktop opens it", "exit 0", "Project.txt", true, false, true, ""},
      {"no opener at all", "", "Project.txt", true, true, true, ""},
      {"opener without an application", "exit 3", "Project.txt", true, true, true, ""},
      {"association incomplete", "exit 1", "Project.txt", true, true, true, ""},
      {"the own window fails too", "", "Project.txt", false, true, false, noApplication},
      {"a missing file is the file's fault", "", "Missing.txt", true, false, false, notFound},
  };
  for (const Case& c : cases) {
    installOpener(c.opener);
    test::ScriptedAnswers answers;
    const fs::path file = m_dir / c.file;
    std::vector<fs::path> asked;
    const bool opened = OpenWithDesktopOr(file, [&](const fs::path& shown) {
      asked.push_back(shown);
      return c.viewerShows;
    });
    EXPECT_EQ(opened, c.opened) << c.what;
    EXPECT_EQ(asked, c.viewerAsked ? std::vector<fs::path>{file} : std::vector<fs::path>{})
        << c.what;
    std::string message = c.message;
    if (const auto at = message.find("%s"); at != std::string::npos) {
      message.replace(at, 2, file.string());
    }
    EXPECT_EQ(answers.texts(),
              message.empty() ? std::vector<std::string>{} : std::vector<std::string>{message})
        << c.what;
  }
}

}  // namespace
}  // namespace zel::app
