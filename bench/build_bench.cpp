// The project build on a project as large as a controller allows: 64 programs, 100 CMPs
// and 100 CFMs, each near the 65,000-byte code segment, through the real files. A full
// Build compiles and links them all; a Make with nothing changed only links.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "build/project_build.h"
#include "support/generated_program.h"

namespace {

namespace fs = std::filesystem;
using namespace zel;

// The largest program of these sentences whose code still fits the segment.
std::string ProgramNearTheLimit() {
  return bench::Program(bench::SentencesNearTheLimit());
}

struct Workspace {
  fs::path programDirectory;
  int modules = 0;
};

const Workspace& BenchWorkspace() {
  static const Workspace workspace = [] {
    Workspace ws;
    ws.programDirectory = fs::temp_directory_path() / "zel-bench-build";
    fs::remove_all(ws.programDirectory);
    const fs::path project = ws.programDirectory / "Projects" / "BENCH";
    fs::create_directories(project);
    fs::create_directories(ws.programDirectory / "RUNTIME.VM1X");
    std::ofstream(ws.programDirectory / "RUNTIME.VM1X" / "ZELPCR22.EXE") << "kernel\r\n";
    const std::string program = ProgramNearTheLimit();
    std::ofstream file(project / "Project.FW4", std::ios::binary);
    file << "[PROJECT]\r\nTARGET=VM1X\r\nCOMMENT=benchmark\r\n[VM1X_SETTINGS]\r\n"
            "ERROR_PRGM=0\r\n[MODULES]\r\n";
    const struct {
      char kind;
      int count;
    } kinds[] = {{'P', 64}, {'B', 100}, {'F', 100}};
    for (const auto& kind : kinds) {
      for (int n = 0; n < kind.count; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "CZ0%c%02dV1.awl", kind.kind, n % 100);
        std::ofstream(project / name, std::ios::binary) << program;
        file << "SRC_" << ws.modules++ << "=" << name << ",1,module\r\n";
      }
    }
    return ws;
  }();
  return workspace;
}

build::BuildCounts RunBuild(build::BuildMode mode) {
  const Workspace& ws = BenchWorkspace();
  const auto silent = [](std::string_view) {};
  build::Builder builder(0, build::BuildOutput{silent, silent, {}});
  build::BuildRequest request;
  request.mode = mode;
  request.programDirectory = ws.programDirectory;
  request.projectsDirectory = ws.programDirectory / "Projects";
  request.projectName = "BENCH";
  if (builder.start(request)) builder.wait();
  return builder.counts();
}

void FullBuild(benchmark::State& state) {
  BenchWorkspace();
  for (auto _ : state) {
    if (RunBuild(build::BuildMode::Build).errors != 0) state.SkipWithError("the build failed");
  }
  state.counters["modules"] = BenchWorkspace().modules;
  const auto size =
      fs::file_size(BenchWorkspace().programDirectory / "Projects" / "BENCH" / "Project.RUN");
  state.counters["run file bytes"] = static_cast<double>(size);
}
BENCHMARK(FullBuild)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void MakeNothingChanged(benchmark::State& state) {
  if (RunBuild(build::BuildMode::Build).errors != 0) state.SkipWithError("the build failed");
  for (auto _ : state) {
    if (RunBuild(build::BuildMode::Make).errors != 0) state.SkipWithError("the make failed");
  }
  state.counters["modules"] = BenchWorkspace().modules;
}
BENCHMARK(MakeNothingChanged)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
