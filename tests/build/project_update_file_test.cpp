#include "build/project_update_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "build/byte_sink.h"
#include "build/run_file_writer.h"
#include "build/update_file.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace zel::build {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

std::string RunFileText(std::initializer_list<std::string_view> texts) {
  VectorSink sink;
  RunFileWriter writer(sink);
  for (std::string_view text : texts) writer.WriteTextRecord(6, text);
  writer.WriteEnd();
  return std::string(sink.bytes().begin(), sink.bytes().end());
}

TEST(WriteProjectUpdateFile, MessagesOfEachFailure) {
  const std::string oldRun = RunFileText({"BUILD=1", "A"});
  const std::string newRun = RunFileText({"BUILD=2", "A"});
  struct Case {
    const char* name;
    bool project;
    std::string projectRun;   // empty: no file
    std::string downloadRun;  // empty: no file
    bool blockTemporary;      // a directory stands where the file is written first
    std::string message;
  };
  const Case cases[] = {
      {"no project open", false, newRun, oldRun, false, "No project open\r\n"},
      {"not built", true, "", oldRun, false, "Cannot open project run file\r\n"},
      {"never downloaded", true, newRun, "", false, "Cannot open last project download file\r\n"},
      {"cannot create", true, newRun, oldRun, true, "Cannot create Update file\r\n"},
      {"another module", true, RunFileText({"BUILD=2", "A", "B"}), oldRun, false,
       std::string(kMsgUpdateTooLarge)},
      {"damaged download copy", true, newRun, oldRun.substr(0, oldRun.size() - 1), false,
       std::string(kMsgOldRunFileDamaged)},
      {"made", true, newRun, oldRun, false, ""},
  };
  for (const Case& c : cases) {
    test::TempDir dir;
    // An update file of an earlier download, which must not survive a failure.
    dir.writeFile("Update.RUN", "stale");
    if (!c.projectRun.empty()) dir.writeFile("Project.RUN", c.projectRun);
    if (!c.downloadRun.empty()) dir.writeFile("download.run", c.downloadRun);
    if (c.blockTemporary) fs::create_directory(dir / "Update.RUN.new");
    platform::SetFileModTime(dir / "Project.RUN", 1600000000);
    TextLog log;
    const bool made =
        WriteProjectUpdateFile(c.project ? std::optional<fs::path>(dir.path()) : std::nullopt, log);
    EXPECT_EQ(made, c.message.empty()) << c.name;
    EXPECT_EQ(log.text(), c.message) << c.name;
    if (!c.project) continue;
    if (made) {
      const std::string update = dir.readFile("Update.RUN");
      const auto applied =
          ApplyUpdateFile(Bytes(oldRun.begin(), oldRun.end()), Bytes(update.begin(), update.end()));
      EXPECT_EQ(std::string(applied.bytes.begin(), applied.bytes.end()), newRun) << c.name;
      EXPECT_EQ(platform::FileModTime(dir / "Update.RUN"), 1600000000) << c.name;
    } else {
      EXPECT_FALSE(fs::exists(dir / "Update.RUN")) << c.name;
    }
    EXPECT_EQ(fs::exists(dir / "Update.RUN.new"), c.blockTemporary) << c.name;
  }
}

TEST(StreamSink, WritesTheSameBytesAsMemory) {
  test::TempDir dir;
  const auto write = [](RunFileWriter& writer) {
    writer.WriteTextRecord(6, "first");
    writer.WriteRecord(1, Bytes(20000, 0xA5));
    writer.WriteEnd();
  };
  VectorSink memory;
  RunFileWriter toMemory(memory);
  write(toMemory);
  {
    std::ofstream file(dir / "Project.RUN", std::ios::binary | std::ios::trunc);
    StreamSink sink(file);
    RunFileWriter toFile(sink);
    write(toFile);
    EXPECT_FALSE(toFile.failed());
    EXPECT_EQ(sink.size(), memory.size());
  }
  const std::string onDisk = dir.readFile("Project.RUN");
  EXPECT_EQ(Bytes(onDisk.begin(), onDisk.end()), memory.bytes());
}

TEST(StreamSink, AClosedStreamFailsTheWriter) {
  std::ofstream closed;
  StreamSink sink(closed);
  TextLog log;
  RunFileWriter writer(sink, &log);
  writer.WriteTextRecord(6, "x");
  EXPECT_TRUE(writer.failed());
  EXPECT_EQ(log.text(), kMsgCannotWriteRunFile);
}

}  // namespace
}  // namespace zel::build
