// Pass two: executive parts and their statements.

#include "stl/check/check_messages.h"
#include "stl/check/sentence_checker.h"
#include "stl/lang/time_value.h"

namespace zel::stl {
namespace {

using T = TokenClass;

// SET takes flags, outputs, timers, counters, PS and programs; RESET also E.
bool IsSettable(TokenClass t, bool isReset) {
  switch (t) {
    case T::FlagBit:
    case T::OutputBit:
    case T::TimerBit:
    case T::CounterBit:
    case T::PsBit:
    case T::ProgramBit:
      return true;
    case T::FBit:
      return isReset;
    default:
      return false;
  }
}

// INC and DEC count words; a counter stands for its counter word.
bool IsCountable(TokenClass t) {
  switch (t) {
    case T::CounterBit:
    case T::TimerWord:
    case T::CounterWord:
    case T::RegisterWord:
    case T::OutputWord:
    case T::TimerPreselect:
    case T::CounterPreselect:
    case T::FlagWord:
    case T::XOperand:
    case T::YOperand:
      return true;
    default:
      return false;
  }
}

}  // namespace

// executive-part = statement { statement } ; up to STEP, IF, OTHRW, the end, or a JMP
bool SentenceChecker::checkExecutivePart() {
  int statements = 0;
  while (!atPartEnd()) {
    if (at() == T::Then) return fail(msg::kInvalidSequence);
    bool endsPart = false;
    if (!checkStatement(endsPart)) return false;
    ++statements;
    if (endsPart) break;
  }
  return statements > 0 || fail(msg::kEmptySentencePart);
}

bool SentenceChecker::checkStatement(bool& endsPart) {
  switch (at()) {
    case T::Set:
      return checkSet(false);
    case T::Reset:
      return checkSet(true);
    case T::Load:
      return checkLoad();
    case T::Inc:
    case T::Dec:
      return checkIncDec();
    case T::Jump:
      endsPart = true;
      return checkJump();
    case T::Cmp:
    case T::Cfm:
      return checkModuleCall();
    default:
      return fail(msg::kInvalidOperation);
  }
}

// set = ( SET | RESET ) operand [ WITH time-value ]   (WITH only after SET of a timer)
bool SentenceChecker::checkSet(bool isReset) {
  m_in.consume();
  const TokenClass operand = at();
  if (!IsSettable(operand, isReset)) return fail(msg::kInvalidOperand);
  m_in.consume();
  if (isReset || operand != T::TimerBit || at() != T::With) return true;
  m_in.consume();
  return checkTimeValue();
}

bool SentenceChecker::checkTimeValue() {
  const Token& time = m_in.currentTimeValue();
  if (!ParseTimeValue(time.stored)) return fail(msg::kInvalidTime);
  m_in.consume();
  return true;
}

// load = LOAD expression target { target }
bool SentenceChecker::checkLoad() {
  m_in.consume();
  Expression e{Use::Load};
  if (!checkExpression(e)) return false;
  return e.targets > 0 || fail(msg::kToExpected);
}

// inc = ( INC | DEC ) word-operand
bool SentenceChecker::checkIncDec() {
  m_in.consume();
  if (!IsCountable(at())) return fail(msg::kMultiBitExpected);
  m_in.consume();
  return true;
}

// jump = JMP label   (the scanner reads the label right after the code)
bool SentenceChecker::checkJump() {
  m_in.consume();
  if (at() != T::KnownJumpTarget) return fail(msg::kInvalidJumpTarget);
  m_in.consume();
  return true;
}

// call = ( CMP n | CFM n ) { WITH ( multi-bit-operand | quoted-text ) }
// Quoted text was reported by the scanner already; it is taken here so that it does not
// draw a second message.
bool SentenceChecker::checkModuleCall() {
  m_in.consume();
  while (at() == T::With) {
    m_in.consume();
    const TokenClass parameter = at();
    if (!IsMultiBitToken(parameter) && parameter != T::QuotedText)
      return fail(msg::kInvalidOperand);
    m_in.consume();
  }
  return true;
}

}  // namespace zel::stl
