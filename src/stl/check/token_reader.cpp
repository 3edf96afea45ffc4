#include "stl/check/token_reader.h"

#include "stl/check/check_messages.h"

namespace zel::stl {
namespace {

constexpr char kCrossReferenceSeparator = ' ';

// What a message shows of a token that is no operand: the display notation when the
// token at least reads as one (I999.0 rather than E999.0), else the token as written.
std::string Shown(const std::string& text) {
  const auto operand = ReadStoredOperand(text);
  return operand ? operand->display : text;
}

bool IsRotateCode(const std::string& text) {
  return !text.empty() && text.front() == 'z';
}

}  // namespace

std::optional<Token> OperandToken(std::string_view stored) {
  const TokenClass tokenClass = OperandTokenClass(stored);
  if (tokenClass == TokenClass::None) return std::nullopt;
  Token token;
  if (!StoredToDisplay(stored, token.operand)) return std::nullopt;
  token.tokenClass = tokenClass;
  token.stored = token.operand.stored;
  return token;
}

TokenReader::TokenReader(std::string_view program, const StepTable& steps,
                         const AllocationList* symbols, FieldbusCheck& fieldbus,
                         ErrorCounter& errors, CheckOutput& output)
    : m_scanner(program),
      m_steps(steps),
      m_symbols(symbols),
      m_fieldbus(fieldbus),
      m_errors(errors),
      m_output(output) {}

const Token& TokenReader::current() {
  if (!m_current) fetch(false);
  return *m_current;
}

const Token& TokenReader::currentTimeValue() {
  if (!m_current) fetch(true);
  return *m_current;
}

void TokenReader::fetch(bool timeValue) {
  while (true) {
    if (!m_inLine && !enterLine()) {
      m_current = Token{};
      return;
    }
    const CutToken cut = timeValue ? m_scanner.nextTimeValue() : m_scanner.nextToken();
    if (cut.cut == Cut::EndOfLine) {
      // Every source line ends with a line break in the intermediate text, empty or not.
      m_output.intermediate += '\n';
      m_inLine = false;
      continue;
    }
    m_current = classify(cut);
    write(*m_current);
    return;
  }
}

// The rest of an unconverted line is display text; scanning it could only add messages
// about the same fault, so it is skipped.
bool TokenReader::enterLine() {
  if (!m_scanner.nextLine()) return false;
  m_inLine = true;
  if (m_scanner.isUnconvertedLine()) {
    m_errors.error(lineCounter(), msg::kUnknownStlExpression);
    m_scanner.skipRestOfLine();
  }
  return true;
}

Token TokenReader::classify(const CutToken& cut) {
  switch (cut.cut) {
    case Cut::Step:
      // Pass two runs only after pass one numbered every STEP without a fault, so the
      // n-th STEP read is step n.
      return {TokenClass::Step, "#" + std::to_string(++m_stepsRead), {}};
    case Cut::Label:
      if (const auto number = m_steps.numberOf(cut.text))
        return {TokenClass::KnownJumpTarget, std::to_string(*number), {}};
      return {TokenClass::UnknownJumpTarget, cut.text, {}};
    case Cut::TimeValue:
      return {TokenClass::TimeValue, cut.text, {}};
    case Cut::Quoted:
      // Reported here, yet passed on: a call parameter takes it without a second message.
      m_errors.error(lineCounter(), msg::kInvalidOperand);
      return {TokenClass::QuotedText, cut.text, {}};
    case Cut::Symbol:
      return resolveSymbol(cut.text, cut.text);
    case Cut::Operand:
      return operandOrSymbol(cut);
    case Cut::Numbered:
      if (!IsRotateCode(cut.text)) return operandOrSymbol(cut);
      [[fallthrough]];
    case Cut::Comparison:
    case Cut::Single:
    case Cut::EndOfLine:
      break;
  }
  const TokenClass code = CodeTokenClass(cut.text);
  // The reserved code `p` has no statement that takes it; it is reported like any text
  // that means nothing.
  if (code != TokenClass::None && code != TokenClass::Reserved) return {code, cut.text, {}};
  return resolveSymbol(cut.text, Shown(cut.text));
}

Token TokenReader::operandOrSymbol(const CutToken& cut) {
  if (auto token = OperandToken(cut.text)) {
    checkFieldbus(*token);
    return std::move(*token);
  }
  return resolveSymbol(cut.text, Shown(cut.text));
}

Token TokenReader::resolveSymbol(const std::string& name, const std::string& shown) {
  const AllocationEntry* entry = m_symbols ? m_symbols->findBySymbol(name) : nullptr;
  if (entry) {
    if (auto token = OperandToken(entry->operand.stored)) {
      checkFieldbus(*token);
      return std::move(*token);
    }
  }
  return unknown(name, shown);
}

// The token goes on to the parser as not recognised, which reports it where it stands.
Token TokenReader::unknown(const std::string& text, const std::string& shown) {
  m_errors.error(lineCounter(), std::string(msg::kUnknownOperand) + shown);
  return {TokenClass::None, text, {}};
}

void TokenReader::checkFieldbus(const Token& token) {
  if (!IsOperandToken(token.tokenClass) || !IsFieldbus(token.operand)) return;
  switch (m_fieldbus.check(token.operand)) {
    case FieldbusVerdict::Accepted:
      return;
    case FieldbusVerdict::NotConfigured:
      m_errors.error(lineCounter(),
                     std::string(msg::kFieldbusNotConfigured) + token.operand.display);
      return;
    case FieldbusVerdict::Unreadable:
      m_errors.error(lineCounter(), msg::kFieldbusReadError);
      return;
  }
}

void TokenReader::write(const Token& token) {
  m_output.intermediate += token.stored;
  if (!IsOperandToken(token.tokenClass) || token.tokenClass == TokenClass::Constant) return;
  m_output.crossReference += token.stored;
  m_output.crossReference += kCrossReferenceSeparator;
  m_output.crossReference += std::to_string(lineCounter());
  m_output.crossReference += '\n';
}

}  // namespace zel::stl
