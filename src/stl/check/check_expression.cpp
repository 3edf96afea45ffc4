// Pass two: logic expressions of IF conditions and LOAD statements, with their brackets,
// operators and TO / SHIFT targets.

#include "stl/check/check_messages.h"
#include "stl/check/sentence_checker.h"

namespace zel::stl {
namespace {

using T = TokenClass;

bool IsModifier(TokenClass t) {
  switch (t) {
    case T::Swap:
    case T::Shl:
    case T::Shr:
    case T::Rol:
    case T::Ror:
    case T::Bid:
    case T::Deb:
    case T::Cpl:
    case T::Inv:
      return true;
    default:
      return false;
  }
}

bool IsArithmetic(TokenClass t) {
  return t == T::Plus || t == T::Minus || t == T::Times || t == T::Divide;
}

bool IsLogic(TokenClass t) {
  return t == T::And || t == T::Or || t == T::Exor;
}

bool IsComparison(TokenClass t) {
  const int n = static_cast<int>(t);
  return n >= static_cast<int>(T::Less) && n <= static_cast<int>(T::NotEqual);
}

// Word operands a TO may write: not input words and not constants.
bool IsMultiBitTarget(TokenClass t) {
  return IsMultiBitToken(t) && t != T::InputWord && t != T::Constant;
}

bool IsOneBitTarget(TokenClass t) {
  return t == T::FlagBit || t == T::OutputBit || t == T::TimerBit || t == T::CounterBit;
}

}  // namespace

// expression = slot { modifier | ")" } { ( operator slot | target ) { modifier | ")" } }
bool SentenceChecker::checkExpression(Expression& e) {
  if (!checkOperandSlot(e, Slot::Any)) return false;
  while (true) {
    if (!checkAfterOperand(e)) return false;
    const TokenClass t = at();
    if (t == T::To || t == T::Shift) {
      if (!checkTarget(e)) return false;
      continue;
    }
    if (e.afterTarget && !continuesAfterTarget(e)) break;
    bool isOperator = false;
    if (!checkOperator(e, isOperator)) return false;
    if (!isOperator) break;  // NOP, "(" and anything else end the expression
  }
  // Each expression closes only the brackets it opened, so a LOAD cannot close a bracket
  // of its IF condition; one left open is reported when the sentence ends.
  if (e.levels.size() > 1) m_bracketOpen = true;
  return true;
}

// slot = { N | "(" } operand ; N N and N before a word are invalid operations
bool SentenceChecker::checkOperandSlot(Expression& e, Slot slot) {
  bool negated = false;
  bool bracketOpened = false;
  Slot inner = slot;
  while (true) {
    const TokenClass t = at();
    if (t == T::Not) {
      if (inner == Slot::MultiBit || negated) return fail(msg::kInvalidOperation);
      negated = true;
      m_in.consume();
    } else if (t == T::OpenBracket) {
      if (e.levels.size() > kMaxBracketDepth) return fail(msg::kTooManyOpening);
      BracketLevel level;
      level.multiBit = inner == Slot::MultiBit;  // a word operator stands before it
      level.negated = negated;
      e.levels.push_back(level);
      negated = false;
      bracketOpened = true;
      // A bracket after a one-bit operator may hold a comparison of words.
      if (inner == Slot::OneBit) inner = Slot::Any;
      m_in.consume();
    } else {
      break;
    }
  }
  if (IsOneBitToken(at()) || IsMultiBitToken(at())) return checkOperand(e, inner, negated);
  if (slot == Slot::OneBit)
    return fail(bracketOpened ? msg::kInvalidOperand : msg::kOneBitExpected);
  if (slot == Slot::MultiBit) return fail(msg::kMultiBitExpected);
  return fail(msg::kNoOperand);
}

// A one-bit or multi-bit operand, where the slot allows it.
bool SentenceChecker::checkOperand(Expression& e, Slot slot, bool negated) {
  if (IsOneBitToken(at())) {
    if (slot == Slot::MultiBit) return fail(msg::kMultiBitExpected);
  } else {
    if (negated) return fail(msg::kInvalidOperation);
    if (slot == Slot::OneBit) return fail(msg::kOneBitExpected);
    e.level().multiBit = true;
  }
  m_in.consume();
  e.afterTarget = false;
  return true;
}

bool SentenceChecker::checkAfterOperand(Expression& e) {
  while (true) {
    const TokenClass t = at();
    if (IsModifier(t)) {
      if (e.afterTarget && e.use == Use::Load) return fail(msg::kInvalidOperation);
      if (!e.level().multiBit) return fail(msg::kArithmeticNeedsMultiBit);
      m_in.consume();
    } else if (t == T::CloseBracket) {
      if (!checkCloseBracket(e)) return false;
    } else {
      return true;
    }
  }
}

// A bracket holding a word expression without comparison makes its surrounding word too.
bool SentenceChecker::checkCloseBracket(Expression& e) {
  if (e.levels.size() == 1) return fail(msg::kTooManyClosing);
  const BracketLevel inner = e.levels.back();
  const bool wordValue = inner.multiBit && !inner.comparison;
  if (wordValue && inner.negated) return fail(msg::kOneBitInBrackets);
  e.levels.pop_back();
  if (wordValue) e.level().multiBit = true;
  m_in.consume();
  return true;
}

bool SentenceChecker::checkOperator(Expression& e, bool& isOperator) {
  const TokenClass t = at();
  isOperator = IsArithmetic(t) || IsLogic(t) || IsComparison(t);
  if (!isOperator) return true;
  BracketLevel& level = e.level();
  if (IsArithmetic(t) && !level.multiBit) return fail(msg::kArithmeticNeedsMultiBit);
  if (IsComparison(t)) {
    if (!level.multiBit) return fail(msg::kInvalidOperation);
    if (level.comparison) return fail(msg::kComparisonInBrackets);
    level.comparison = true;
  }
  const Slot slot = IsLogic(t) && !level.multiBit ? Slot::OneBit : Slot::MultiBit;
  m_in.consume();
  return checkOperandSlot(e, slot);
}

// target = ( TO | SHIFT ) operand [ modifiers ]
// In a condition only one-bit targets stand; they make the expression one-bit again, so
// further logic operators continue it.
bool SentenceChecker::checkTarget(Expression& e) {
  const bool shift = at() == T::Shift;
  m_in.consume();
  const TokenClass t = at();
  BracketLevel& level = e.level();
  if (shift) {
    if (t != T::FlagBit && t != T::OutputBit) return fail(msg::kInvalidTarget);
  } else if (IsMultiBitTarget(t)) {
    if (e.use == Use::Condition) return fail(msg::kInvalidOperation);
    if (!level.multiBit) return fail(msg::kToSingleMulti);
    if (level.comparison) return fail(msg::kInvalidOperation);
  } else if (IsOneBitTarget(t)) {
    if (level.multiBit && !level.comparison) return fail(msg::kInvalidOperation);
  } else {
    return fail(msg::kInvalidTarget);
  }
  m_in.consume();
  if (e.use == Use::Condition) level.multiBit = level.comparison = false;
  ++e.targets;
  e.afterTarget = true;
  return true;
}

bool SentenceChecker::continuesAfterTarget(const Expression& e) {
  return e.use == Use::Condition && IsLogic(at());
}

}  // namespace zel::stl
