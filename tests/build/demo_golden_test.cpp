// The demo project's build compared with files kept under tests/build/data: the run file
// byte for byte (records, order, checksums), its listing, "Startup.BAT" and the
// "DOWNLOAD" section, with a fixed clock, user and file times. These are the contract
// with the download and the controller, so any change to them must be deliberate: run
// with ZEL_UPDATE_GOLDEN=1 to rewrite the files, and review the difference.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "archive/archive_listing.h"
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

  // Paths of this run's workspace, and the run file's and the archive's own times, as
  // fixed words (the archive's first: both are often written in the same second).
  std::string Stable(std::string value) const {
    const auto runTime = platform::FileModTime(fixture.projectDirectory() / "Project.RUN");
    const auto zipTime = platform::FileModTime(fixture.projectDirectory() / "Project.ZIP");
    if (zipTime)
      value = ReplaceAll(std::move(value), "," + std::to_string(*zipTime) + ",C:\\PROJECT.ZIP",
                         ",<ZIPTIME>,C:\\PROJECT.ZIP");
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

// The sources the controller keeps: in the build's order (project file, documentation,
// allocation list, the selected modules' sources, the panel driver's saved source), the
// module not selected for download left out, each entry deflated and whole.
TEST_F(DemoGolden, SourceArchive) {
  const fs::path zip = fixture.projectDirectory() / "Project.ZIP";
  const auto listing = archive::ListArchive(zip);
  ASSERT_TRUE(listing);
  std::vector<std::string> names;
  for (const archive::ListedEntry& entry : listing->entries) {
    names.push_back(entry.name);
    EXPECT_EQ(entry.method, 8) << entry.name;
    const auto bytes = platform::ReadWholeFile(fixture.projectDirectory() / entry.name);
    ASSERT_TRUE(bytes) << entry.name;
    const auto packed = archive::ReadArchiveEntry(zip, entry.name);
    ASSERT_TRUE(packed) << entry.name;
    if (entry.name == "Project.FW4") {
      // Packed before the build finished its "DOWNLOAD" section; the rest is the same.
      const std::size_t download = bytes->find("[DOWNLOAD]");
      ASSERT_NE(download, std::string::npos);
      EXPECT_EQ(packed->substr(0, download), bytes->substr(0, download));
    } else {
      EXPECT_EQ(*packed, *bytes) << entry.name;
    }
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Project.FW4", "Project.txt", "C.BEL", "CZ0P00V1.awl",
                                             "CZ0P01V1.awl", "CZ0P02V1.awl", "CZ0B10V1.awl",
                                             "CZ0F20V1.awl", "SCREENS.TXT"}));
  EXPECT_EQ(listing->comment, "DEMO,4.0.0");
}

TEST_F(DemoGolden, MakeText) {
  ExpectGolden("demo_make.txt", Stable(text));
}

}  // namespace
}  // namespace zel::build
