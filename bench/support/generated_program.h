#pragma once
// Statement-list programs made up for the benchmarks: sentences of each kind the demo
// programs use, in stored form, and the largest program of them whose code still fits
// one segment. The benchmarks share them so their figures compare.

#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>

#include "stl/check/syntax_check.h"
#include "stl/codegen/code_generator.h"

namespace zel::bench {

// A made-up program never has an error; one that has is a fault of the benchmark.
class AbortOnFault : public stl::CheckReport {
 public:
  void error(int, std::string_view text) override {
    std::cerr << "benchmark program is faulty: " << text << "\n";
    std::abort();
  }
  void notice(std::string_view) override {}
};

// Sentence `n`; its operands are spread over `spread` word numbers.
inline std::string Sentence(int n, int spread = 200) {
  const std::string w = std::to_string(n % spread);
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

inline std::string Program(int sentences, int spread = 200) {
  std::string text;
  for (int n = 0; n < sentences; ++n) text += Sentence(n, spread);
  return text;
}

struct CompiledProgram {
  stl::CheckResult check;
  stl::CodeGenResult code;
};

inline CompiledProgram CompileProgram(const std::string& program,
                                      const std::string& module = "CZ0P05V1") {
  AbortOnFault report;
  stl::CheckSetup setup;
  setup.program = program;
  setup.module = module;
  CompiledProgram compiled;
  compiled.check = stl::RunSyntaxCheck(setup, report);
  compiled.code = stl::GenerateCode(compiled.check.output.intermediate, {setup.module, {}});
  return compiled;
}

// The most sentences whose program still compiles: the code segment's limit.
inline int SentencesNearTheLimit(int spread = 200) {
  int low = 1;
  int high = 4000;
  while (low < high) {
    const int mid = (low + high + 1) / 2;
    if (CompileProgram(Program(mid, spread)).code.errors == 0)
      low = mid;
    else
      high = mid - 1;
  }
  return low;
}

}  // namespace zel::bench
