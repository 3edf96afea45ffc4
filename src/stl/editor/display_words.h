#pragma once
// The words of a display line as both conversions see them: where a word ends, and what a
// word that is no keyword stands for (time value, absolute operand or symbol). The stored
// direction uses the same rules to show only what the display direction reads back.

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "stl/alloc/allocation_list.h"
#include "stl/lang/operand.h"

namespace zel::stl {

// Step labels and jump targets keep this many characters.
inline constexpr std::size_t kMaxLabelLength = 9;
// A word longer than any operand or symbol the allocation list can hold is neither.
inline constexpr std::size_t kMaxWordLength = std::max(kMaxOperandLength, kMaxSymbolLength);

// Starts a comment of the allocation list or of a called module shown beside a line; the
// conversion back drops it and the rest of the line.
inline constexpr char kListCommentMark = '\'';

// Blanks, TABs, brackets, operators and both quote characters end a word.
bool IsDisplayDelimiter(char c);

// Length of the word at the start of `text`: up to the next delimiter. A constant `V`
// directly followed by a sign takes the sign into the word.
std::size_t WordLength(std::string_view text);

// Length of a possible keyword at the start of `text`: up to a delimiter or a point.
std::size_t KeywordLength(std::string_view text);

enum class WordKind { TimeValue, Operand, Symbol, Unknown };

struct ReadWord {
  WordKind kind = WordKind::Unknown;
  std::string stored;              // the word in the stored form
  std::optional<Operand> operand;  // for an absolute operand
};

// A word that is not a keyword: a number with an optional point and an optional trailing
// `s` (time value), a valid absolute operand, or a name that passes the symbol syntax test.
ReadWord ReadDisplayWord(std::string_view word);

// A label the display reads back as one word: no delimiter and no `;`.
bool IsLabelText(std::string_view label);

// Whether a word shown as `shown` reads back as `stored`: one word, no keyword, and the
// same stored text. An operand with many leading zeros, for one, is longer than a word.
bool ReadsBack(std::string_view shown, std::string_view stored);

}  // namespace zel::stl
