#include "stl/editor/display_colouring.h"

#include <algorithm>

#include "stl/alloc/allocation_list.h"
#include "stl/editor/display.h"
#include "stl/editor/display_words.h"
#include "stl/lang/keywords.h"
#include "stl/lang/operand.h"
#include "stl/lang/stored_form.h"

namespace zel::stl {
namespace {

using Kind = DisplayTokenKind;

// The word of the leftover mark: it and everything after it is text nothing could read.
constexpr std::string_view kLeftoverWord = kLeftoverMark.substr(1, kLeftoverMark.size() - 2);
static_assert(kLeftoverMark.front() == ' ' && kLeftoverMark.back() == ' ');

// A constant's sign does not count towards kMaxWordLength, so a word one longer may still
// be an operand. Anything longer can only be a time value.
constexpr std::size_t kLongestOperandWord = kMaxWordLength + 1;

// The time value test for words too long to be operands or symbols. Reading them with
// ReadDisplayWord would copy them, and the highlighter runs on every keystroke.
bool IsLongTimeValue(std::string_view word) {
  const std::size_t length = stored::NumberTokenLength(word);
  const std::string_view unit = word.substr(length);
  return length > 0 && (unit.empty() || unit == "s" || unit == "S");
}

Kind WordKindOf(std::string_view word) {
  if (word.size() > kLongestOperandWord)
    return IsLongTimeValue(word) ? Kind::TimeValue : Kind::Unknown;
  const ReadWord read = ReadDisplayWord(word);
  switch (read.kind) {
    case WordKind::TimeValue:
      return Kind::TimeValue;
    case WordKind::Operand:
      return read.operand->classIndex == OperandClass::Constant ? Kind::Constant : Kind::Operand;
    case WordKind::Symbol:
      return Kind::Symbol;
    default:
      return Kind::Unknown;
  }
}

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), stored::IsDigit);
}

// Walks the line as the conversion to the stored form does, but goes on after a word it
// cannot read: the rest of the line still deserves its colours.
class LineColourer {
 public:
  LineColourer(std::string_view line, const AllocationList* symbols)
      : m_line(line), m_symbols(symbols) {}

  std::vector<DisplaySpan> colour();

 private:
  void colourToken();
  void colourKeyword(const Keyword& keyword, std::size_t length);
  void colourModuleNumber();
  void colourLabel(bool afterJump);
  void add(std::size_t length, Kind kind);
  void skipBlanks();
  std::string_view rest() const { return m_line.substr(m_pos); }
  std::string_view nextWord() const { return rest().substr(0, WordLength(rest())); }
  bool atLeftover() const;

  std::string_view m_line;
  const AllocationList* m_symbols;
  std::size_t m_pos = 0;
  std::vector<DisplaySpan> m_spans;
};

std::vector<DisplaySpan> LineColourer::colour() {
  while (true) {
    skipBlanks();
    if (m_pos == m_line.size()) break;
    const char c = m_line[m_pos];
    if (c == stored::kCommentMark) {
      add(rest().size(), Kind::Comment);
    } else if (c == kListCommentMark) {
      add(rest().size(), Kind::ListComment);
    } else if (atLeftover()) {
      add(rest().size(), Kind::Unknown);
    } else {
      colourToken();
    }
  }
  return std::move(m_spans);
}

void LineColourer::skipBlanks() {
  while (m_pos < m_line.size() && stored::IsBlank(m_line[m_pos])) ++m_pos;
}

void LineColourer::add(std::size_t length, Kind kind) {
  m_spans.push_back({m_pos, length, kind});
  m_pos += length;
}

bool LineColourer::atLeftover() const {
  return rest().starts_with(kLeftoverWord) && nextWord().size() == kLeftoverWord.size();
}

void LineColourer::colourToken() {
  // Blanks and quotes are taken before; the other delimiters are brackets and operators.
  if (IsDisplayDelimiter(m_line[m_pos])) {
    ++m_pos;
    return;
  }
  const std::size_t keywordLength = KeywordLength(rest());
  if (const auto row = KeywordByDisplay(rest().substr(0, keywordLength))) {
    colourKeyword(Keywords()[*row], keywordLength);
    return;
  }
  const std::string_view word = nextWord();
  Kind kind = WordKindOf(word);
  if (kind == Kind::Symbol && m_symbols && !m_symbols->findBySymbol(word))
    kind = Kind::UnknownSymbol;
  add(word.size(), kind);
}

void LineColourer::colourKeyword(const Keyword& keyword, std::size_t length) {
  add(length, Kind::Keyword);
  switch (keyword.tokenClass) {
    case TokenClass::Cmp:
    case TokenClass::Cfm:
      colourModuleNumber();
      break;
    case TokenClass::Jump:
      colourLabel(true);
      break;
    case TokenClass::Step:
      colourLabel(false);
      break;
    default:
      break;
  }
}

// The module number: the next word when it is all digits; anything else is read on its own.
void LineColourer::colourModuleNumber() {
  skipBlanks();
  const std::string_view word = nextWord();
  if (IsDigits(word)) add(word.size(), Kind::Constant);
}

// The word after STEP, or after JMP and an optional TO. A `;` in it would end the label
// early in the stored form, which the conversion refuses.
void LineColourer::colourLabel(bool afterJump) {
  skipBlanks();
  std::string_view word = nextWord();
  const auto row = KeywordByDisplay(word);
  if (afterJump && row && Keywords()[*row].tokenClass == TokenClass::To) {
    add(word.size(), Kind::Keyword);
    skipBlanks();
    word = nextWord();
  }
  if (word.empty()) return;
  add(word.size(), IsLabelText(word) ? Kind::Label : Kind::Unknown);
}

}  // namespace

std::vector<DisplaySpan> ColourDisplayLine(std::string_view line, const AllocationList* symbols) {
  return LineColourer(line, symbols).colour();
}

}  // namespace zel::stl
