// Word expressions computed in AX: operand reads and writes, arithmetic and the unary
// operations.

#include "stl/codegen/fail.h"
#include "stl/codegen/messages.h"
#include "stl/codegen/parts.h"

namespace zel::stl::code {
namespace {

constexpr std::uint8_t kPushAx = 0x50;
constexpr std::uint8_t kPopAx = 0x58;
// What a division by 0 reports in the fault word before the module is left.
constexpr std::uint16_t kDivideByZeroReport = 34;

struct BinaryCodes {
  Op op;
  std::uint8_t plain;     // op ax,[si+off16]
  std::uint8_t constant;  // op ax,k16
  std::uint8_t computed;  // op ax,bx
};

constexpr BinaryCodes kBinary[] = {
    {Op::Add, 0x03, 0x05, 0x01},      {Op::Subtract, 0x2B, 0x2D, 0x29},
    {Op::WordOr, 0x0B, 0x0D, 0x09},   {Op::WordAnd, 0x23, 0x25, 0x21},
    {Op::WordExor, 0x33, 0x35, 0x31},
};

// Binary to four packed BCD digits: thousands and hundreds into AH, tens and units into AL.
constexpr std::uint8_t kBid[] = {0x31, 0xD2, 0xB9, 0xE8, 0x03, 0xF7, 0xF1, 0xB1, 0x04, 0xD3,
                                 0xE0, 0x89, 0xC3, 0x89, 0xD0, 0x31, 0xD2, 0xB9, 0x64, 0x00,
                                 0xF7, 0xF1, 0x09, 0xC3, 0x89, 0xD0, 0xB1, 0x0A, 0xF6, 0xF1,
                                 0xB1, 0x04, 0xD2, 0xE0, 0x08, 0xE0, 0x88, 0xDC};

// Four packed BCD digits to binary, digit by digit times ten.
constexpr std::uint8_t kDeb[] = {
    0x89, 0xC3, 0x31, 0xC0, 0x88, 0xF8, 0xB1, 0x04, 0xD2, 0xE8, 0xB9, 0x0A, 0x00, 0xF7, 0xE1, 0x80,
    0xE7, 0x0F, 0x00, 0xF8, 0xF7, 0xE1, 0x88, 0xDF, 0xB1, 0x04, 0xD2, 0xEF, 0x00, 0xF8, 0x80, 0xD4,
    0x00, 0xB9, 0x0A, 0x00, 0xF7, 0xE1, 0x80, 0xE3, 0x0F, 0x00, 0xD8, 0x80, 0xD4, 0x00};

const BinaryCodes* FindBinary(Op op) {
  for (const BinaryCodes& c : kBinary)
    if (c.op == op) return &c;
  return nullptr;
}

// A right operand taken straight from the operand area.
std::optional<WordOperand> PlainRight(const Node& n) {
  if (n.op != Op::Operand) return std::nullopt;
  std::optional<WordOperand> word = ToWordOperand(n.operand);
  if (word &&
      (word->kind == WordOperand::Kind::Local || word->kind == WordOperand::Kind::FaultWord))
    return word;
  return std::nullopt;
}

// Dividend in AX, divisor in BX.
void DivideChecked(CodeContext& ctx) {
  Emitter& b = ctx.buffer();
  b.bytes({0x83, 0xFB, 0x00, 0x75});
  const std::size_t overZero = b.size();
  b.byte(0);
  b.byte(0xB8);
  b.word(kDivideByZeroReport);
  b.byte(kPushAx);
  ctx.callEntry(kEntryReportFaultWord);
  ctx.jumpToExit();
  b.patchShort(overZero, b.size());
  // -32768 / -1 would raise the divide fault; the negation gives the wrapped quotient.
  b.bytes({0x83, 0xFB, 0xFF, 0x75, 0x04, 0xF7, 0xD8, 0xEB, 0x03, 0x99, 0xF7, 0xFB});
}

void ConstantRight(CodeContext& ctx, Op op, std::uint16_t k) {
  Emitter& b = ctx.buffer();
  if (const BinaryCodes* c = FindBinary(op)) {
    b.byte(c->constant);
    b.word(k);
  } else if (op == Op::Multiply) {
    b.byte(0xBB);
    b.word(k);
    b.bytes({0xF7, 0xEB});
  } else {
    b.byte(0xBB);
    b.word(k);
    DivideChecked(ctx);
  }
}

void PlainOperandRight(CodeContext& ctx, Op op, const WordOperand& word) {
  Emitter& b = ctx.buffer();
  ctx.usage().markWord(word.offset);
  if (const BinaryCodes* c = FindBinary(op))
    b.bytes({c->plain, 0x84});
  else if (op == Op::Multiply)
    b.bytes({0xF7, 0xAC});
  else
    b.bytes({0x8B, 0x9C});
  b.word(word.offset);
  if (op == Op::Divide) DivideChecked(ctx);
}

void ComputedRight(CodeContext& ctx, Op op, NodeId right) {
  Emitter& b = ctx.buffer();
  b.byte(kPushAx);
  TranslateWord(ctx, right);
  if (op == Op::Multiply) {
    b.bytes({0x5A, 0xF7, 0xEA});
    return;
  }
  b.byte(0x5B);
  if (op == Op::Divide) {
    b.byte(0x93);
    DivideChecked(ctx);
    return;
  }
  const BinaryCodes* c = FindBinary(op);
  b.bytes({c->computed, 0xD8});
  if (op == Op::Subtract) b.bytes({0xF7, 0xD8});
}

// Constants and time values arrive checked; one that does not fit a word came from a
// damaged intermediate text and must not be cut into another value.
std::uint16_t ValueWord(const Node& n) {
  constexpr std::int32_t kLowest = -32768;
  constexpr std::int32_t kHighest = 65535;
  if (n.value < kLowest || n.value > kHighest) Fail(n.line, InternalError::ValueRange);
  return static_cast<std::uint16_t>(n.value);
}

void Binary(CodeContext& ctx, NodeId id) {
  const Op op = ctx.node(id).op;
  TranslateWord(ctx, ctx.child(id, 0));
  const NodeId right = ctx.child(id, 1);
  const Node& r = ctx.node(right);
  ctx.at(right);
  if (r.op == Op::Constant || r.op == Op::TimeValue) {
    ConstantRight(ctx, op, ValueWord(r));
  } else if (const std::optional<WordOperand> word = PlainRight(r)) {
    PlainOperandRight(ctx, op, *word);
  } else {
    ComputedRight(ctx, op, right);
  }
}

void Unary(CodeContext& ctx, NodeId id) {
  const Op op = ctx.node(id).op;
  TranslateWord(ctx, ctx.child(id, 0));
  ctx.at(id);
  Emitter& b = ctx.buffer();
  switch (op) {
    case Op::Swap:
      b.bytes({0x86, 0xC4});
      break;
    case Op::Shl:
      b.bytes({0xD1, 0xE0});
      break;
    case Op::Shr:
      b.bytes({0xD1, 0xE8});
      break;
    case Op::Rol:
      b.bytes({0xD1, 0xC0});
      break;
    case Op::Ror:
      b.bytes({0xD1, 0xC8});
      break;
    case Op::Inv:
      b.bytes({0xF7, 0xD0});
      break;
    case Op::Cpl:
      b.bytes({0xF7, 0xD8});
      break;
    case Op::Bid:
      for (std::uint8_t v : kBid) b.byte(v);
      break;
    default:
      for (std::uint8_t v : kDeb) b.byte(v);
  }
}

}  // namespace

// BX, CX and DX go round the read although no value is pending in them here: the entry
// may use them, and the controller's services were always called with them kept.
void ReadFunctionWord(CodeContext& ctx, int number) {
  Emitter& b = ctx.buffer();
  b.bytes({0x53, 0x51, 0x52, 0xB8});
  b.word(static_cast<std::uint16_t>(number));
  b.byte(kPushAx);
  ctx.callEntry(kEntryReadFunction);
  b.bytes({0x5A, 0x59, 0x5B});
}

void WriteFunctionWord(CodeContext& ctx, int number) {
  Emitter& b = ctx.buffer();
  b.bytes({kPushAx, 0xBB});
  b.word(static_cast<std::uint16_t>(number));
  b.bytes({0x53, kPushAx, 0x26, 0xFF, 0x5D, kEntryWriteFunction, kPopAx});
  ctx.restoreHeader();
}

void ReadWord(CodeContext& ctx, const WordOperand& word) {
  Emitter& b = ctx.buffer();
  switch (word.kind) {
    case WordOperand::Kind::Entry:
      ctx.usage().markWord(word.offset);
      ReadFunctionWord(ctx, word.number);
      return;
    case WordOperand::Kind::Fieldbus: {
      const StationUnit unit = ctx.loadStation(word.fieldbus);
      b.bytes({0x26, static_cast<std::uint8_t>(unit.wordStation ? 0x8B : 0x8A), 0x85});
      b.word(unit.offset);
      ctx.restoreHeader();
      // A byte station delivers AL only; the word value needs AH cleared.
      if (!unit.wordStation) b.bytes({0x30, 0xE4});
      return;
    }
    default:
      ctx.usage().markWord(word.offset);
      b.bytes({0x8B, 0x84});
      b.word(word.offset);
  }
}

void WriteWord(CodeContext& ctx, const WordOperand& word, bool used) {
  Emitter& b = ctx.buffer();
  switch (word.kind) {
    case WordOperand::Kind::Entry:
      ctx.usage().markWord(word.offset);
      WriteFunctionWord(ctx, word.number);
      return;
    case WordOperand::Kind::Fieldbus: {
      const StationUnit unit = ctx.loadStation(word.fieldbus);
      b.bytes({0x26, static_cast<std::uint8_t>(unit.wordStation ? 0x89 : 0x88), 0x85});
      b.word(unit.offset);
      ctx.restoreHeader();
      return;
    }
    case WordOperand::Kind::FaultWord:
      // The controller keeps the reported value; a non-zero one ends the run.
      ctx.usage().markWord(word.offset);
      b.byte(kPushAx);
      ctx.callEntry(kEntryReportFaultWord);
      b.bytes({0x83, 0xBC});
      b.word(word.offset);
      b.bytes({0x00, 0x74, 0x03});
      ctx.jumpToExit();
      if (used) {
        b.bytes({0x8B, 0x84});
        b.word(word.offset);
      }
      return;
    case WordOperand::Kind::Local:
      ctx.usage().markWord(word.offset);
      b.bytes({0x89, 0x84});
      b.word(word.offset);
      if (word.counterWord) {
        b.bytes({0x80, 0x8C});
        b.word(CounterStatus(word.number));
        b.byte(0x01);
      }
  }
}

void TranslateWord(CodeContext& ctx, NodeId id, bool used) {
  ctx.at(id);
  const Node& n = ctx.node(id);
  switch (n.op) {
    case Op::Constant:
    case Op::TimeValue:
      ctx.buffer().byte(0xB8);
      ctx.buffer().word(ValueWord(n));
      return;
    case Op::Operand: {
      const std::optional<WordOperand> word = ToWordOperand(n.operand);
      if (!word) return ctx.fault(n.line, msg::kUnknownWordOperand);
      return ReadWord(ctx, *word);
    }
    case Op::Add:
    case Op::Subtract:
    case Op::Multiply:
    case Op::Divide:
    case Op::WordAnd:
    case Op::WordOr:
    case Op::WordExor:
      return Binary(ctx, id);
    case Op::Swap:
    case Op::Shl:
    case Op::Shr:
    case Op::Rol:
    case Op::Ror:
    case Op::Inv:
    case Op::Cpl:
    case Op::Bid:
    case Op::Deb:
      return Unary(ctx, id);
    case Op::To:
      return TranslateWordStore(ctx, id, used);
    default:
      Fail(n.line, InternalError::UnexpectedWordNode);
  }
}

}  // namespace zel::stl::code
