// The statements of an executive part: TO, SHIFT, SET, RESET, INC, DEC, module calls and
// JMP TO.

#include <cstdio>

#include "stl/codegen/fail.h"
#include "stl/codegen/messages.h"
#include "stl/codegen/parts.h"

namespace zel::stl::code {
namespace {

constexpr std::uint8_t kPushAx = 0x50;
constexpr std::uint8_t kPopAx = 0x58;
constexpr int kLastFunctionWord = 255;

// `75 r` RESET `EB s` SET: the zero flag holds the value to be written.
void SetOrReset(CodeContext& ctx, const BitOperand& bit) {
  Emitter& b = ctx.buffer();
  b.byte(0x75);
  const std::size_t toSet = b.size();
  b.byte(0);
  EmitSetReset(ctx, bit, false);
  b.byte(0xEB);
  const std::size_t overSet = b.size();
  b.byte(0);
  b.patchShort(toSet, b.size());
  EmitSetReset(ctx, bit, true);
  b.patchShort(overSet, b.size());
}

std::optional<BitOperand> BitTarget(CodeContext& ctx, NodeId target) {
  const Node& n = ctx.node(target);
  if (n.op != Op::Operand) Fail(n.line, InternalError::UnexpectedBitNode);
  std::optional<BitOperand> bit = ToBitOperand(n.operand);
  if (!bit) ctx.fault(n.line, msg::kUnknownBitOperand);
  return bit;
}

BitState BitTo(CodeContext& ctx, NodeId id) {
  BitState state = TranslateBit(ctx, ctx.child(id, 0));
  const NodeId target = ctx.child(id, 1);
  ctx.at(target);
  const std::optional<BitOperand> bit = BitTarget(ctx, target);
  if (!bit) return state;
  if (!CanSet(*bit, true) || !CanSet(*bit, false)) {
    ctx.fault(ctx.line(), msg::kUnknownBitOperation);
    return state;
  }
  IntoBoth(ctx, state);
  Emitter& b = ctx.buffer();
  if (bit->kind == BitOperand::Kind::Local) {
    // The value 1 skips to the SET.
    ctx.usage().markBit(bit->offset, bit->mask);
    b.bytes({0x75, 0x07, 0x80, 0xA4});
    b.word(bit->offset);
    b.bytes({static_cast<std::uint8_t>(~bit->mask), 0xEB, 0x05, 0x80, 0x8C});
    b.word(bit->offset);
    b.byte(bit->mask);
    return BitState::High;
  }
  b.byte(kPushAx);
  SetOrReset(ctx, *bit);
  b.byte(kPopAx);
  return BitState::High;
}

BitState Shift(CodeContext& ctx, NodeId id) {
  const BitState state = IntoHigh(ctx, TranslateBit(ctx, ctx.child(id, 0)));
  const NodeId target = ctx.child(id, 1);
  ctx.at(target);
  const std::optional<BitOperand> bit = BitTarget(ctx, target);
  if (!bit) return state;
  if (bit->kind != BitOperand::Kind::Local && bit->kind != BitOperand::Kind::Fieldbus) {
    ctx.fault(ctx.line(), msg::kUnknownBitOperation);
    return state;
  }
  ReadBit(ctx, *bit, false);
  // Swap the operand's previous value into AH and the value to write into the flags.
  ctx.buffer().bytes({0x86, 0xE0, 0x9F, 0x86, 0xE0, 0x9E, 0x86, 0xE0, kPushAx});
  SetOrReset(ctx, *bit);
  ctx.buffer().byte(kPopAx);
  return BitState::High;
}

void SetResetStatement(CodeContext& ctx, NodeId id, bool set) {
  const Node& n = ctx.node(id);
  const std::optional<BitOperand> bit = BitTarget(ctx, ctx.child(id, 0));
  if (!bit) return;
  if (!CanSet(*bit, set)) return ctx.fault(n.line, msg::kUnknownBitOperation);
  if (set && n.children.size() > 1) {
    const NodeId value = ctx.child(id, 1);
    const Op op = ctx.node(value).op;
    if (bit->kind != BitOperand::Kind::Timer && bit->kind != BitOperand::Kind::Counter)
      return ctx.fault(n.line, msg::kUnknownBitOperation);
    if (op != Op::Operand && op != Op::Constant && op != Op::TimeValue) {
      char text[64];
      std::snprintf(text, sizeof text, msg::kUnknownTypeFormat, static_cast<int>(op));
      return ctx.fault(n.line, text);
    }
    TranslateWord(ctx, value);
    ctx.at(id);
    const bool timer = bit->kind == BitOperand::Kind::Timer;
    ctx.buffer().bytes({0x89, 0x84});
    ctx.buffer().word(timer ? TimerPreselect(bit->number) : CounterPreselect(bit->number));
  }
  EmitSetReset(ctx, *bit, set);
}

void CounterCheck(CodeContext& ctx, const WordOperand& word, bool inc) {
  Emitter& b = ctx.buffer();
  if (inc) {
    b.bytes({0x8B, 0x84});
    b.word(CounterWord(word.number));
    b.bytes({0x3B, 0x84});
    b.word(CounterPreselect(word.number));
  } else {
    b.bytes({0x83, 0xBC});
    b.word(CounterWord(word.number));
    b.byte(0x00);
  }
  b.bytes({0x75, 0x05, 0x80, 0xA4});
  b.word(CounterStatus(word.number));
  b.byte(0xFE);
}

void Count(CodeContext& ctx, const WordOperand& word, bool inc) {
  Emitter& b = ctx.buffer();
  switch (word.kind) {
    case WordOperand::Kind::Local:
      ctx.usage().markWord(word.offset);
      b.bytes({0xFF, static_cast<std::uint8_t>(inc ? 0x84 : 0x8C)});
      b.word(word.offset);
      if (word.counterWord) CounterCheck(ctx, word, inc);
      return;
    case WordOperand::Kind::Fieldbus: {
      const StationUnit unit = ctx.loadStation(word.fieldbus);
      b.bytes({0x26, static_cast<std::uint8_t>(unit.wordStation ? 0xFF : 0xFE),
               static_cast<std::uint8_t>(inc ? 0x85 : 0x8D)});
      b.word(unit.offset);
      ctx.restoreHeader();
      return;
    }
    case WordOperand::Kind::Entry:
    case WordOperand::Kind::FaultWord:
      ReadWord(ctx, word);
      b.byte(inc ? 0x40 : 0x48);
      WriteWord(ctx, word, false);
  }
}

void IncDec(CodeContext& ctx, NodeId id, bool inc) {
  const Node& target = ctx.node(ctx.child(id, 0));
  if (target.op == Op::Constant || target.op == Op::TimeValue)
    return ctx.fault(target.line, msg::kIncDecConstant);
  if (target.op != Op::Operand) return ctx.fault(target.line, msg::kIncDecExpression);
  const std::optional<WordOperand> word =
      target.operand.letters == "Z" ? CounterWordOf(target.operand) : ToWordOperand(target.operand);
  if (!word) return ctx.fault(target.line, msg::kUnknownWordOperand);
  Count(ctx, *word, inc);
}

void CallModule(CodeContext& ctx, NodeId id, bool cmp) {
  const Node& n = ctx.node(id);
  if (n.value < 0 || n.value >= static_cast<int>(kCalledModules))
    Fail(n.line, InternalError::ModuleNumberRange);
  cmp ? ctx.usage().markCmp(n.value) : ctx.usage().markCfm(n.value);
  Emitter& b = ctx.buffer();
  for (std::size_t i = 0; i < n.children.size(); ++i) {
    TranslateWord(ctx, ctx.child(id, i));
    ctx.at(id);
    const int number = kFirstEntryWord + static_cast<int>(i);
    if (number > kLastFunctionWord) Fail(n.line, InternalError::UnexpectedStatement);
    if (number <= kLastEntryWord) {
      WriteFunctionWord(ctx, number);
    } else {
      b.bytes({0x89, 0x84});
      b.word(static_cast<std::uint16_t>(kFunctionWords + 2 * number));
    }
  }
  std::size_t returnFrom = 0;
  std::size_t distance = 0;
  if (cmp) {
    // The caller ends its run; its next run continues at the return point below.
    b.bytes({0x26, 0x8B, 0x45, kResumeField, 0x26, 0x89, 0x45, kSavedResumeField});
    b.bytes({0xE8, 0x00, 0x00});
    returnFrom = b.size();
    b.bytes({0x58, 0x05});
    distance = b.size();
    b.word(0);
    b.bytes({0x26, 0x89, 0x45, kResumeField});
  }
  b.byte(0xB8);
  b.word(static_cast<std::uint16_t>(n.value));
  b.byte(kPushAx);
  ctx.callEntry(cmp ? kEntryCallCmp : kEntryCallCfm);
  if (!cmp) return;
  ctx.jumpToExit();
  b.patchWord(distance, static_cast<std::uint16_t>(b.size() - returnFrom));
  b.bytes({0x26, 0x8B, 0x45, kSavedResumeField, 0x26, 0x89, 0x45, kResumeField});
}

void Load(CodeContext& ctx, NodeId id) {
  const NodeId expression = ctx.child(id, 0);
  if (IsOneBit(ctx, expression))
    TranslateBit(ctx, expression);
  else
    TranslateWord(ctx, expression, false);
}

}  // namespace

BitState TranslateBitStore(CodeContext& ctx, NodeId id) {
  return ctx.node(id).op == Op::Shift ? Shift(ctx, id) : BitTo(ctx, id);
}

void TranslateWordStore(CodeContext& ctx, NodeId id, bool used) {
  TranslateWord(ctx, ctx.child(id, 0));
  const Node& target = ctx.node(ctx.child(id, 1));
  ctx.at(ctx.child(id, 1));
  if (target.op != Op::Operand) Fail(target.line, InternalError::UnexpectedWordNode);
  const std::optional<WordOperand> word = ToWordOperand(target.operand);
  if (!word) return ctx.fault(target.line, msg::kUnknownWordOperand);
  WriteWord(ctx, *word, used);
}

void TranslateStatement(CodeContext& ctx, NodeId id) {
  ctx.at(id);
  const Node& n = ctx.node(id);
  switch (n.op) {
    case Op::Load:
      return Load(ctx, id);
    case Op::Set:
      return SetResetStatement(ctx, id, true);
    case Op::Reset:
      return SetResetStatement(ctx, id, false);
    case Op::Inc:
      return IncDec(ctx, id, true);
    case Op::Dec:
      return IncDec(ctx, id, false);
    case Op::CallCmp:
      return CallModule(ctx, id, true);
    case Op::CallCfm:
      return CallModule(ctx, id, false);
    case Op::Jump:
      ctx.stepJumps.push_back(StepJump{ctx.buffer().openJump(), n.value, n.line});
      return;
    case Op::Nop:
      return;
    default:
      Fail(n.line, InternalError::UnexpectedStatement);
  }
}

}  // namespace zel::stl::code
