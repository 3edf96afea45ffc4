#pragma once
// The keyword table linking the display words of the statement list to the one- and
// two-character codes of the stored form. Display words match without regard to case,
// codes with regard to case.

#include <array>
#include <optional>
#include <string_view>

#include "stl/lang/token_class.h"

namespace zel::stl {

struct Keyword {
  std::string_view display;
  std::string_view code;
  TokenClass tokenClass;
};

inline constexpr std::size_t kKeywordCount = 30;
// OTHRW and ELSE share the code; which word is shown is a preference.
inline constexpr char kOtherwiseCode = 'f';

const std::array<Keyword, kKeywordCount>& Keywords();

// The row whose code starts `stored` (searched in table order, so z0..z8 win over a
// bare letter); nothing when none does.
std::optional<std::size_t> KeywordAtCode(std::string_view stored);

// The row whose display word equals `word` without regard to case.
std::optional<std::size_t> KeywordByDisplay(std::string_view word);

// Display word of a code; `f` gives ELSE or OTHRW by the preference.
std::string_view DisplayWord(const Keyword& keyword, bool elseForOtherwise);

}  // namespace zel::stl
