#pragma once
// The parts of the translator, one block per file; each works on the shared context.

#include <cstdint>

#include "stl/codegen/context.h"
#include "stl/codegen/operand_access.h"
#include "stl/codegen/tree.h"

namespace zel::stl::code {

// Where the current one-bit value is.
enum class BitState {
  None = 0,  // no value pending
  Flag = 1,  // in the zero flag, set for the value 0
  High = 2,  // in bit 6 of AH as LAHF stores it, set for the value 0
  Both = 3,  // in both places
};

// code_logic.cpp
bool IsOneBit(const CodeContext& ctx, NodeId id);
BitState TranslateBit(CodeContext& ctx, NodeId id);
// Reads a bit operand; `negate` inverts it on the way.
BitState ReadBit(CodeContext& ctx, const BitOperand& bit, bool negate);
// Brings the value into AH (`9F` from the zero flag).
BitState IntoHigh(CodeContext& ctx, BitState state);
// Brings the value into AH and the zero flag.
BitState IntoBoth(CodeContext& ctx, BitState state);

// code_word.cpp
// Computes a word value into AX; `used` tells whether anything takes it further.
void TranslateWord(CodeContext& ctx, NodeId id, bool used = true);
void ReadWord(CodeContext& ctx, const WordOperand& word);
void WriteWord(CodeContext& ctx, const WordOperand& word, bool used);
void ReadFunctionWord(CodeContext& ctx, int number);
void WriteFunctionWord(CodeContext& ctx, int number);

// code_statements.cpp
void TranslateStatement(CodeContext& ctx, NodeId id);
// A one-bit TO or a SHIFT inside an expression; the value goes on.
BitState TranslateBitStore(CodeContext& ctx, NodeId id);
// A word TO inside an expression.
void TranslateWordStore(CodeContext& ctx, NodeId id, bool used);

// code_set_reset.cpp
// Whether SET (or RESET) exists for the operand.
bool CanSet(const BitOperand& bit, bool set);
void EmitSetReset(CodeContext& ctx, const BitOperand& bit, bool set);

// code_sentences.cpp
void EmitPrologue(CodeContext& ctx);
void TranslateItem(CodeContext& ctx, NodeId root);
void FinishModule(CodeContext& ctx);

}  // namespace zel::stl::code
