// Pass two at the program and sentence level.

#include "stl/check/check_messages.h"
#include "stl/check/sentence_checker.h"

namespace zel::stl {
namespace {

using T = TokenClass;

bool IsSentenceStart(TokenClass t) {
  return t == T::Step || t == T::If || t == T::Then || t == T::Otherwise || t == T::EndOfProgram;
}

bool IsStepIfOrEnd(TokenClass t) {
  return t == T::Step || t == T::If || t == T::EndOfProgram;
}

}  // namespace

bool SentenceChecker::fail(std::string_view message) {
  const Token& token = m_in.current();
  std::string text(message);
  if (IsOperandToken(token.tokenClass)) {
    text += msg::kOperandSuffix;
    text += token.operand.display;
  } else if (token.tokenClass == T::UnknownJumpTarget && !token.stored.empty()) {
    // The label no STEP defines is named like an operand; a missing one has no name.
    text += msg::kOperandSuffix;
    text += token.stored;
  }
  m_errors.error(m_in.lineCounter(), text);
  return false;
}

bool SentenceChecker::atSentenceStart() {
  return IsSentenceStart(at());
}

bool SentenceChecker::atPartEnd() {
  const TokenClass t = at();
  return IsStepIfOrEnd(t) || t == T::Otherwise;
}

void SentenceChecker::checkProgram() {
  const TokenClass first = at();
  if (first == T::EndOfProgram) {
    fail(msg::kProgramEmpty);
    return;
  }
  if (IsSentenceStart(first))
    checkSentences(first == T::Step ? ProgramKind::Step : ProgramKind::Parallel);
  else
    checkSingleExecutivePart();
  drain();
}

// A program that starts with neither STEP, IF, THEN nor OTHRW is one executive part.
void SentenceChecker::checkSingleExecutivePart() {
  if (!checkExecutivePart()) recover();
  endSentence();
  if (at() != T::EndOfProgram) fail(msg::kNoSentenceAfterSinglePart);
}

// sentences = { STEP | if-sentence | then-sentence }
void SentenceChecker::checkSentences(ProgramKind kind) {
  while (at() != T::EndOfProgram) {
    bool ok = true;
    switch (at()) {
      case T::Step:
        checkStep(kind);
        continue;
      case T::If:
        ok = checkIfSentence();
        break;
      case T::Then:
        ok = checkThenSentence();
        break;
      default:
        fail(msg::kSentenceWithoutIfOrThen);
        m_in.consume();  // OTHRW would stop the recovery where it stands
        ok = false;
        break;
    }
    if (!ok) recover();
    endSentence();
  }
}

void SentenceChecker::checkStep(ProgramKind kind) {
  if (m_isCfm) {
    fail(msg::kNoStepsInCfm);
    m_in.consume();
    return;
  }
  if (kind == ProgramKind::Parallel) {
    fail(msg::kStepInParallelProgram);
    m_in.consume();
    return;
  }
  m_in.consume();
  if (at() == T::Step)
    fail(msg::kDoubleStep);
  else if (at() == T::EndOfProgram)
    m_errors.notice(msg::kUnexpectedEof);
}

// if-sentence = IF condition THEN then-part [ OTHRW otherwise-part ]
// A fault skips to the next THEN or OTHRW of the sentence and the part that starts there
// is checked on: its own faults are reported, and it draws none for standing where it is.
bool SentenceChecker::checkIfSentence() {
  m_in.consume();
  bool ok = checkCondition();
  if (!ok) skipToSentenceStart();
  if (at() == T::Then) {
    m_in.consume();
    if (!checkThenPart() || !checkThenPartEnd()) {
      ok = false;
      skipToSentenceStart();
    }
  }
  if (at() != T::Otherwise) return ok;
  m_in.consume();
  return checkOtherwisePart();
}

// After the THEN part: STEP, IF or the end close the sentence, OTHRW goes on.
bool SentenceChecker::checkThenPartEnd() {
  return atPartEnd() || fail(msg::kIfOtherwiseOrStepExpected);
}

// condition = NOP | [ LOAD ] expression ; followed by THEN
bool SentenceChecker::checkCondition() {
  if (at() == T::Nop) {
    m_in.consume();
    return at() == T::Then || fail(msg::kThenExpected);
  }
  if (at() == T::Load) m_in.consume();
  Expression e{Use::Condition};
  if (!checkExpression(e)) return false;
  if (at() != T::Then) return fail(msg::kThenExpected);
  // The sentence is still well formed, so its parts are checked on.
  const BracketLevel& base = e.levels.front();
  if (base.multiBit && !base.comparison) fail(msg::kMissingComparison);
  return true;
}

// then-part = NOP | executive-part
bool SentenceChecker::checkThenPart() {
  if (at() != T::Nop) return checkExecutivePart();
  m_in.consume();
  return atPartEnd() || fail(msg::kIfOtherwiseOrStepExpected);
}

// otherwise-part = NOP | executive-part
bool SentenceChecker::checkOtherwisePart() {
  if (at() != T::Nop) return checkExecutivePart();
  m_in.consume();
  return IsStepIfOrEnd(at()) || fail(msg::kIfOrStepExpected);
}

// then-sentence = THEN executive-part ; followed by STEP, IF or the end
bool SentenceChecker::checkThenSentence() {
  m_in.consume();
  if (!checkExecutivePart()) return false;
  return IsStepIfOrEnd(at()) || fail(msg::kIfOrStepExpected);
}

// Skips to the next STEP, IF, THEN or the end. An OTHRW met on the way belongs to the
// faulty sentence and is skipped with its part: it cannot start a sentence itself.
void SentenceChecker::recover() {
  skipToSentenceStart();
  if (at() != T::Otherwise) return;
  m_in.consume();
  while (!atSentenceStart() || at() == T::Otherwise) m_in.consume();
}

void SentenceChecker::skipToSentenceStart() {
  while (!atSentenceStart()) m_in.consume();
}

void SentenceChecker::endSentence() {
  if (!m_bracketOpen) return;
  m_bracketOpen = false;
  fail(msg::kBracketNotClosed);
}

// Reads what is left, so that every line reaches the intermediate and cross-reference
// texts and the scanner reports what it finds there.
void SentenceChecker::drain() {
  while (at() != T::EndOfProgram) m_in.consume();
}

}  // namespace zel::stl
