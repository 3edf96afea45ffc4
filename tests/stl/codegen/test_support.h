#pragma once
// Builds sentence trees and expected machine code for the translator tests.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "stl/codegen/translator.h"
#include "stl/codegen/tree.h"

namespace zel::stl::code::test {

using Bytes = std::vector<std::uint8_t>;

// Nodes of one tree.
class Tree {
 public:
  NodeId operand(std::string letters, int number = -1, int second = -1, int third = -1) {
    Node n;
    n.op = Op::Operand;
    n.line = m_line;
    n.operand = OperandText{std::move(letters), number, second, third};
    return m_tree.add(std::move(n));
  }
  NodeId constant(int value) { return leaf(Op::Constant, value); }
  NodeId time(int units) { return leaf(Op::TimeValue, units); }
  NodeId leaf(Op op, int value) { return node(op, {}, value); }
  NodeId node(Op op, std::initializer_list<NodeId> children, int value = 0) {
    return node(op, std::vector<NodeId>(children), value);
  }
  NodeId node(Op op, std::vector<NodeId> children, int value = 0) {
    Node n;
    n.op = op;
    n.line = m_line;
    n.value = value;
    n.children = std::move(children);
    return m_tree.add(std::move(n));
  }
  NodeId load(NodeId expression) { return node(Op::Load, {expression}); }
  NodeId to(NodeId value, NodeId target) { return node(Op::To, {value, target}); }
  NodeId sentence(NodeId condition, NodeId thenPart, NodeId otherPart) {
    return node(Op::Sentence, {condition, thenPart, otherPart});
  }
  void line(int line) { m_line = line; }
  const SentenceTree& tree() const { return m_tree; }

 private:
  SentenceTree m_tree;
  int m_line = 1;
};

// Expected code with the jumps to the module's exit left open until its end is known.
class Expect {
 public:
  Expect& b(std::initializer_list<std::uint8_t> bytes) {
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
  }
  Expect& w(int value) {
    m_bytes.push_back(static_cast<std::uint8_t>(value & 0xFF));
    m_bytes.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
    return *this;
  }
  Expect& add(const Expect& other) {
    for (std::size_t at : other.m_exits) m_exits.push_back(at + m_bytes.size());
    m_bytes.insert(m_bytes.end(), other.m_bytes.begin(), other.m_bytes.end());
    return *this;
  }
  Expect& exit() {
    m_bytes.push_back(0xE9);
    m_exits.push_back(m_bytes.size());
    return w(0);
  }
  std::size_t size() const { return m_bytes.size(); }
  // The bytes with every exit jump landing on `epilogue`.
  Bytes resolved(std::size_t epilogue) const {
    Bytes out = m_bytes;
    for (std::size_t at : m_exits) {
      const auto d = static_cast<std::uint16_t>(epilogue - (at + 2));
      out[at] = static_cast<std::uint8_t>(d & 0xFF);
      out[at + 1] = static_cast<std::uint8_t>(d >> 8);
    }
    return out;
  }

 private:
  Bytes m_bytes;
  std::vector<std::size_t> m_exits;
};

inline constexpr std::size_t kProgramPrologue = 32;
inline const Bytes kEpilogue = {0x89, 0xEC, 0x1F, 0x5F, 0x5E, 0x5D, 0xCA, 0x04, 0x00};

struct Item {
  const Tree* tree;
  NodeId root;
};

struct Outcome {
  Bytes body;  // between prologue and epilogue
  Bytes code;
  std::vector<CodeFault> faults;
  UsageRecords usage;
  std::optional<CodeStop> stop;
};

inline Outcome Translate(const std::vector<Item>& items, std::string module = "CZ0P05V1",
                         std::optional<std::string> fieldbus = std::nullopt) {
  TranslatorSetup setup;
  setup.module = module;
  setup.readFieldbusConfig = [fieldbus] { return fieldbus; };
  Translator translator(setup);
  Outcome run;
  try {
    translator.begin();
    for (const Item& item : items) translator.translate(item.tree->tree(), item.root);
    translator.finish();
  } catch (const CodeStop& stop) {
    run.stop = stop;
  }
  run.code = translator.code();
  run.faults = translator.faults();
  run.usage = translator.usage();
  const std::size_t prologue = module.size() > 3 && module[3] == 'F' ? 22 : kProgramPrologue;
  if (!run.stop && run.code.size() >= prologue + kEpilogue.size())
    run.body.assign(run.code.begin() + static_cast<std::ptrdiff_t>(prologue),
                    run.code.end() - static_cast<std::ptrdiff_t>(kEpilogue.size()));
  return run;
}

// One item of one tree.
inline Outcome TranslateOne(const Tree& tree, NodeId root, std::string module = "CZ0P05V1",
                            std::optional<std::string> fieldbus = std::nullopt) {
  return Translate({Item{&tree, root}}, std::move(module), std::move(fieldbus));
}

// A fieldbus configuration with the given type bytes per station.
inline std::string FieldbusBytes(std::initializer_list<std::pair<int, std::uint8_t>> types) {
  std::string bytes(700, '\0');
  for (const auto& [station, type] : types) {
    bytes[static_cast<std::size_t>(station) * 7] = static_cast<char>(type);
    bytes[static_cast<std::size_t>(station) * 7 + 3] = 16;
    bytes[static_cast<std::size_t>(station) * 7 + 6] = 16;
  }
  return bytes;
}

}  // namespace zel::stl::code::test
