// The cross reference of a project of 264 modules (64 programs, 100 CMPs, 100 CFMs), each
// near the code-size limit, through the real files: the module list from the project
// file, every ".XREF" file the check writes, the allocation list, the sorted list and
// "XREF.txt". Half the modules use one operand pool, so operands gather many modules.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/project/exclusion_file.h"
#include "app/project/project_model.h"
#include "build/cross_reference.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "stl/alloc/allocation_list.h"
#include "support/generated_program.h"

namespace {

namespace fs = std::filesystem;
using namespace zel;

// The cross reference of the largest module of these sentences that still compiles.
std::string LargestModuleXref(int spread) {
  const int sentences = bench::SentencesNearTheLimit(spread);
  return bench::CompileProgram(bench::Program(sentences, spread)).check.output.crossReference;
}

class Project {
 public:
  Project() : m_root(fs::temp_directory_path() / ("zel-xref-bench-" + std::to_string(getpid()))) {
    fs::remove_all(m_root);
    fs::create_directories(m_root / "P" / "RUNTIME.VM1X");
    m_dir = m_root / "P" / "BENCH";
    fs::create_directories(m_dir);
    const fs::path file = m_dir / "Project.FW4";
    platform::WriteProfileString(file, "PROJECT", "TARGET", "VM1X");
    const std::string shared = LargestModuleXref(200);
    const std::string own = LargestModuleXref(250);
    platform::ProfileEntries entries;
    int index = 0;
    const auto add = [&](char kind, int count) {
      for (int n = 0; n < count; ++n, ++index) {
        char name[16];
        std::snprintf(name, sizeof name, "CZ0%c%02dV1", kind, n);
        entries.push_back({"SRC_" + std::to_string(index), std::string(name) + ".awl,1,bench"});
        Write(std::string(name) + ".awl", "source");
        Write(std::string(name) + ".XREF", index % 2 ? shared : own);
        m_lines += static_cast<std::size_t>(std::count(shared.begin(), shared.end(), '\n'));
      }
    };
    add('P', 64);
    add('B', 100);
    add('F', 100);
    platform::ReplaceProfileSection(file, "MODULES", entries);
    stl::AllocationList list;
    list.setPath(m_dir / "C.BEL");
    for (int n = 0; n < 1000; ++n) {
      stl::AllocationEntry entry;
      stl::StoredToDisplay("MW" + std::to_string(n), entry.operand);
      entry.symbol = "S" + std::to_string(n);
      entry.comment = "bench";
      list.append(entry);
    }
    list.save();
    app::ExclusionFile exclusion;
    app::ExclusionFile::create(m_dir / "Project._PA", exclusion);
    m_model.open("BENCH", m_root / "P", std::move(exclusion));
  }
  ~Project() {
    m_model.close();
    fs::remove_all(m_root);
  }
  const app::ProjectModel& model() const { return m_model; }
  fs::path programDirectory() const { return m_root / "P"; }
  std::size_t lines() const { return m_lines; }

 private:
  void Write(const std::string& name, const std::string& text) {
    platform::WriteFileAtomically(m_dir / name, text);
  }
  fs::path m_root;
  fs::path m_dir;
  app::ProjectModel m_model;
  std::size_t m_lines = 0;
};

class NoLog : public build::BuildLog {
 public:
  void print(std::string_view) override {}
};

void CrossReferenceOf264Modules(benchmark::State& state) {
  static Project project;
  std::size_t operands = 0;
  std::size_t listed = 0;
  for (auto _ : state) {
    NoLog log;
    build::CrossReference xref;
    xref.build(build::CrossReferenceProjectOf(project.model(), project.programDirectory()), log);
    stl::AllocationList symbols;
    symbols.load(project.model().directory() / "C.BEL");
    const auto lines = xref.list(80, symbols);
    build::WriteCrossReferenceFile(project.model().directory(), lines);
    operands = xref.sortedOperands().size();
    listed = lines.size();
  }
  state.counters["xref lines read"] = static_cast<double>(project.lines());
  state.counters["operands"] = static_cast<double>(operands);
  state.counters["list lines"] = static_cast<double>(listed);
}
BENCHMARK(CrossReferenceOf264Modules)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
