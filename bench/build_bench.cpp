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
#include "stl/check/syntax_check.h"
#include "stl/codegen/code_generator.h"

namespace {

namespace fs = std::filesystem;
using namespace zel;

class Silent : public stl::CheckReport {
 public:
  void error(int, std::string_view text) override {
    std::cerr << "benchmark program is faulty: " << text << "\n";
    std::abort();
  }
  void notice(std::string_view) override {}
};

// One sentence of each kind the demo programs use, in stored form (as the code
// generator's benchmark has them, so the two compare).
std::string Sentence(int n) {
  const std::string w = std::to_string(n % 200);
  const std::string b = std::to_string(n % 16);
  switch (n % 6) {
    case 0:
      return "wE" + w + "." + b + "unE1." + b + "dsA" + w + "." + b + "frA" + w + "." + b + "\n";
    case 1:
      return "w(MW" + w + "+@5)>MW1" + w + "dlMW" + w + "*@3/@7qR" + w + "\n";
    case 2:
      return "wM" + w + "." + b + "o(E2.1xE3.2)dsT" + w + "m2.5\n";
    case 3:
      return "wZ" + w + "diZW" + w + "frZ" + w + "\n";
    case 4:
      return "wMW" + w + "<>@$FF" + "dlEW" + w + "z1z7qMW" + w + "\n";
    default:
      return "wE4." + b + "qM" + w + "." + b + "uE5." + b + "dsM1." + b + "\n";
  }
}

std::string Program(int sentences) {
  std::string text;
  for (int n = 0; n < sentences; ++n) text += Sentence(n);
  return text;
}

bool Compiles(const std::string& program) {
  Silent report;
  stl::CheckSetup setup;
  setup.program = program;
  setup.module = "CZ0B05V1";
  const stl::CheckResult check = stl::RunSyntaxCheck(setup, report);
  return stl::GenerateCode(check.output.intermediate, {setup.module, {}}).errors == 0;
}

// The largest program of these sentences whose code still fits the segment.
std::string ProgramNearTheLimit() {
  int low = 1;
  int high = 4000;
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (Compiles(Program(mid)))
      low = mid;
    else
      high = mid - 1;
  }
  return Program(low);
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
