// Property: for generated projects and random edits of their modules that keep the module
// list, the update file made from the last downloaded run file and the rebuilt one turns
// the old file into the new one byte for byte, as the controller applies it.

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "app/project/project_file.h"
#include "build/project_update_file.h"
#include "build/update_file.h"
#include "build_fixture.h"
#include "platform/files.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;
using test::BuildFixture;

// Sentences in stored form that compile in programs, CMPs and CFMs alike.
std::string Sentence(std::mt19937& random) {
  const std::string w = std::to_string(random() % 200);
  const std::string b = std::to_string(random() % 16);
  switch (random() % 5) {
    case 0:
      return "wE" + w + "." + b + "unE1." + b + "dsA" + w + "." + b + "frA" + w + "." + b + "\r\n";
    case 1:
      return "w(MW" + w + "+@5)>MW1" + w + "dlMW" + w + "*@3/@7qR" + w + "\r\n";
    case 2:
      return "wZ" + w + "diZW" + w + "frZ" + w + "\r\n";
    case 3:
      return "wMW" + w + "<>@$FF" + "dlEW" + w + "z1z7qMW" + w + "\r\n";
    default:
      return "wE4." + b + "qM" + w + "." + b + "uE5." + b + "dsM1." + b + "\r\n";
  }
}

std::string Program(std::mt19937& random) {
  std::string text;
  const int sentences = 1 + static_cast<int>(random() % 40);
  for (int n = 0; n < sentences; ++n) text += Sentence(random);
  return text;
}

std::vector<std::uint8_t> Bytes(const fs::path& file) {
  const std::string text = platform::ReadWholeFile(file).value_or("");
  return {text.begin(), text.end()};
}

TEST(UpdateAfterBuild, TurnsTheDownloadedRunFileIntoTheRebuiltOne) {
  BuildFixture fixture;
  const fs::path dir = fixture.projectsDirectory() / "GEN";
  std::mt19937 random(20261208);
  int applied = 0;
  constexpr int kRounds = 30;
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    fs::remove_all(dir);
    fs::create_directories(dir);
    // A project of a few modules of each kind, with numbers drawn at random.
    std::vector<std::string> modules;
    std::string list =
        "[PROJECT]\r\nTARGET=VM1X\r\n[VM1X_SETTINGS]\r\nERROR_PRGM=0\r\n[MODULES]\r\n";
    const int count = 1 + static_cast<int>(random() % 5);
    for (int n = 0; n < count; ++n) {
      const char kind = "PBF"[random() % 3];
      char name[32];
      std::snprintf(name, sizeof name, "CZ0%c%02dV1.awl", kind,
                    n * 10 + static_cast<int>(random() % 10));
      modules.emplace_back(name);
      list += "SRC_" + std::to_string(n) + "=" + name + ",1,generated\r\n";
      fixture.dir().writeFile(fs::path("Projects/GEN") / name, Program(random));
    }
    fixture.dir().writeFile("Projects/GEN/Project.FW4", list);

    BuildRequest request = fixture.request(BuildMode::Build, "GEN");
    BuildCounts counts;
    std::string text = fixture.build(request, &counts);
    ASSERT_EQ(counts.errors, 0u) << text;
    ASSERT_TRUE(platform::CopyFileTo(dir / "Project.RUN", dir / "Download.RUN", false));

    // Edits that keep the module list: new code for some modules, another build time.
    for (const std::string& module : modules)
      if (random() % 2 == 0)
        fixture.dir().writeFile(fs::path("Projects/GEN") / module, Program(random));
    const std::int64_t later = test::kBuildTime + 1 + static_cast<std::int64_t>(random() % 100000);
    request.clock = [later] { return later; };
    text = fixture.build(request, &counts);
    ASSERT_EQ(counts.errors, 0u) << text;

    TextLog log;
    const bool written = WriteProjectUpdateFile(dir, log);
    const std::vector<std::uint8_t> oldFile = Bytes(dir / "Download.RUN");
    const std::vector<std::uint8_t> newFile = Bytes(dir / "Project.RUN");
    ASSERT_NE(oldFile, newFile) << "the build time alone differs";
    if (!written) {
      // The only acceptable refusal: a difference too large for an update.
      EXPECT_NE(log.text().find(kMsgUpdateTooLarge), std::string::npos) << log.text();
      EXPECT_FALSE(fs::exists(dir / "Update.RUN"));
      continue;
    }
    const UpdateFileResult result = ApplyUpdateFile(oldFile, Bytes(dir / "Update.RUN"));
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.bytes, newFile);
    ++applied;
  }
  // Most rounds must have gone through an update, or the property says nothing.
  EXPECT_GE(applied, kRounds / 2);
}

}  // namespace
}  // namespace zel::build
