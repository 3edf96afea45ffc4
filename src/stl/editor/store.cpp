#include "stl/editor/store.h"

#include <optional>

#include "stl/editor/display_words.h"
#include "stl/lang/keywords.h"
#include "stl/lang/stored_form.h"
#include "stl/lang/text_lines.h"

namespace zel::stl {
namespace {

// The category of each token decides whether a stored line break goes before the next
// one: a token breaks when the previous token's category is above its threshold. The
// categories keep the statement-list style of one operand per stored line.
constexpr int kNoPrevious = 0;
constexpr int kConditionCategory = 1;  // IF, THEN, OTHRW/ELSE
constexpr int kStatementCategory = 2;  // SET, RESET, LOAD ...
constexpr int kModifierCategory = 3;   // TO, WITH, word operations, operators
constexpr int kNotCategory = 4;
constexpr int kOpenCategory = 5;
// Operands, symbols, time values; also CMP n, CFM n, JMP TO label and STEP label, which
// end in a number or a label just as an operand ends a statement.
constexpr int kWordCategory = 6;
constexpr int kCloseCategory = 7;
constexpr int kNeverBreaks = kCloseCategory;

// What the previous stored token could swallow if the next followed without a blank.
enum class Absorbing { Nothing, Digits, Operand, TimeValue, Comparison };

struct Emit {
  std::string stored;
  int category = kWordCategory;
  int breakAbove = kWordCategory - 1;
  Absorbing absorbing = Absorbing::Nothing;
};

bool Absorbs(Absorbing kind, std::string_view previous, char next) {
  switch (kind) {
    case Absorbing::Digits:
      return stored::IsDigit(next);
    case Absorbing::Operand:
      return previous.size() == 1 ? stored::ContinuesOperandLetter(next)
                                  : stored::ContinuesOperand(next);
    case Absorbing::TimeValue:
      return stored::IsDigit(next) || next == '.';
    case Absorbing::Comparison:
      return stored::IsComparisonChar(next);
    default:
      return false;
  }
}

Emit KeywordEmit(const Keyword& keyword) {
  using T = TokenClass;
  switch (keyword.tokenClass) {
    case T::If:
    case T::Then:
    case T::Otherwise:
      return {std::string(keyword.code), kConditionCategory, kNoPrevious};
    case T::Shift:
    case T::And:
    case T::Set:
    case T::Reset:
    case T::Or:
    case T::Load:
    case T::Dec:
    case T::Inc:
      return {std::string(keyword.code), kStatementCategory, kStatementCategory};
    case T::Not:
      return {std::string(keyword.code), kNotCategory, kWordCategory - 1};
    default: {
      const bool digitCode = keyword.code.size() > 1;  // z0..z8
      return {std::string(keyword.code), kModifierCategory, kModifierCategory,
              digitCode ? Absorbing::Digits : Absorbing::Nothing};
    }
  }
}

class DisplayLineReader {
 public:
  explicit DisplayLineReader(std::string_view line) : m_line(line) {}
  StoreResult read();

 private:
  // False when the token at the position fits no rule.
  bool readToken();
  bool readKeyword(const Keyword& keyword, std::size_t length);
  bool readWord();
  std::optional<std::string> readLabel(bool afterJump);
  void readModuleNumber(std::string& stored);
  void emit(const Emit& token);
  void skipBlanks();
  std::string_view rest() const { return m_line.substr(m_pos); }

