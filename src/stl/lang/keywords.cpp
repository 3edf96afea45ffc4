#include "stl/lang/keywords.h"

#include "platform/no_case.h"

namespace zel::stl {
namespace {

using T = TokenClass;

constexpr std::array<Keyword, kKeywordCount> kKeywords{{
    {"DEB", "z8", T::Deb},  {"BID", "z7", T::Bid},  {"CPL", "z6", T::Cpl},
    {"INV", "z5", T::Inv},  {"ROR", "z4", T::Ror},  {"ROL", "z3", T::Rol},
    {"SHR", "z2", T::Shr},  {"SHL", "z1", T::Shl},  {"SWAP", "z0", T::Swap},
    {"EXOR", "x", T::Exor}, {"IF", "w", T::If},     {"SHIFT", "v", T::Shift},
    {"AND", "u", T::And},   {"SET", "s", T::Set},   {"RESET", "r", T::Reset},
    {"TO", "q", T::To},     {"OR", "o", T::Or},     {"N", "n", T::Not},
    {"WITH", "m", T::With}, {"LOAD", "l", T::Load}, {"DEC", "j", T::Dec},
    {"INC", "i", T::Inc},   {"CFM", "g", T::Cfm},   {"OTHRW", "f", T::Otherwise},
    {"THEN", "d", T::Then}, {"CMP", "c", T::Cmp},   {"JMP", "b", T::Jump},
    {"NOP", "a", T::Nop},   {"STEP", "#", T::Step}, {"ELSE", "f", T::Otherwise},
}};

}  // namespace

const std::array<Keyword, kKeywordCount>& Keywords() {
  return kKeywords;
}

std::optional<std::size_t> KeywordAtCode(std::string_view stored) {
  for (std::size_t i = 0; i < kKeywords.size(); ++i)
    if (stored.starts_with(kKeywords[i].code)) return i;
  return std::nullopt;
}

std::optional<std::size_t> KeywordByDisplay(std::string_view word) {
  for (std::size_t i = 0; i < kKeywords.size(); ++i)
    if (platform::EqualsNoCase(word, kKeywords[i].display)) return i;
  return std::nullopt;
}

std::string_view DisplayWord(const Keyword& keyword, bool elseForOtherwise) {
  if (keyword.tokenClass == TokenClass::Otherwise) return elseForOtherwise ? "ELSE" : "OTHRW";
  return keyword.display;
}

}  // namespace zel::stl
