#pragma once
// Pass two's parser: one method per rule of the language, reading from the token reader.
// Each method returns false after it reported a fault; the sentence level then skips to
// the next sentence start, so one check reports the faults of every sentence.

#include <string_view>
#include <vector>

#include "stl/check/check_report.h"
#include "stl/check/token_reader.h"

namespace zel::stl {

inline constexpr std::size_t kMaxBracketDepth = 16;

class SentenceChecker {
 public:
  SentenceChecker(TokenReader& in, ErrorCounter& errors, bool isCfm)
      : m_in(in), m_errors(errors), m_isCfm(isCfm) {}

  // program = single-executive-part | { STEP | if-sentence | then-sentence }
  void checkProgram();

 private:
  enum class ProgramKind { Step, Parallel };
  // Where a logic expression stands: an IF condition or a LOAD statement.
  enum class Use { Condition, Load };
  // What an operand place accepts.
  enum class Slot { Any, OneBit, MultiBit };

  struct BracketLevel {
    bool multiBit = false;    // the expression at this level is multi-bit so far
    bool comparison = false;  // a comparison stands at this level
    bool negated = false;     // N stood before the bracket
  };

  struct Expression {
    Use use;
    std::vector<BracketLevel> levels{BracketLevel{}};
    int targets = 0;
    bool afterTarget = false;
    BracketLevel& level() { return levels.back(); }
  };

  // Program and sentence level (check_sentence.cpp).
  void checkSingleExecutivePart();
  void checkSentences(ProgramKind kind);
  void checkStep(ProgramKind kind);
  bool checkIfSentence();
  bool checkCondition();
  bool checkThenPart();
  bool checkThenPartEnd();
  bool checkOtherwisePart();
  bool checkThenSentence();
  void recover();
  void skipToSentenceStart();
  void endSentence();
  void drain();

  // Executive parts (check_executive.cpp).
  bool checkExecutivePart();
  bool checkStatement(bool& endsPart);
  bool checkSet(bool isReset);
  bool checkTimeValue();
  bool checkLoad();
  bool checkIncDec();
  bool checkJump();
  bool checkModuleCall();

  // Logic expressions (check_expression.cpp).
  bool checkExpression(Expression& e);
  bool checkOperandSlot(Expression& e, Slot slot);
  bool checkOperand(Expression& e, Slot slot, bool negated);
  bool checkAfterOperand(Expression& e);
  bool checkCloseBracket(Expression& e);
  bool checkOperator(Expression& e, bool& isOperator);
  bool checkTarget(Expression& e);
  bool continuesAfterTarget(const Expression& e);

  // Reports `message` about the token at hand; operands (and jump targets no STEP
  // defines) get ", Operand: " and their display notation appended. Always false, for
  // `return fail(...)`.
  bool fail(std::string_view message);
  TokenClass at() { return m_in.current().tokenClass; }
  bool atSentenceStart();
  bool atPartEnd();

  TokenReader& m_in;
  ErrorCounter& m_errors;
  bool m_isCfm;
  bool m_bracketOpen = false;  // an expression of this sentence left a bracket open
};

}  // namespace zel::stl
