#include "stl/codegen/translator.h"

#include "stl/codegen/context.h"
#include "stl/codegen/parts.h"

namespace zel::stl::code {

struct Translator::Impl {
  explicit Impl(TranslatorSetup setup) : context(std::move(setup)) {}
  CodeContext context;
};

Translator::Translator(TranslatorSetup setup) : m_impl(std::make_unique<Impl>(std::move(setup))) {}

Translator::~Translator() = default;

void Translator::begin() {
  EmitPrologue(m_impl->context);
}

void Translator::translate(const SentenceTree& tree, NodeId root) {
  CodeContext& ctx = m_impl->context;
  ctx.useTree(&tree);
  try {
    TranslateItem(ctx, root);
  } catch (...) {
    ctx.useTree(nullptr);
    throw;
  }
  ctx.useTree(nullptr);
}

void Translator::finish() {
  FinishModule(m_impl->context);
}

const std::vector<std::uint8_t>& Translator::code() const {
  return m_impl->context.buffer().code();
}

const UsageRecords& Translator::usage() const {
  return m_impl->context.usage().records();
}

const std::vector<CodeFault>& Translator::faults() const {
  return m_impl->context.faults();
}

}  // namespace zel::stl::code
