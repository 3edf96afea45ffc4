#include "build/scan_commands.h"

#include <array>
#include <cctype>

#include "app/text/field_scanner.h"

namespace zel::build {

namespace {

// Code = place in the table. Names in question marks are commands scripts give by number.
constexpr std::array<std::string_view, kScanCommandCount> kNames = {
    "ENDOFTABLE",
    "INPUTMOVEBYTEIO",
    "INPUTMOVEBYTEMEMORY",
    "INPUTMOVEWORDIO",
    "INPUTMOVEWORDMEMORY",
    "OUTPUTMOVEBYTEIO",
    "OUTPUTMOVEBYTEMEMORY",
    "OUTPUTMOVEWORDIO",
    "OUTPUTMOVEWORDMEMORY",
    "POP",
    "PUSH",
    "ENTERVALUE",
    "NOT",
    "AND",
    "OR",
    "XOR",
    "GETBYTEIO",
    "GETBYTEMEMORY",
    "GETWORDIO",
    "GETWORDMEMORY",
    "PUTBYTEIO",
    "PUTBYTEMEMORY",
    "PUTWORDIO",
    "PUTWORDMEMORY",
    "JUMPONZERO",
    "JUMPONNONZERO",
    "INPUTENTERBYTE",
    "INPUTENTERWORD",
    "OUTPUTENTERBYTE",
    "OUTPUTENTERWORD",
    "?SHL?",
    "?SHR?",
    "?SAR?",
    "ADD",
    "?SUB?",
    "?MUL?",
    "?DIV?",
    "NOP",
    "XCHG",
    "CHS",
    "BYTESWAP",
    "WORDSWAP",
    "WAITFORBITIO",
    "WAITFORBITMEMORY",
    "JUMPONNOTFIRSTSCAN",
    "?SIGNEXTENDBYTE?",
    "?SIGNEXTENDWORD?",
    "?PCALL?",
    "SETFW",
    "INPUTSTOREBYTE",
    "INPUTSTOREWORD",
    "OUTPUTSTOREBYTE",
    "OUTPUTSTOREWORD",
    "?CLI?",
    "?STI?",
    "EQ",
    "NE",
    "KZCCHECK",
    "JUMP",
    "KZC6CHECK",
    "?DEBUGCOPY?",
    "DIRECTSETFW",
    "KZCOUTBYTEIO",
    "KZCINBYTEIO",
    "KZCINPUTBYTEINTR",
    "KZCOUTPUTBYTEINTR",
    "KZCINPUTWORDINTR",
    "KZCOUTPUTWORDINTR",
    "LOADINPUTMEM",
    "SAVEINPUTMEM",
    "LOADOUTPUTMEM",
    "SAVEOUTPUTMEM",
    "KZCNOSTATUSOUTBYTEIO",
    "KZCNOSTATUSINBYTEIO",
    "CPUVERIFY",
};

bool BeginsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) !=
        std::toupper(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::string_view ScanCommandName(std::uint16_t code) {
  return code < kNames.size() ? kNames[code] : std::string_view();
}

std::optional<std::uint16_t> LookupScanCommand(std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (text.front() >= '0' && text.front() <= '9') return app::DecimalWord(text);
  for (std::size_t code = 0; code < kNames.size(); ++code) {
    if (BeginsWithNoCase(text, kNames[code])) return static_cast<std::uint16_t>(code);
  }
  return std::nullopt;
}

}  // namespace zel::build