  std::string_view m_line;
  std::size_t m_pos = 0;
  std::vector<std::string> m_lines;
  int m_previous = kNoPrevious;
  Absorbing m_absorbing = Absorbing::Nothing;
  std::string m_previousText;
};

StoreResult DisplayLineReader::read() {
  StoreResult result;
  while (true) {
    skipBlanks();
    if (m_pos == m_line.size() || m_line[m_pos] == kListCommentMark) break;
    if (m_line[m_pos] == stored::kCommentMark) {
      emit({std::string(rest()), kNoPrevious, kNeverBreaks});
      break;
    }
    if (!readToken()) {
      result.converted = false;
      result.rejected = std::string(rest());
      result.lines = {stored::kUnconvertedMark + std::string(m_line)};
      return result;
    }
  }
  if (m_lines.empty()) m_lines.emplace_back();
  result.lines = std::move(m_lines);
  return result;
}

void DisplayLineReader::skipBlanks() {
  while (m_pos < m_line.size() && stored::IsBlank(m_line[m_pos])) ++m_pos;
}

void DisplayLineReader::emit(const Emit& token) {
  if (m_lines.empty() || m_previous > token.breakAbove) {
    m_lines.emplace_back();
  } else if (!token.stored.empty() && Absorbs(m_absorbing, m_previousText, token.stored[0])) {
    m_lines.back() += ' ';
  }
  m_lines.back() += token.stored;
  if (token.category != kNoPrevious) m_previous = token.category;
  m_absorbing = token.absorbing;
  m_previousText = token.stored;
}

bool DisplayLineReader::readToken() {
  const char c = m_line[m_pos];
  if (c == '(' || c == ')') {
    const bool open = c == '(';
    emit({std::string(1, c), open ? kOpenCategory : kCloseCategory,
          open ? kWordCategory - 1 : kNeverBreaks});
    ++m_pos;
    return true;
  }
  if (c == '<' || c == '>') {
    emit({stored::ComparisonOperator(rest()), kModifierCategory, kModifierCategory,
          Absorbing::Comparison});
    m_pos += stored::ComparisonTokenLength(rest());
    return true;
  }
  if (c == '=' || c == '+' || c == '-' || c == '*' || c == '/') {
    emit({std::string(1, c), kModifierCategory, kModifierCategory});
    ++m_pos;
    return true;
  }
  const std::size_t keywordLength = KeywordLength(rest());
  if (const auto row = KeywordByDisplay(rest().substr(0, keywordLength)))
    return readKeyword(Keywords()[*row], keywordLength);
  return readWord();
}

bool DisplayLineReader::readKeyword(const Keyword& keyword, std::size_t length) {
  const std::size_t start = m_pos;
  m_pos += length;
  std::string stored(keyword.code);
  switch (keyword.tokenClass) {
    case TokenClass::Cmp:
    case TokenClass::Cfm:
      readModuleNumber(stored);
      emit({stored, kWordCategory, kConditionCategory, Absorbing::Digits});
      return true;
    case TokenClass::Jump:
    case TokenClass::Step: {
      const bool step = keyword.tokenClass == TokenClass::Step;
      const auto label = readLabel(!step);
      if (!label) {
        m_pos = start;
        return false;
      }
      emit({stored + *label + stored::kLabelEnd, kWordCategory,
            step ? kNoPrevious : kConditionCategory});
      return true;
    }
    default:
      emit(KeywordEmit(keyword));
      return true;
  }
}

// The module number of CMP and CFM: the next word when it is all digits.
void DisplayLineReader::readModuleNumber(std::string& stored) {
  skipBlanks();
  const std::string_view word = rest().substr(0, WordLength(rest()));
  if (word.empty()) return;
  for (char c : word)
    if (!stored::IsDigit(c)) return;
  stored += word;
  m_pos += word.size();
}

// The label after STEP, or after JMP and an optional TO: its first kMaxLabelLength
// characters. Nothing when it holds a `;`, which would end it early in the stored form.
std::optional<std::string> DisplayLineReader::readLabel(bool afterJump) {
  skipBlanks();
  std::string_view word = rest().substr(0, WordLength(rest()));
  const auto row = KeywordByDisplay(word);
  if (afterJump && row && Keywords()[*row].tokenClass == TokenClass::To) {
    m_pos += word.size();
    skipBlanks();
    word = rest().substr(0, WordLength(rest()));
  }
  if (!IsLabelText(word)) return std::nullopt;
  m_pos += word.size();
  return std::string(word.substr(0, kMaxLabelLength));
}

bool DisplayLineReader::readWord() {
  const std::string_view word = rest().substr(0, WordLength(rest()));
  const ReadWord read = ReadDisplayWord(word);
  switch (read.kind) {
    case WordKind::TimeValue:
      emit({read.stored, kWordCategory, kWordCategory - 1, Absorbing::TimeValue});
      break;
    case WordKind::Operand:
      // CMP10 typed as one word is the module call, with the keyword's breaks.
      if (IsModuleCall(read.operand->classIndex))
        emit({read.stored, kWordCategory, kConditionCategory, Absorbing::Digits});
      else
        emit({read.stored, kWordCategory, kWordCategory - 1, Absorbing::Operand});
      break;
    case WordKind::Symbol:
      emit({read.stored, kWordCategory, kWordCategory - 1});
      break;
    default:
      return false;
  }
  m_pos += word.size();
  return true;
}

}  // namespace

StoreResult DisplayLineToStored(std::string_view line) {
  // A line break inside would end up inside a `?` line and break the file apart.
  if (line.find_first_of("\r\n") != std::string_view::npos) return DisplayTextToStored(line);
  return DisplayLineReader(line).read();
}

StoreResult DisplayTextToStored(std::string_view text) {
  StoreResult all;
  for (const TextLine& line : SplitLines(text)) {
    StoreResult one = DisplayLineReader(line.text).read();
    if (!one.converted && all.converted) {
      all.converted = false;
      all.rejected = std::move(one.rejected);
    }
    for (auto& stored : one.lines) all.lines.push_back(std::move(stored));
  }
  return all;
}

}  // namespace zel::stl
