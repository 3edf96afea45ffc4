#include "stl/check/syntax_check.h"

#include "stl/check/check_messages.h"
#include "stl/check/scanner.h"
#include "stl/check/sentence_checker.h"
#include "stl/lang/fieldbus_config.h"

namespace zel::stl {
namespace {

constexpr std::size_t kTypeLetterPlace = 3;  // CZ0F20V1

}  // namespace

bool IsCfmModule(std::string_view module) {
  return module.size() > kTypeLetterPlace &&
         (module[kTypeLetterPlace] == 'F' || module[kTypeLetterPlace] == 'f');
}

int CollectSteps(std::string_view program, StepTable& steps, ErrorCounter& errors) {
  StlScanner scanner(program);
  while (scanner.nextLine()) {
    if (scanner.isUnconvertedLine()) continue;
    for (CutToken t = scanner.nextToken(); t.cut != Cut::EndOfLine; t = scanner.nextToken()) {
      if (t.cut != Cut::Step) continue;
      switch (steps.add(t.text)) {
        case StepTable::Added::Yes:
          break;
        case StepTable::Added::Duplicate:
          errors.error(scanner.lineCounter(), std::string(msg::kMultiplyDefinedStep) + t.text);
          break;
        case StepTable::Added::Full:
          errors.error(scanner.lineCounter(), msg::kTooManySteps);
          break;
      }
    }
  }
  return scanner.lineCounter();
}

int CheckSentences(const CheckSetup& setup, const StepTable& steps, ErrorCounter& errors,
                   CheckOutput& output) {
  FieldbusCheck fieldbus(setup.readFieldbusConfig);
  TokenReader reader(setup.program, steps, setup.symbols, fieldbus, errors, output);
  SentenceChecker checker(reader, errors, IsCfmModule(setup.module));
  checker.checkProgram();
  return reader.lineCounter();
}

CheckResult RunSyntaxCheck(const CheckSetup& setup, CheckReport& report) {
  ErrorCounter errors(report);
  StepTable steps;
  CheckResult result;
  result.lines = CollectSteps(setup.program, steps, errors);
  if (errors.count() == 0) {
    result.passTwoRan = true;
    result.lines = CheckSentences(setup, steps, errors, result.output);
  }
  result.errors = errors.count();
  return result;
}

}  // namespace zel::stl
