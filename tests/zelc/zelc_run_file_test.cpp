// End-to-end: zelc list-run and update-file on run files written into the demo project.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "build/byte_sink.h"
#include "build/run_file_records.h"
#include "build/run_file_writer.h"
#include "build/update_file.h"
#include "platform/files.h"
#include "zelc/zelc_runner.h"

namespace zel::testing {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes RunFile(std::string_view buildText, std::size_t moduleSize) {
  build::VectorSink sink;
  build::RunFileWriter writer(sink);
  writer.WriteTextRecord(build::record_type::kProjectName, "DEMO");
  writer.WriteTextRecord(build::record_type::kText, buildText);
  writer.WriteRecord(build::record_type::kDriverData1, Bytes(moduleSize, 7));
  writer.WriteEnd();
  return sink.bytes();
}

void Put(const fs::path& file, const Bytes& bytes) {
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

Bytes Get(const fs::path& file) {
  const std::string text = ReadFile(file);
  return Bytes(text.begin(), text.end());
}

// The listing without its head and the path line.
std::string Records(const std::string& out) {
  const std::size_t line = out.find("Project.RUN\n");
  return line == std::string::npos ? out : out.substr(line + 12);
}

TEST(ZelcRunFile, ListsTheOpenProjectsRunFile) {
  DemoWorkspace ws;
  const fs::path run = ws.project("DEMO") / "Project.RUN";
  auto r = ws.run({"list-run"});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.starts_with("\nZEL Project Run File Content\n\n")) << r.out;
  EXPECT_EQ(Records(r.out), "Cannot open project run file\n");

  Put(run, RunFile("BUILD=1,x", 10));
  const std::string listing =
      "Project Name = DEMO\nBUILD=1,x\nDriver Data 1 for Driver 1799, 8 Bytes\nTotal Size  47 "
      "Bytes\n";
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"list-run"}, {"list-run", "-p", "demo"}, {"list-run", run.string()}}) {
    r = ws.run(args);
    EXPECT_EQ(r.status, 0) << args.back() << r.err;
    EXPECT_EQ(Records(r.out), listing) << args.back();
  }

  Bytes damaged = RunFile("BUILD=1,x", 10);
  damaged.resize(damaged.size() - 2);
  Put(ws.dir() / "damaged.run", damaged);
  r = ws.run({"list-run", (ws.dir() / "damaged.run").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.ends_with("8 Bytes\n\nCannot read project run file\n")) << r.out;
}

TEST(ZelcRunFile, WritesTheUpdateFile) {
  DemoWorkspace ws;
  const fs::path dir = ws.project("DEMO");
  const Bytes downloaded = RunFile("BUILD=1,x", 10);
  const Bytes built = RunFile("BUILD=2,y", 20);
  Put(dir / "Project.RUN", built);

  auto r = ws.run({"update-file", "-p", "DEMO"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "Cannot open last project download file\n");
  EXPECT_FALSE(fs::exists(dir / "Update.RUN"));

  Put(dir / "Download.RUN", downloaded);
  platform::SetFileModTime(dir / "Project.RUN", 1700000000);
  r = ws.run({"update-file"});
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_EQ(r.out, "");
  const Bytes update = Get(dir / "Update.RUN");
  EXPECT_EQ(update, build::MakeUpdateFile(downloaded, built).bytes);
  EXPECT_EQ(build::ApplyUpdateFile(downloaded, update).bytes, built);
  EXPECT_EQ(platform::FileModTime(dir / "Update.RUN"), 1700000000);
  EXPECT_FALSE(fs::exists(dir / "Update.RUN.new"));

  // A module more: no update, and the update file of before is gone.
  build::VectorSink sink;
  build::RunFileWriter writer(sink);
  writer.WriteTextRecord(build::record_type::kProjectName, "DEMO");
  writer.WriteEnd();
  Put(dir / "Project.RUN", sink.bytes());
  r = ws.run({"update-file", "-p", "DEMO"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out,
            "The difference of the current project\nand the last downloaded project\nis too large "
            "for an update.\n");
  EXPECT_FALSE(fs::exists(dir / "Update.RUN"));
}

}  // namespace
}  // namespace zel::testing
