#pragma once
// Token classes the syntax check works with. The numbers are fixed: the code generator's
// tables and old tools share them, so they are kept exactly.

namespace zel::stl {

enum class TokenClass : int {
  None = 0,
  Step = 2,
  If = 3,
  Then = 4,
  Otherwise = 5,
  Cfm = 6,
  Jump = 7,
  Set = 8,
  Reset = 9,
  Load = 10,
  Swap = 11,
  Shl = 12,
  Shr = 13,
  Rol = 14,
  Ror = 15,
  Reserved = 16,
  EndOfProgram = 17,
  Bid = 22,
  Deb = 23,
  CloseBracket = 24,
  Plus = 25,
  Minus = 26,
  Times = 27,
  Divide = 28,
  Nop = 29,
  Less = 30,
  LessEqual = 31,
  Equal = 32,
  GreaterEqual = 33,
  Greater = 34,
  NotEqual = 35,
  OpenBracket = 36,
  And = 37,
  Or = 38,
  Exor = 39,
  To = 40,
  Shift = 41,
  Inc = 42,
  Dec = 43,
  With = 44,
  Cmp = 45,
  QuotedText = 46,
  Not = 47,
  Cpl = 48,
  Inv = 49,
  TimeValue = 98,
  KnownJumpTarget = 99,
  FlagBit = 101,           // M, display F
  OutputBit = 102,         // A, display O
  InputBit = 104,          // E, display I
  TimerBit = 106,          // T, TA, TE
  CounterBit = 107,        // Z
  PsBit = 108,             // PS
  ProgramBit = 109,        // P
  FuWord = 111,            // O, display FU
  TimerWord = 112,         // TW
  CounterWord = 113,       // ZW
  RegisterWord = 114,      // R
  InputWord = 115,         // EW
  OutputWord = 116,        // AW
  Constant = 117,          // @
  TimerPreselect = 118,    // TV
  CounterPreselect = 119,  // ZV
  FlagWord = 120,          // MW
  FBit = 121,              // F, display E
  FWord = 122,             // FW, display EW
  XOperand = 123,
  YOperand = 124,
  SBit = 125,  // S, display FI
  UnknownJumpTarget = 150,
};

inline bool IsOperandToken(TokenClass c) {
  return static_cast<int>(c) > 100 && c != TokenClass::UnknownJumpTarget;
}
bool IsOneBitToken(TokenClass c);
bool IsMultiBitToken(TokenClass c);

}  // namespace zel::stl
