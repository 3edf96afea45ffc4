#pragma once
// The two checking passes over a program's stored text. Pass one collects the step
// labels; pass two checks every sentence, reports each fault with its own message and
// rewrites the program into the intermediate and cross-reference texts. Both work in
// memory; the run step (check_run.h) reads and writes the files.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "stl/alloc/allocation_list.h"
#include "stl/check/check_report.h"
#include "stl/check/step_table.h"
#include "stl/check/token_reader.h"

namespace zel::stl {

struct CheckSetup {
  std::string_view program;                 // the stored text, whole
  std::string module;                       // the module name; its type letter F marks a CFM
  const AllocationList* symbols = nullptr;  // none: every symbol is unknown
  // The bytes of "CR.CFG", nothing when there is none; asked at most once.
  std::function<std::optional<std::string>()> readFieldbusConfig;
};

struct CheckResult {
  int errors = 0;
  int lines = 0;  // physical lines read by the last pass that ran
  bool passTwoRan = false;
  CheckOutput output;  // empty unless pass two ran
};

// A CFM module: type letter F at the fourth place of its name (CZ0F20V1).
bool IsCfmModule(std::string_view module);

// Pass one: every STEP label into `steps`; duplicates and labels beyond the limit are
// reported. Returns the number of lines read.
int CollectSteps(std::string_view program, StepTable& steps, ErrorCounter& errors);

// Pass two over the text with the steps of pass one.
int CheckSentences(const CheckSetup& setup, const StepTable& steps, ErrorCounter& errors,
                   CheckOutput& output);

// Pass one and, when it found nothing, pass two.
CheckResult RunSyntaxCheck(const CheckSetup& setup, CheckReport& report);

}  // namespace zel::stl
