#pragma once
// The token stream pass two checks: the scanner's tokens classified, symbols replaced by
// their absolute operands, step labels and jump targets by step numbers, fieldbus
// operands checked. Every token read is written in stored form to the intermediate text
// and every operand (constants aside) to the cross-reference text; the scanner's own
// findings are reported as the tokens are read.

#include <optional>
#include <string>

#include "stl/alloc/allocation_list.h"
#include "stl/check/check_report.h"
#include "stl/check/scanner.h"
#include "stl/check/step_table.h"
#include "stl/lang/fieldbus_config.h"
#include "stl/lang/operand.h"
#include "stl/lang/token_class.h"

namespace zel::stl {

struct Token {
  TokenClass tokenClass = TokenClass::EndOfProgram;
  std::string stored;  // as written into the intermediate text
  Operand operand;     // for operand tokens (IsOperandToken)
};

// The texts pass two writes besides its messages.
struct CheckOutput {
  std::string intermediate;
  std::string crossReference;
};

class TokenReader {
 public:
  // `symbols` may be null: every symbol is then unknown.
  TokenReader(std::string_view program, const StepTable& steps, const AllocationList* symbols,
              FieldbusCheck& fieldbus, ErrorCounter& errors, CheckOutput& output);

  // The token at hand, read when first asked for; EndOfProgram at the end.
  const Token& current();
  // The token at hand read as a time value (only right after WITH was consumed).
  const Token& currentTimeValue();
  void consume() { m_current.reset(); }
  int lineCounter() const { return m_scanner.lineCounter(); }

 private:
  void fetch(bool timeValue);
  bool enterLine();
  Token classify(const CutToken& cut);
  Token operandOrSymbol(const CutToken& cut);
  Token resolveSymbol(const std::string& name, const std::string& shown);
  Token unknown(const std::string& text, const std::string& shown);
  void checkFieldbus(const Token& token);
  void write(const Token& token);

  StlScanner m_scanner;
  const StepTable& m_steps;
  const AllocationList* m_symbols;
  FieldbusCheck& m_fieldbus;
  ErrorCounter& m_errors;
  CheckOutput& m_output;
  bool m_inLine = false;
  int m_stepsRead = 0;
  std::optional<Token> m_current;
};

// An operand token for a stored operand text, classified by its letters; nothing when
// the text names no valid operand.
std::optional<Token> OperandToken(std::string_view stored);

}  // namespace zel::stl
