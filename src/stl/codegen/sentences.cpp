// The program level: prologue and epilogue, IF/THEN/OTHRW sentences, steps and the
// patching of the jumps between them.

#include "stl/codegen/fail.h"
#include "stl/codegen/messages.h"
#include "stl/codegen/parts.h"

namespace zel::stl::code {
namespace {

constexpr int kFirstStep = 1;
constexpr int kLastStep = 255;
constexpr std::uint8_t kSahf = 0x9E;

// Stores AX, with the condition image in AH, for the step transition.
void StoreCondition(CodeContext& ctx) {
  ctx.buffer().bytes({0x26, 0x89, 0x45, kConditionField});
}

// The image of the value 0 (or 1) without a condition having run.
void StoreConditionImage(CodeContext& ctx, std::uint8_t high) {
  ctx.buffer().bytes({0x26, 0xC7, 0x45, kConditionField, 0x00, high});
}

// The call pushes the offset of the `58`; the resume point lies `distance` bytes on.
std::size_t ResumePointStart(CodeContext& ctx) {
  Emitter& b = ctx.buffer();
  b.bytes({0xE8, 0x00, 0x00});
  const std::size_t from = b.size();
  b.bytes({0x58, 0x05});
  return from;
}

void EndOfStep(CodeContext& ctx) {
  Emitter& b = ctx.buffer();
  // The step advances when its last stored condition is 1; else it runs again next time.
  b.bytes({0x26, 0x8B, 0x45, kConditionField, kSahf, 0x75, 0x03});
  if (ctx.firstStepOpen)
    b.jumpTo(*ctx.stepOpen);
  else
    ctx.jumpToExit();
  ctx.stepOpen.reset();
  ctx.firstStepOpen = false;
}

void TranslateStep(CodeContext& ctx, NodeId id) {
  const Node& n = ctx.node(id);
  if (n.value < kFirstStep || n.value > kLastStep) Fail(n.line, InternalError::StepNumberRange);
  Emitter& b = ctx.buffer();
  const bool first = ctx.steps.empty() && !ctx.stepOpen;
  if (ctx.stepOpen) EndOfStep(ctx);
  if (first) b.bytes({0x26, 0xC7, 0x45, kActiveStepField, 0x01, 0x00});
  const std::size_t entry = b.size();
  if (!ctx.steps.emplace(n.value, entry).second) ctx.fault(n.line, msg::kStepDefinedTwice);
  b.byte(0xB8);
  b.word(static_cast<std::uint16_t>(n.value));
  b.bytes({0x26, 0x89, 0x45, kActiveStepField});
  const std::size_t from = ResumePointStart(ctx);
  const std::size_t distance = b.size();
  b.word(0);
  b.bytes({0x26, 0x89, 0x45, kResumeField});
  ctx.jumpToExit();
  b.patchWord(distance, static_cast<std::uint16_t>(b.size() - from));
  StoreConditionImage(ctx, 0x00);
  ctx.stepOpen = entry;
  ctx.firstStepOpen = first;
}

bool HasActions(CodeContext& ctx, NodeId part) {
  if (part == kNoNode) return false;
  const Node& n = ctx.node(part);
  if (n.op != Op::Actions) Fail(n.line, InternalError::UnexpectedItem);
  return !n.children.empty();
}

void TranslateActions(CodeContext& ctx, NodeId part) {
  const std::size_t count = ctx.node(part).children.size();
  for (std::size_t i = 0; i < count; ++i) TranslateStatement(ctx, ctx.child(part, i));
}

BitState Condition(CodeContext& ctx, NodeId condition) {
  if (condition == kNoNode) {
    // The value 1, stored and loaded into the flags.
    ctx.buffer().bytes({0x30, 0xE4, 0x26, 0x89, 0x45, kConditionField, kSahf});
    return BitState::Both;
  }
  const BitState state = IntoHigh(ctx, TranslateBit(ctx, condition));
  if (ctx.stepProgram) StoreCondition(ctx);
  return state;
}

void TranslateSentence(CodeContext& ctx, NodeId id) {
  const Node& n = ctx.node(id);
  if (n.children.size() != 3) Fail(n.line, InternalError::UnexpectedItem);
  const NodeId thenPart = n.children[1];
  const NodeId otherPart = n.children[2];
  const BitState state = Condition(ctx, n.children[0]);
  const bool hasThen = HasActions(ctx, thenPart);
  const bool hasOther = HasActions(ctx, otherPart);
  Emitter& b = ctx.buffer();
  std::size_t skip = 0;
  if (hasThen) {
    if (state == BitState::High) b.byte(kSahf);
    b.bytes({0x75, 0x03});
    skip = b.openJump();
    TranslateActions(ctx, thenPart);
  }
  if (!hasOther) {
    if (hasThen) b.patchJump(skip, b.size());
    return;
  }
  std::size_t over = 0;
  if (hasThen) {
    over = b.openJump();
    b.patchJump(skip, b.size());
  } else {
    if (state == BitState::High) b.byte(kSahf);
    b.bytes({0x74, 0x03});
    over = b.openJump();
  }
  TranslateActions(ctx, otherPart);
  // The step does not advance when its OTHRW part ran.
  if (ctx.stepProgram) StoreConditionImage(ctx, 0x40);
  b.patchJump(over, b.size());
}

}  // namespace

void EmitPrologue(CodeContext& ctx) {
  Emitter& b = ctx.buffer();
  b.bytes({0x55, 0x56, 0x57, 0x1E, 0x89, 0xE5, 0x0E, 0xE8, 0x00, 0x00});
  // The call pushed the offset of the code after it; back from there to the header.
  const std::size_t pushed = kHeaderSize + b.size();
  b.bytes({0x81, 0x6E, 0xFC});
  b.word(static_cast<std::uint16_t>(pushed));
  b.bytes({0xC4, 0x7E, 0xFC, 0x26, 0xC5, 0x75, 0x08});
  // A CFM always runs from its start; every other module may resume where it stopped.
  if (ctx.moduleKind != ModuleKind::Cfm)
    b.bytes({0x26, 0x8B, 0x45, kResumeField, 0x09, 0xC0, 0x74, 0x02, 0xFF, 0xE0});
}

void TranslateItem(CodeContext& ctx, NodeId root) {
  ctx.at(root);
  const Node& n = ctx.node(root);
  if (!ctx.itemsSeen) ctx.stepProgram = n.op == Op::Step;
  ctx.itemsSeen = true;
  switch (n.op) {
    case Op::Step:
      return TranslateStep(ctx, root);
    case Op::Sentence:
      return TranslateSentence(ctx, root);
    case Op::Actions:
      return TranslateActions(ctx, root);
    default:
      return TranslateStatement(ctx, root);
  }
}

void FinishModule(CodeContext& ctx) {
  Emitter& b = ctx.buffer();
  if (ctx.stepOpen) EndOfStep(ctx);
  for (const StepJump& jump : ctx.stepJumps) {
    const auto step = ctx.steps.find(jump.step);
    if (step == ctx.steps.end())
      ctx.fault(jump.line, msg::kStepMissing);
    else
      b.patchJump(jump.at, step->second);
  }
  const std::size_t epilogue = b.size();
  b.bytes({0x89, 0xEC, 0x1F, 0x5F, 0x5E, 0x5D, 0xCA, 0x04, 0x00});
  ctx.patchExits(epilogue);
}

}  // namespace zel::stl::code
