#include "build/scan_command_names.h"

#include <array>

namespace zel::build {
namespace {

// Code = position. Names in question marks are commands that scripts give by number.
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

}  // namespace

std::string_view ScanCommandName(std::uint16_t code) {
  return code < kNames.size() ? kNames[code] : std::string_view();
}

}  // namespace zel::build
