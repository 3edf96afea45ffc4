// One-bit expressions: operand reads, N, AND, OR, EXOR and word comparisons.

#include "stl/codegen/fail.h"
#include "stl/codegen/messages.h"
#include "stl/codegen/parts.h"

namespace zel::stl::code {
namespace {

constexpr std::uint8_t kLahf = 0x9F;
constexpr std::uint8_t kSahf = 0x9E;
constexpr std::uint8_t kPushAx = 0x50;
constexpr std::uint8_t kPopAx = 0x58;

bool IsComparison(Op op) {
  return op >= Op::Less && op <= Op::NotEqual;
}

// Flips bit 6 of AH, the value kept there.
BitState NegateHigh(CodeContext& ctx, BitState state) {
  IntoHigh(ctx, state);
  ctx.buffer().bytes({0x80, 0xF4, 0x40});
  return BitState::High;
}

// Only bits read through AL leave a value pending in AH untouched.
bool ReadsThroughAl(const CodeContext& ctx, NodeId id) {
  const Node& n = ctx.node(id);
  if (n.op != Op::Operand) return false;
  const std::optional<BitOperand> bit = ToBitOperand(n.operand);
  if (!bit) return true;  // reported, no code
  return bit->kind != BitOperand::Kind::FaultWord && bit->kind != BitOperand::Kind::FaultInput;
}

bool NeedsSave(const CodeContext& ctx, NodeId right) {
  const Node& n = ctx.node(right);
  if (n.op == Op::Operand) return n.operand.letters == "S";
  if (n.op == Op::BitNot && n.children.size() == 1) return !ReadsThroughAl(ctx, n.children[0]);
  return true;
}

BitState TranslateOperandBit(CodeContext& ctx, NodeId id, bool negate) {
  const Node& n = ctx.node(id);
  const std::optional<BitOperand> bit = ToBitOperand(n.operand);
  if (!bit) {
    ctx.fault(n.line, msg::kUnknownBitOperand);
    return BitState::Flag;
  }
  return ReadBit(ctx, *bit, negate);
}

BitState Combine(CodeContext& ctx, NodeId id) {
  const Node& n = ctx.node(id);
  IntoHigh(ctx, TranslateBit(ctx, ctx.child(id, 0)));
  const NodeId right = ctx.child(id, 1);
  BitState state = BitState::None;
  if (NeedsSave(ctx, right)) {
    ctx.buffer().byte(kPushAx);
    const BitState r = TranslateBit(ctx, right);
    if (r == BitState::High) ctx.buffer().byte(kSahf);
    ctx.buffer().byte(kPopAx);
    state = BitState::Both;
  } else if (TranslateBit(ctx, right) == BitState::Flag) {
    state = BitState::Both;
  }
  if (state != BitState::Both) Fail(n.line, InternalError::CombineNotReady);
  ctx.at(id);
  if (n.op == Op::BitAnd) ctx.buffer().bytes({0x75, 0x02, 0xB4, 0x40});
  if (n.op == Op::BitOr) ctx.buffer().bytes({0x74, 0x02, 0x30, 0xE4});
  if (n.op == Op::BitExor) ctx.buffer().bytes({0x88, 0xE0, 0x9F, 0x30, 0xC4, 0xF6, 0xD4});
  return BitState::High;
}

bool IsPlainRight(const CodeContext& ctx, NodeId id) {
  const Node& n = ctx.node(id);
  if (n.op == Op::Constant || n.op == Op::TimeValue) return true;
  if (n.op != Op::Operand) return false;
  const std::optional<WordOperand> word = ToWordOperand(n.operand);
  return word &&
         (word->kind == WordOperand::Kind::Local || word->kind == WordOperand::Kind::FaultWord);
}

// The unsigned jump taken when the comparison holds, with the right value in AX and
// the left one in BX.
std::uint8_t MirroredJump(Op op) {
  switch (op) {
    case Op::Less:
      return 0x77;
    case Op::Greater:
      return 0x72;
    case Op::LessEqual:
      return 0x73;
    default:
      return 0x76;  // GreaterEqual
  }
}

BitState Compare(CodeContext& ctx, NodeId id) {
  const Op op = ctx.node(id).op;
  TranslateWord(ctx, ctx.child(id, 0));
  const NodeId right = ctx.child(id, 1);
  if (IsPlainRight(ctx, right)) {
    ctx.buffer().byte(0x93);
    TranslateWord(ctx, right);
  } else {
    ctx.buffer().byte(kPushAx);
    TranslateWord(ctx, right);
    ctx.buffer().byte(0x5B);
  }
  ctx.at(id);
  if (op == Op::NotEqual) {
    ctx.buffer().bytes({0x29, 0xD8});
    return BitState::Flag;
  }
  if (op == Op::Equal) {
    ctx.buffer().bytes({0x29, 0xD8, kLahf, 0x80, 0xF4, 0x40});
    return BitState::High;
  }
  ctx.buffer().bytes({0x39, 0xD8, MirroredJump(op), 0x04, 0xB4, 0x40, 0xEB, 0x02, 0x30, 0xE4});
  return BitState::High;
}

}  // namespace

bool IsOneBit(const CodeContext& ctx, NodeId id) {
  const Node& n = ctx.node(id);
  switch (n.op) {
    case Op::Operand:
      return IsBitLetters(n.operand.letters);
    case Op::BitAnd:
    case Op::BitOr:
    case Op::BitExor:
    case Op::BitNot:
    case Op::Shift:
      return true;
    case Op::To:
      return IsOneBit(ctx, ctx.child(id, 0));
    default:
      return IsComparison(n.op);
  }
}

BitState IntoHigh(CodeContext& ctx, BitState state) {
  if (state == BitState::None) Fail(ctx.line(), InternalError::NoValue);
  if (state == BitState::Flag) {
    ctx.buffer().byte(kLahf);
    return BitState::Both;
  }
  return state;
}

BitState IntoBoth(CodeContext& ctx, BitState state) {
  if (state == BitState::None) Fail(ctx.line(), InternalError::NoValue);
  if (state == BitState::Flag) ctx.buffer().byte(kLahf);
  if (state == BitState::High) ctx.buffer().byte(kSahf);
  return BitState::Both;
}

BitState ReadBit(CodeContext& ctx, const BitOperand& bit, bool negate) {
  Emitter& b = ctx.buffer();
  switch (bit.kind) {
    case BitOperand::Kind::FaultWord:
      ctx.usage().markWord(bit.offset);
      b.bytes({0x83, 0xBC});
      b.word(bit.offset);
      b.byte(0x00);
      return negate ? NegateHigh(ctx, BitState::Flag) : BitState::Flag;
    case BitOperand::Kind::FaultInput:
      ctx.callEntry(kEntryReadFaultInput);
      b.bytes({0x85, 0xC0});
      return negate ? NegateHigh(ctx, BitState::Flag) : BitState::Flag;
    case BitOperand::Kind::Fieldbus: {
      const StationUnit unit = ctx.loadStation(bit.fieldbus);
      b.bytes({0x26, 0x8A, 0x85});
      b.word(unit.offset);
      ctx.restoreHeader();
      break;
    }
    default:
      ctx.usage().markBit(bit.offset, bit.mask);
      b.bytes({0x8A, 0x84});
      b.word(bit.offset);
  }
  if (negate) b.bytes({0xF6, 0xD0});
  b.bytes({0x24, bit.mask});
  return BitState::Flag;
}

BitState TranslateBit(CodeContext& ctx, NodeId id) {
  ctx.at(id);
  const Node& n = ctx.node(id);
  switch (n.op) {
    case Op::Operand:
      return TranslateOperandBit(ctx, id, false);
    case Op::BitNot: {
      const NodeId inner = ctx.child(id, 0);
      if (ctx.node(inner).op == Op::Operand) return TranslateOperandBit(ctx, inner, true);
      const BitState state = TranslateBit(ctx, inner);
      ctx.at(id);
      return NegateHigh(ctx, state);
    }
    case Op::BitAnd:
    case Op::BitOr:
    case Op::BitExor:
      return Combine(ctx, id);
    case Op::To:
    case Op::Shift:
      return TranslateBitStore(ctx, id);
    default:
      if (IsComparison(n.op)) return Compare(ctx, id);
      Fail(n.line, InternalError::UnexpectedBitNode);
  }
}

}  // namespace zel::stl::code
