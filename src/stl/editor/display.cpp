#include "stl/editor/display.h"

#include <limits>

#include "app/text/text_format.h"
#include "stl/alloc/allocation_list.h"
#include "stl/editor/display_words.h"
#include "stl/editor/layout.h"
#include "stl/lang/keywords.h"
#include "stl/lang/stored_form.h"

namespace zel::stl {
namespace {

std::size_t KeywordColumn(TokenClass c) {
  using T = TokenClass;
  switch (c) {
    case T::If:
    case T::Then:
    case T::Otherwise:
      return kConditionColumn;
    case T::Set:
    case T::Reset:
    case T::Load:
    case T::Inc:
    case T::Dec:
    case T::And:
    case T::Or:
    case T::Exor:
    case T::Shift:
      return kStatementColumn;
    case T::Not:
      return kNotColumn;
    case T::Nop:
      return kOperandColumn;
    default:  // TO, WITH and the word operations
      return kModifierColumn;
  }
}

std::optional<int> SmallNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > std::numeric_limits<int>::digits10) return std::nullopt;
  int value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

// Reads one stored line token by token and builds its display line.
class StoredLineReader {
 public:
  StoredLineReader(std::string_view text, const ConversionContext& context)
      : m_text(text), m_context(context) {}

  DisplayLine read();

 private:
  // False when the token at the position fits no rule; the position is left at its start.
  bool readToken();
  bool readLabelled(std::string_view word, std::size_t column);
  bool readModuleCall(app::ModuleKind kind);
  bool readSymbol();
  bool readOperand();
  bool readKeyword();
  void readComment();
  void place(std::size_t column, std::string_view token) { PlaceToken(m_line.text, column, token); }
  std::string_view rest() const { return m_text.substr(m_pos); }
  void skipBlanks();
  void addListComment();
  std::optional<std::string> listComment() const;

