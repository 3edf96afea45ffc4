// SET and RESET of every kind of bit operand.

#include "stl/codegen/parts.h"

namespace zel::stl::code {
namespace {

constexpr std::uint16_t kTimerReset = 2;

void LocalBit(CodeContext& ctx, const BitOperand& bit, bool set) {
  Emitter& b = ctx.buffer();
  ctx.usage().markBit(bit.offset, bit.mask);
  b.bytes({0x80, static_cast<std::uint8_t>(set ? 0x8C : 0xA4)});
  b.word(bit.offset);
  b.byte(set ? bit.mask : static_cast<std::uint8_t>(~bit.mask));
}

void FieldbusBit(CodeContext& ctx, const BitOperand& bit, bool set) {
  Emitter& b = ctx.buffer();
  const StationUnit unit = ctx.loadStation(bit.fieldbus);
  b.bytes({0x26, 0x80, static_cast<std::uint8_t>(set ? 0x8D : 0xA5)});
  b.word(unit.offset);
  b.byte(set ? bit.mask : static_cast<std::uint8_t>(~bit.mask));
  ctx.restoreHeader();
}

// SET also clears the counter word, so counting starts again from 0.
void Counter(CodeContext& ctx, const BitOperand& bit, bool set) {
  Emitter& b = ctx.buffer();
  LocalBit(ctx, bit, set);
  if (!set) return;
  b.bytes({0xC7, 0x84});
  b.word(CounterWord(bit.number));
  b.word(0);
}

void Timer(CodeContext& ctx, const BitOperand& bit, bool set) {
  Emitter& b = ctx.buffer();
  ctx.usage().markBit(bit.offset, bit.mask);
  b.byte(0xB8);
  b.word(set ? bit.timerStart : kTimerReset);
  b.bytes({0x50, 0xB8});
  b.word(static_cast<std::uint16_t>(bit.number));
  b.byte(0x50);
  ctx.callEntry(kEntryTimer);
}

void Program(CodeContext& ctx, const BitOperand& bit, bool set) {
  Emitter& b = ctx.buffer();
  ctx.usage().markBit(bit.offset, bit.mask);
  b.bytes({0x8B, 0x84});
  b.word(bit.offset);
  // P goes with PS: SET P sets both bits and RESET P clears both; PS alone leaves P.
  if (set)
    b.bytes({0x0C, static_cast<std::uint8_t>(bit.program ? 0x03 : 0x01)});
  else
    b.bytes({0x24, static_cast<std::uint8_t>(bit.program ? 0xFC : 0xFE)});
  b.byte(0xBB);
  b.word(static_cast<std::uint16_t>(bit.number));
  b.bytes({0x53, 0x50, 0x26, 0xFF, 0x5D, kEntryProgramState, 0xC4, 0x7E, 0xFC, 0x58, 0x5B});
  // A program that resets itself stops running at once.
  if (!set && ctx.moduleKind == ModuleKind::Program && bit.number == ctx.moduleNumber)
    ctx.jumpToExit();
}

void ClearFaultWord(CodeContext& ctx, const BitOperand& bit) {
  ctx.usage().markWord(bit.offset);
  ctx.buffer().bytes({0x50, 0x31, 0xC0, 0x50});
  ctx.callEntry(kEntryReportFaultWord);
  ctx.buffer().byte(0x58);
}

}  // namespace

bool CanSet(const BitOperand& bit, bool set) {
  if (bit.kind == BitOperand::Kind::FaultInput) return false;
  if (bit.kind == BitOperand::Kind::FaultWord) return !set;
  return true;
}

void EmitSetReset(CodeContext& ctx, const BitOperand& bit, bool set) {
  switch (bit.kind) {
    case BitOperand::Kind::Local:
      return LocalBit(ctx, bit, set);
    case BitOperand::Kind::Fieldbus:
      return FieldbusBit(ctx, bit, set);
    case BitOperand::Kind::Counter:
      return Counter(ctx, bit, set);
    case BitOperand::Kind::Timer:
      return Timer(ctx, bit, set);
    case BitOperand::Kind::Program:
      return Program(ctx, bit, set);
    case BitOperand::Kind::FaultWord:
      if (!set) ClearFaultWord(ctx, bit);
      return;
    case BitOperand::Kind::FaultInput:
      return;
  }
}

}  // namespace zel::stl::code
