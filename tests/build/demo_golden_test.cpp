// The demo project's build compared with files kept under tests/build/data: the run file
// byte for byte (records, order, checksums), its listing, "Startup.BAT" and the
// "DOWNLOAD" section, with a fixed clock, user and file times. These are the contract
// with the download and the controller, so any change to them must be deliberate: run
// with ZEL_UPDATE_GOLDEN=1 to rewrite the files, and review the difference.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "build/run_file_listing.h"
#include "build/run_record.h"
#include "build_fixture.h"
#include "platform/files.h"
#include "platform/timebase.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;
using test::BuildFixture;
using test::ReplaceAll;

constexpr std::int64_t kSourceTime = 1796000000;

fs::path DataFile(std::string_view name) {
  return fs::path(ZEL_BUILD_DATA_DIR) / name;
}

void ExpectGolden(std::string_view name, const std::string& actual) {
  const fs::path file = DataFile(name);
  if (std::getenv("ZEL_UPDATE_GOLDEN")) {
    std::ofstream(file, std::ios::binary) << actual;
    return;
  }
  const std::optional<std::string> expected = platform::ReadWholeFile(file);
  ASSERT_TRUE(expected) << file << " is missing; ZEL_UPDATE_GOLDEN=1 writes it";
  EXPECT_EQ(actual, *expected) << name;
}

class DemoGolden : public ::testing::Test {
 protected:
  void SetUp() override {
    // The object files' times are printed in the run file as local times.
    const char* zone = std::getenv("TZ");
    m_zone = zone ? std::optional<std::string>(zone) : std::nullopt;
    setenv("TZ", "UTC", 1);
    tzset();
    // Compile once, then fix every time the build reads, and make without compiling.
    ASSERT_EQ(fixture.build(BuildMode::Build).find("ERROR"), std::string::npos);
    fixture.settleTimes("DEMO", kSourceTime);
    for (const auto& entry : platform::ListDirectory(fixture.programDirectory() / "RUNTIME.VM1X"))
      platform::SetFileModTime(fixture.programDirectory() / "RUNTIME.VM1X" / entry.name,
                               kSourceTime);
    BuildCounts counts;
    text = fixture.build(BuildMode::Make, "DEMO", &counts);
    ASSERT_EQ(counts.errors, 0u) << text;
    ASSERT_EQ(counts.warnings, 0u) << text;
  }
  void TearDown() override {
    if (m_zone) {
      setenv("TZ", m_zone->c_str(), 1);
    } else {
      unsetenv("TZ");
    }
    tzset();
  }

  // Paths of this run's workspace, and the run file's own time, as fixed words.
  std::string Stable(std::string value) const {
    const auto runTime = platform::FileModTime(fixture.projectDirectory() / "Project.RUN");
    value = ReplaceAll(std::move(value), fixture.programDirectory().generic_string(), "<ZELDIR>");
    if (runTime) value = ReplaceAll(std::move(value), std::to_string(*runTime), "<RUNTIME>");
    return value;
  }

  BuildFixture fixture;
  std::string text;

 private:
  std::optional<std::string> m_zone;
};

TEST_F(DemoGolden, RunFile) {
  const auto bytes = platform::ReadWholeFile(fixture.projectDirectory() / "Project.RUN");
  ASSERT_TRUE(bytes);
  // Every record's checksum holds and the file ends with the end record.
  const std::span<const std::uint8_t> file(reinterpret_cast<const std::uint8_t*>(bytes->data()),
                                           bytes->size());
  RecordReader reader(file, true);
  std::optional<RunRecord> last;
  while (auto record = reader.next()) last = record;
  EXPECT_EQ(reader.fault(), RecordFault::None);
  ASSERT_TRUE(last);
  EXPECT_TRUE(last->isEnd());
  EXPECT_EQ(last->offset + 4, bytes->size());
  ExpectGolden("demo_project.run", *bytes);
}

TEST_F(DemoGolden, Listing) {
  TextLog log;
  EXPECT_TRUE(ListRunFile(fixture.projectDirectory(), log));
  ExpectGolden("demo_listing.txt", Stable(log.text()));
}

TEST_F(DemoGolden, StartupBatch) {
  ExpectGolden("demo_startup.bat", fixture.dir().readFile("Projects/DEMO/Startup.BAT"));
}

TEST_F(DemoGolden, DownloadSection) {
  std::string section;
  for (const std::string& key : fixture.projectFile().keys("DOWNLOAD"))
    section += key + "=" + fixture.projectFile().read("DOWNLOAD", key, "", 1024) + "\n";
  ExpectGolden("demo_download.txt", Stable(section));
}

TEST_F(DemoGolden, MakeText) {
  ExpectGolden("demo_make.txt", Stable(text));
}

}  // namespace
}  // namespace zel::build