  std::string_view m_text;
  std::size_t m_pos = 0;
  const ConversionContext& m_context;
  DisplayLine m_line;
};

DisplayLine StoredLineReader::read() {
  if (!m_text.empty() && m_text.front() == stored::kUnconvertedMark) {
    m_line.text = std::string(m_text.substr(1));
    return std::move(m_line);
  }
  while (true) {
    skipBlanks();
    if (m_pos == m_text.size()) break;
    if (m_text[m_pos] == stored::kCommentMark) {
      readComment();
      break;
    }
    if (!readToken()) {
      m_line.text += kLeftoverMark;
      m_line.text += rest();
      m_line.hasLeftover = true;
      break;
    }
  }
  if (!m_line.hasComment && !m_line.hasLeftover) addListComment();
  return std::move(m_line);
}

void StoredLineReader::skipBlanks() {
  while (m_pos < m_text.size() && stored::IsBlank(m_text[m_pos])) ++m_pos;
}

bool StoredLineReader::readToken() {
  const char c = m_text[m_pos];
  switch (c) {
    case stored::kStepCode:
      return readLabelled("STEP", kStepColumn);
    case stored::kJumpCode:
      return readLabelled("JMP TO", kStatementColumn);
    case stored::kCmpCode:
      return readModuleCall(app::ModuleKind::Cmp);
    case stored::kCfmCode:
      return readModuleCall(app::ModuleKind::Cfm);
    case stored::kSymbolStart:
      return readSymbol();
    case '<':
    case '>': {
      place(kModifierColumn, stored::ComparisonOperator(rest()));
      m_pos += stored::ComparisonTokenLength(rest());
      return true;
    }
    case '=':
    case '+':
    case '-':
    case '*':
    case '/':
      place(kModifierColumn, std::string_view(&m_text[m_pos++], 1));
      return true;
    case '(':
      place(kOpenBracketColumn, "(");
      ++m_pos;
      return true;
    case ')':
      place(kCloseBracketColumn, ")");
      ++m_pos;
      return true;
    default:
      break;
  }
  if (stored::IsDigit(c)) {
    const std::size_t length = stored::NumberTokenLength(rest());
    place(kOperandColumn, std::string(m_text.substr(m_pos, length)) + "s");
    m_pos += length;
    return true;
  }
  if (stored::IsOperandLetter(c)) return readOperand();
  return readKeyword();
}

// `#` label `;` and `b` label `;`: the label runs to `;`, a comment or the line's end.
bool StoredLineReader::readLabelled(std::string_view word, std::size_t column) {
  std::size_t at = m_pos + 1;
  while (at < m_text.size() && stored::IsBlank(m_text[at])) ++at;
  std::size_t end = at;
  while (end < m_text.size() && m_text[end] != stored::kLabelEnd &&
         m_text[end] != stored::kCommentMark)
    ++end;
  std::string_view label = m_text.substr(at, end - at);
  while (!label.empty() && stored::IsBlank(label.back())) label.remove_suffix(1);
  // A longer label would be cut on the way back and name another step.
  if (!IsLabelText(label) || label.size() > kMaxLabelLength) return false;
  std::size_t next = (end < m_text.size() && m_text[end] == stored::kLabelEnd) ? end + 1 : end;
  while (next < m_text.size() && stored::IsBlank(m_text[next])) ++next;
  // Without a label, a word after it would read back as the label.
  if (label.empty() && next < m_text.size() && !IsDisplayDelimiter(m_text[next])) return false;
  place(column, label.empty() ? std::string(word) : std::string(word) + " " + std::string(label));
  m_pos = next;
  return true;
}

bool StoredLineReader::readModuleCall(app::ModuleKind kind) {
  std::size_t end = m_pos + 1;
  while (end < m_text.size() && stored::IsDigit(m_text[end])) ++end;
  const std::string_view digits = m_text.substr(m_pos + 1, end - m_pos - 1);
  const std::string_view word = kind == app::ModuleKind::Cmp ? "CMP" : "CFM";
  place(kStatementColumn,
        digits.empty() ? std::string(word) : std::string(word) + " " + std::string(digits));
  if (const auto number = SmallNumber(digits)) m_line.moduleCall = ModuleCallRef{kind, *number};
  m_pos = end;
  return true;
}

bool StoredLineReader::readSymbol() {
  const std::size_t start = m_pos + 1;
  const std::size_t end = m_text.find(stored::kLabelEnd, start);
  if (end == std::string_view::npos) return false;
  const std::string_view name = m_text.substr(start, end - start);
  if (!ReadsBack(name, m_text.substr(m_pos, end + 1 - m_pos))) return false;
  place(kOperandColumn, name);
  m_line.lastSymbol = std::string(name);
  m_pos = end + 1;
  return true;
}

bool StoredLineReader::readOperand() {
  const std::size_t length = stored::OperandTokenLength(rest());
  Operand operand;
  if (!StoredToDisplay(m_text.substr(m_pos, length), operand) ||
      !ReadsBack(operand.display, operand.stored))
    return false;
  place(kOperandColumn, operand.display);
  m_line.lastOperand = std::move(operand);
  m_pos += length;
  return true;
}

bool StoredLineReader::readKeyword() {
  const auto row = KeywordAtCode(rest());
  if (!row) return false;
  const Keyword& keyword = Keywords()[*row];
  // The compiler reads a two-character code and every digit after it as one token, so z35
  // is no ROL followed by 5.
  const std::size_t end = m_pos + keyword.code.size();
  if (keyword.code.size() > 1 && end < m_text.size() && stored::IsDigit(m_text[end])) return false;
  place(KeywordColumn(keyword.tokenClass), DisplayWord(keyword, m_context.elseForOtherwise));
  m_pos = end;
  return true;
}

// A long comment (two quote characters) stays where it stands; any other goes to the
// comment column.
void StoredLineReader::readComment() {
  const std::string_view comment = rest();
  const bool isLong = comment.size() > 1 && comment[1] == stored::kCommentMark;
  place(isLong ? kStepColumn : kCommentColumn, comment);
  m_line.hasComment = true;
  m_pos = m_text.size();
}

std::optional<std::string> StoredLineReader::listComment() const {
  if (const AllocationList* list = m_context.allocationList) {
    const AllocationEntry* bySymbol =
        m_line.lastSymbol ? list->findBySymbol(*m_line.lastSymbol) : nullptr;
    if (bySymbol && !bySymbol->comment.empty()) return bySymbol->comment;
    const AllocationEntry* byOperand =
        m_line.lastOperand ? list->findByOperand(m_line.lastOperand->stored) : nullptr;
    if (byOperand && !byOperand->comment.empty()) return byOperand->comment;
  }
  if (m_line.moduleCall && m_context.moduleComment) {
    auto comment = m_context.moduleComment(m_line.moduleCall->kind, m_line.moduleCall->number);
    if (comment && !comment->empty()) return comment;
  }
  return std::nullopt;
}

// A comment shown beside the line must stay on it: control characters (a hand-edited list
// could hold line breaks) become blanks.
void StoredLineReader::addListComment() {
  if (const auto comment = listComment())
    place(kCommentColumn, kListCommentMark + app::StorableComment(*comment));
}

}  // namespace

DisplayLine StoredLineToDisplay(std::string_view stored, const ConversionContext& context) {
  return StoredLineReader(stored, context).read();
}

}  // namespace zel::stl
