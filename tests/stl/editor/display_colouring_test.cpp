// The colours of display lines: as the editor lays them out, as users type them, and the
// agreement with the conversion to the stored form.

#include "stl/editor/display_colouring.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "stl/alloc/allocation_list.h"
#include "stl/editor/display.h"
#include "stl/editor/display_words.h"
#include "stl/editor/store.h"
#include "stl/lang/stored_form.h"
#include "stl/lang/text_lines.h"
#include "support/temp_dir.h"

namespace zel::stl {
namespace {

namespace fs = std::filesystem;

using Kind = DisplayTokenKind;
constexpr Kind K = Kind::Keyword;
constexpr Kind Op = Kind::Operand;
constexpr Kind Sy = Kind::Symbol;
constexpr Kind Co = Kind::Constant;
constexpr Kind Ti = Kind::TimeValue;
constexpr Kind La = Kind::Label;
constexpr Kind Cm = Kind::Comment;
constexpr Kind Lc = Kind::ListComment;
constexpr Kind Un = Kind::Unknown;

struct Token {
  Kind kind;
  std::string text;
  bool operator==(const Token&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Token& token) {
  static constexpr const char* kNames[] = {"Keyword",   "Operand",      "Symbol",  "Constant",
                                           "TimeValue", "Label",        "Comment", "ListComment",
                                           "Unknown",   "UnknownSymbol"};
  return out << kNames[static_cast<int>(token.kind)] << "[" << token.text << "]";
}

std::vector<Token> Tokens(std::string_view line, const std::vector<DisplaySpan>& spans) {
  std::vector<Token> tokens;
  for (const DisplaySpan& span : spans)
    tokens.push_back({span.kind, std::string(line.substr(span.start, span.length))});
  return tokens;
}

// Blanks, operators and brackets are the only characters no span covers.
bool IsUncoloured(char c) {
  return stored::IsBlank(c) || (IsDisplayDelimiter(c) && c != '"' && c != kListCommentMark);
}

// In order, not empty, not overlapping, inside the line, and covering every character
// that is not a blank, an operator or a bracket.
void ExpectWellFormed(std::string_view line, const std::vector<DisplaySpan>& spans) {
  std::size_t end = 0;
  for (const DisplaySpan& span : spans) {
    EXPECT_GT(span.length, 0u);
    ASSERT_GE(span.start, end) << "overlap at " << span.start;
    ASSERT_LE(span.start + span.length, line.size());
    for (std::size_t i = end; i < span.start; ++i)
      EXPECT_TRUE(IsUncoloured(line[i])) << "character " << i << " has no colour";
    end = span.start + span.length;
  }
  for (std::size_t i = end; i < line.size(); ++i)
    EXPECT_TRUE(IsUncoloured(line[i])) << "character " << i << " has no colour";
}

bool HasUnknown(const std::vector<DisplaySpan>& spans) {
  for (const DisplaySpan& span : spans)
    if (span.kind == Kind::Unknown) return true;
  return false;
}

struct ColourCase {
  std::string line;
  std::vector<Token> expected;
};

void PrintTo(const ColourCase& c, std::ostream* out) {
  *out << c.line;
}

class DisplayColouringCases : public ::testing::TestWithParam<ColourCase> {};

// Every case also holds the line to the conversion: a line converts exactly when nothing
// in it is coloured unknown.
TEST_P(DisplayColouringCases, ColoursTheLine) {
  const ColourCase& c = GetParam();
  const auto spans = ColourDisplayLine(c.line);
  EXPECT_EQ(Tokens(c.line, spans), c.expected);
  ExpectWellFormed(c.line, spans);
  EXPECT_EQ(HasUnknown(spans), !DisplayLineToStored(c.line).converted);
}

INSTANTIATE_TEST_SUITE_P(
    EditorLayout, DisplayColouringCases,
    ::testing::Values(
        ColourCase{"", {}}, ColourCase{"  \t  ", {}},
        ColourCase{" IF                   I0.0", {{K, "IF"}, {Op, "I0.0"}}},
        ColourCase{" THEN  SET            O0.0", {{K, "THEN"}, {K, "SET"}, {Op, "O0.0"}}},
        ColourCase{" OTHRW RESET          FW12", {{K, "OTHRW"}, {K, "RESET"}, {Op, "FW12"}}},
        ColourCase{" ELSE  LOAD           V$FF", {{K, "ELSE"}, {K, "LOAD"}, {Co, "V$FF"}}},
        ColourCase{"STEP START", {{K, "STEP"}, {La, "START"}}},
        ColourCase{"STEP START IF                F1.0",
                   {{K, "STEP"}, {La, "START"}, {K, "IF"}, {Op, "F1.0"}}},
        ColourCase{"       JMP TO LOOP", {{K, "JMP"}, {K, "TO"}, {La, "LOOP"}}},
        ColourCase{"       CMP 10                        'Pump control",
                   {{K, "CMP"}, {Co, "10"}, {Lc, "'Pump control"}}},
        ColourCase{"       CFM 5", {{K, "CFM"}, {Co, "5"}}},
        ColourCase{"         WITH         2s", {{K, "WITH"}, {Ti, "2s"}}},
        ColourCase{"         WITH         1.5s", {{K, "WITH"}, {Ti, "1.5s"}}},
        ColourCase{"       AND     N      I0.1", {{K, "AND"}, {K, "N"}, {Op, "I0.1"}}},
        ColourCase{"       OR        (    I0.2     )", {{K, "OR"}, {Op, "I0.2"}}},
        ColourCase{"         >=           V-5", {{Co, "V-5"}}},
        ColourCase{"         <>           R2", {{Op, "R2"}}},
        ColourCase{"         ROL          TOFF6", {{K, "ROL"}, {Op, "TOFF6"}}},
        ColourCase{"                      MOTOR                'Main drive",
                   {{Sy, "MOTOR"}, {Lc, "'Main drive"}}},
        ColourCase{"                      NOP", {{K, "NOP"}}},
        ColourCase{" IF                   I0.0           \"start",
                   {{K, "IF"}, {Op, "I0.0"}, {Cm, "\"start"}}},
        ColourCase{"\"\" Conveyor: 'level' \"regulation\"",
                   {{Cm, "\"\" Conveyor: 'level' \"regulation\""}}},
        ColourCase{" IF                   I0.0 ????? $$$ wE0.1",
                   {{K, "IF"}, {Op, "I0.0"}, {Un, "????? $$$ wE0.1"}}},
        ColourCase{" ????? z35\"x", {{Un, "????? z35\"x"}}},
        ColourCase{"STEP A ????? #;$", {{K, "STEP"}, {La, "A"}, {Un, "????? #;$"}}}));

INSTANTIATE_TEST_SUITE_P(
    Typing, DisplayColouringCases,
    ::testing::Values(
        ColourCase{"if i0.0 then set o0.0",
                   {{K, "if"}, {Op, "i0.0"}, {K, "then"}, {K, "set"}, {Op, "o0.0"}}},
        ColourCase{"\tSeT\t\tfw3", {{K, "SeT"}, {Op, "fw3"}}},
        ColourCase{"else reset ow3", {{K, "else"}, {K, "reset"}, {Op, "ow3"}}},
        ColourCase{"step s1", {{K, "step"}, {La, "s1"}}}, ColourCase{"STEP", {{K, "STEP"}}},
        ColourCase{"STEP IF", {{K, "STEP"}, {La, "IF"}}},  // whatever follows STEP is its label
        ColourCase{"STEP LONGLABEL123", {{K, "STEP"}, {La, "LONGLABEL123"}}},
        ColourCase{"STEP A;B", {{K, "STEP"}, {Un, "A;B"}}},
        ColourCase{"jmp loop", {{K, "jmp"}, {La, "loop"}}},
        ColourCase{"JMP TO", {{K, "JMP"}, {K, "TO"}}},
        ColourCase{"jmp to to", {{K, "jmp"}, {K, "to"}, {La, "to"}}},
        ColourCase{"JMP TO.X", {{K, "JMP"}, {La, "TO.X"}}},
        ColourCase{"cmp 10 'list", {{K, "cmp"}, {Co, "10"}, {Lc, "'list"}}},
        ColourCase{"CMP", {{K, "CMP"}}},
        ColourCase{"CMP X1", {{K, "CMP"}, {Sy, "X1"}}},  // no number: read on its own
        ColourCase{"CMP 1x", {{K, "CMP"}, {Un, "1x"}}},
        ColourCase{"CMP10", {{Op, "CMP10"}}},  // one word: the module call operand
        ColourCase{"SET T1 WITH 2s", {{K, "SET"}, {Op, "T1"}, {K, "WITH"}, {Ti, "2s"}}},
        ColourCase{"WITH 2", {{K, "WITH"}, {Ti, "2"}}},
        ColourCase{"WITH 2.5S", {{K, "WITH"}, {Ti, "2.5S"}}},
        ColourCase{"LOAD v-32768 + V+7*v5",
                   {{K, "LOAD"}, {Co, "v-32768"}, {Co, "V+7"}, {Co, "v5"}}},
        ColourCase{"AND(I0.1+R2)=FW12", {{K, "AND"}, {Op, "I0.1"}, {Op, "R2"}, {Op, "FW12"}}},
        ColourCase{"SET Pumpe\xE4 \xC9tat", {{K, "SET"}, {Sy, "Pumpe\xE4"}, {Sy, "\xC9tat"}}},
        ColourCase{"SETX SET.X", {{Sy, "SETX"}, {K, "SET"}, {Un, ".X"}}},
        ColourCase{"N1 N.", {{Sy, "N1"}, {K, "N"}, {Un, "."}}},
        ColourCase{"SWAP SHL SHR ROR INV CPL BID DEB EXOR SHIFT INC DEC",
                   {{K, "SWAP"},
                    {K, "SHL"},
                    {K, "SHR"},
                    {K, "ROR"},
                    {K, "INV"},
                    {K, "CPL"},
                    {K, "BID"},
                    {K, "DEB"},
                    {K, "EXOR"},
                    {K, "SHIFT"},
                    {K, "INC"},
                    {K, "DEC"}}},
        // an operand the validation refuses reads as a symbol, as the conversion stores it
        ColourCase{"SET I99.99 V70000", {{K, "SET"}, {Sy, "I99.99"}, {Sy, "V70000"}}},
        ColourCase{"O0.0\"x", {{Op, "O0.0"}, {Cm, "\"x"}}},
        ColourCase{"O0.0'x \"y\"", {{Op, "O0.0"}, {Lc, "'x \"y\""}}},
        ColourCase{"SET ????? O0.0", {{K, "SET"}, {Un, "????? O0.0"}}},
        ColourCase{"SET ?????", {{K, "SET"}, {Un, "?????"}}},
        ColourCase{"?????X O0.0", {{Un, "?????X"}, {Op, "O0.0"}}}));

INSTANTIATE_TEST_SUITE_P(
    Junk, DisplayColouringCases,
    ::testing::Values(ColourCase{"SET $$$ O0.0", {{K, "SET"}, {Un, "$$$"}, {Op, "O0.0"}}},
                      ColourCase{std::string("\x01\x7F\0x", 4),
                                 {{Un, std::string("\x01\x7F\0x", 4)}}},
                      ColourCase{"\xFF\xFE \x80", {{Un, "\xFF\xFE"}, {Un, "\x80"}}},
                      ColourCase{"ABCDEFGHIJ", {{Un, "ABCDEFGHIJ"}}},  // longer than any symbol
                      ColourCase{"V$FFFFF", {{Un, "V$FFFFF"}}},
                      ColourCase{"WITH 123456789012345678901s 12345678901234567890x 1234567890.25",
                                 {{K, "WITH"},
                                  {Ti, "123456789012345678901s"},
                                  {Un, "12345678901234567890x"},
                                  {Ti, "1234567890.25"}}},
                      ColourCase{"((( <<= >>> )))", {}}, ColourCase{"\"", {{Cm, "\""}}},
                      ColourCase{"'", {{Lc, "'"}}}));

// Long words take a shortcut past ReadDisplayWord; it must reach the same verdict.
TEST(DisplayColouring, LongWordsReadAsTheConversionReadsThem) {
  for (const std::string_view word :
       {"12345678901", "12345678901s", "12345678901S", "1234567890.s", "12345678901.5s",
        "12345678901ss", "12345678901.5.5", "V-123456789", "V-1234567890", "ABCDEFGHIJK",
        "12345678901x", "I123456789.0"}) {
    const auto spans = ColourDisplayLine(word);
    ASSERT_EQ(spans.size(), 1u) << word;
    const WordKind read = ReadDisplayWord(word).kind;
    EXPECT_EQ(spans[0].kind == Kind::TimeValue, read == WordKind::TimeValue) << word;
    EXPECT_EQ(spans[0].kind == Kind::Unknown, read == WordKind::Unknown) << word;
  }
}

// The programs shipped with the system and the checker's test corpus, shown as the editor
// shows them: every line is coloured completely, with nothing unknown outside leftovers,
// and what the display conversion knows about the line is coloured accordingly.
struct ProgramSource {
  fs::path directory;
  fs::path allocationList;
};

std::vector<ProgramSource> ProgramSources() {
  const fs::path data(ZEL_STL_DATA_DIR);
  const fs::path demo = data / ".." / ".." / ".." / "demo" / "Projects";
  std::vector<ProgramSource> sources{{data / "check", data / "check" / kAllocationListFile}};
  if (fs::is_directory(demo))
    for (const auto& project : fs::directory_iterator(demo))
      if (project.is_directory())
        sources.push_back({project.path(), project.path() / kAllocationListFile});
  return sources;
}

bool IsProgramFile(const fs::path& file) {
  const std::string extension = file.extension().string();
  return extension == ".AWL" || extension == ".awl";
}

void ExpectShownLineColoured(std::string_view stored, const DisplayLine& shown) {
  SCOPED_TRACE(shown.text);
  const std::string& text = shown.text;
  const auto spans = ColourDisplayLine(text);
  auto tokens = Tokens(text, spans);
  ExpectWellFormed(text, spans);
  // A `?` line shows what was typed, which may hold anything.
  if (!stored.empty() && stored.front() == stored::kUnconvertedMark) return;
  if (shown.hasLeftover) {
    ASSERT_FALSE(tokens.empty());
    EXPECT_EQ(tokens.back(), (Token{Un, text.substr(text.find(kLeftoverMark) + 1)}));
    tokens.pop_back();
  }
  for (const Token& token : tokens) EXPECT_NE(token.kind, Kind::Unknown) << token;
  if (shown.lastOperand) {
    const Kind kind =
        shown.lastOperand->classIndex == OperandClass::Constant ? Kind::Constant : Kind::Operand;
    EXPECT_NE(std::find(tokens.begin(), tokens.end(), Token{kind, shown.lastOperand->display}),
              tokens.end());
  }
  if (shown.lastSymbol) {
    EXPECT_NE(std::find(tokens.begin(), tokens.end(), Token{Sy, *shown.lastSymbol}), tokens.end());
  }
  if (shown.hasComment) {
    EXPECT_EQ(tokens.back().kind, Kind::Comment);
  } else if (!shown.hasLeftover && text.find(kListCommentMark) != std::string::npos) {
    EXPECT_EQ(tokens.back().kind, Kind::ListComment);
  }
}

struct ShownLine {
  std::string stored;
  DisplayLine shown;
};

std::vector<ShownLine> ShownProgramLines() {
  std::vector<ShownLine> lines;
  for (const ProgramSource& source : ProgramSources()) {
    AllocationList list;
    list.load(source.allocationList);
    for (const bool useElse : {false, true}) {
      ConversionContext context;
      context.elseForOtherwise = useElse;
      context.allocationList = &list;
      context.moduleComment = [](app::ModuleKind, int number) -> std::optional<std::string> {
        return "module " + std::to_string(number);
      };
      for (const auto& entry : fs::directory_iterator(source.directory)) {
        if (!IsProgramFile(entry.path())) continue;
        const std::string program = test::ReadFile(entry.path());
        for (const TextLine& line : SplitLines(program))
          lines.push_back({std::string(line.text), StoredLineToDisplay(line.text, context)});
      }
    }
  }
  return lines;
}

TEST(DisplayColouring, ShownProgramLinesAreColouredCompletely) {
  const auto lines = ShownProgramLines();
  std::size_t byKind[static_cast<int>(Kind::Unknown) + 1] = {};
  for (const ShownLine& line : lines) {
    ExpectShownLineColoured(line.stored, line.shown);
    for (const DisplaySpan& span : ColourDisplayLine(line.shown.text))
      ++byKind[static_cast<int>(span.kind)];
  }
  // The corpus is only worth as much as what it shows.
  EXPECT_GE(lines.size(), 300u);
  for (std::size_t count : byKind) EXPECT_GT(count, 0u);
}

// With the project's list a symbol it lacks stands out; the list is searched without
// regard to case, and words that are no symbols keep their colours.
TEST(DisplayColouring, SymbolsTheListLacksAreUnknown) {
  AllocationList list;
  list.append({*ParseDisplayOperand("O0.0"), "Pump", ""});
  constexpr Kind Us = Kind::UnknownSymbol;
  struct Case {
    std::string line;
    std::vector<Token> withList;
  };
  const std::vector<Case> cases = {
      {" IF foo", {{K, "IF"}, {Us, "foo"}}},
      {" SET PUMP", {{K, "SET"}, {Sy, "PUMP"}}},
      {" SET pump TO bar", {{K, "SET"}, {Sy, "pump"}, {K, "TO"}, {Us, "bar"}}},
      {" LOAD I0.0 TO 5 \"c", {{K, "LOAD"}, {Op, "I0.0"}, {K, "TO"}, {Ti, "5"}, {Cm, "\"c"}}},
      {" JMP TO lab1", {{K, "JMP"}, {K, "TO"}, {La, "lab1"}}},
      {" SET ##", {{K, "SET"}, {Un, "##"}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Tokens(c.line, ColourDisplayLine(c.line, &list)), c.withList) << c.line;
    // Without a list nothing can be told unknown.
    std::vector<Token> plain = c.withList;
    for (Token& token : plain)
      if (token.kind == Us) token.kind = Sy;
    EXPECT_EQ(Tokens(c.line, ColourDisplayLine(c.line)), plain) << c.line;
  }
}

}  // namespace
}  // namespace zel::stl
