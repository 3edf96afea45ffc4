// Compile throughput: source lines per second through both checking passes and code
// generation, and the time for a module whose code approaches the 65,000-byte segment.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "stl/check/syntax_check.h"
#include "stl/codegen/code_generator.h"
#include "stl/compile/compile_driver.h"
#include "support/generated_program.h"

namespace {

using namespace zel::stl;

struct Compiled {
  CodeGenResult code;
  int lines = 0;
};

Compiled Compile(const std::string& program) {
  zel::bench::CompiledProgram compiled = zel::bench::CompileProgram(program);
  return {std::move(compiled.code), compiled.check.lines};
}

using zel::bench::Program;
using zel::bench::SentencesNearTheLimit;

void CheckAndGenerate(benchmark::State& state) {
  const std::string program = Program(static_cast<int>(state.range(0)));
  int lines = 0;
  for (auto _ : state) {
    const Compiled compiled = Compile(program);
    if (compiled.code.errors != 0) state.SkipWithError("program does not compile");
    lines = compiled.lines;
    benchmark::DoNotOptimize(compiled.code.object.data());
  }
  state.SetItemsProcessed(state.iterations() * lines);
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(CheckAndGenerate)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);

void LargestModule(benchmark::State& state) {
  static const int sentences = SentencesNearTheLimit();
  const std::string program = Program(sentences);
  zel::bench::AbortOnFault report;
  CheckSetup setup;
  setup.program = program;
  setup.module = "CZ0P05V1";
  const std::string intermediate = RunSyntaxCheck(setup, report).output.intermediate;
  std::size_t code = 0;
  for (auto _ : state) {
    const CodeGenResult result = GenerateCode(intermediate, {setup.module, {}});
    code = result.codeSize;
    benchmark::DoNotOptimize(result.object.data());
  }
  state.counters["code bytes"] = static_cast<double>(code);
  state.counters["sentences"] = sentences;
}
BENCHMARK(LargestModule)->Unit(benchmark::kMillisecond);

void LargestModuleWithCheck(benchmark::State& state) {
  static const int sentences = SentencesNearTheLimit();
  const std::string program = Program(sentences);
  for (auto _ : state) benchmark::DoNotOptimize(Compile(program).code.object.data());
}
BENCHMARK(LargestModuleWithCheck)->Unit(benchmark::kMillisecond);

// A project of 264 modules near the segment limit, compiled one after the other through
// the compile driver as Make does (files, log, worker thread), against the same work in
// memory: the difference is what the files cost.
constexpr int kProjectModules = 264;

std::filesystem::path WriteProject(const std::string& program) {
  namespace fs = std::filesystem;
  const fs::path directory = fs::temp_directory_path() / "zel-bench-project";
  fs::remove_all(directory);
  fs::create_directories(directory);
  std::ofstream(directory / "Project.FW4") << "[PROJECT]\nTARGET=VM1X\n";
  for (int n = 0; n < kProjectModules; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "CZ0P%02dV%d.AWL", n % 64, n / 64 + 1);
    std::ofstream(directory / name, std::ios::binary) << program;
  }
  return directory;
}

void MakeProjectThroughFiles(benchmark::State& state) {
  static const int sentences = SentencesNearTheLimit();
  const std::string program = Program(sentences);
  const std::filesystem::path directory = WriteProject(program);
  for (auto _ : state) {
    for (int n = 0; n < kProjectModules; ++n) {
      char name[16];
      std::snprintf(name, sizeof name, "CZ0P%02dV%d", n % 64, n / 64 + 1);
      if (StartCompile(directory, name)) WaitForCompile();
      if (CompileErrorCount() != 0) state.SkipWithError("a module does not compile");
    }
  }
  std::filesystem::remove_all(directory);
  state.counters["modules"] = kProjectModules;
}
BENCHMARK(MakeProjectThroughFiles)->Unit(benchmark::kMillisecond)->Iterations(3);

void MakeProjectInMemory(benchmark::State& state) {
  static const int sentences = SentencesNearTheLimit();
  const std::string program = Program(sentences);
  for (auto _ : state)
    for (int n = 0; n < kProjectModules; ++n)
      benchmark::DoNotOptimize(Compile(program).code.object.data());
  state.counters["modules"] = kProjectModules;
}
BENCHMARK(MakeProjectInMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
