#pragma once
// The tree of one sentence of an intermediate (".INT") text, as the code generator's
// parser builds it and the translator consumes it. Nodes live in one arena per sentence
// and refer to each other by index, so a sentence is released by clearing the arena.

#include <cstdint>
#include <string>
#include <vector>

namespace zel::stl::code {

using NodeId = std::int32_t;
inline constexpr NodeId kNoNode = -1;

enum class Op : std::uint8_t {
  // Leaves.
  Operand,    // an operand in stored letters with up to three numbers
  Constant,   // value: the 16-bit constant (negative and hex already applied)
  TimeValue,  // value: units of 10 ms
  // One-bit expressions.
  BitAnd,
  BitOr,
  BitExor,
  BitNot,  // children: the negated expression (an operand or a bracket)
  // Comparisons of two word expressions; the result is one bit.
  Less,
  LessEqual,
  Equal,
  GreaterEqual,
  Greater,
  NotEqual,
  // Word expressions.
  Add,
  Subtract,
  Multiply,
  Divide,
  WordAnd,
  WordOr,
  WordExor,
  Swap,
  Shl,
  Shr,
  Rol,
  Ror,
  Inv,
  Cpl,
  Bid,
  Deb,
  // Stores inside an expression: children = value, target operand. The value goes on.
  To,
  Shift,
  // Statements.
  Load,     // children: the expression with its stores
  Set,      // children: target, optional WITH value
  Reset,    // children: target
  Inc,      // children: operand
  Dec,      // children: operand
  Jump,     // value: step number
  CallCmp,  // value: module number; children: WITH parameters in order
  CallCfm,
  Nop,
  // Program level.
  Actions,   // children: statements of a THEN or OTHRW part, or a single executive part
  Sentence,  // children: condition (kNoNode without), THEN actions, OTHRW actions (or kNoNode)
  Step,      // value: step number
};

// An operand as the intermediate text writes it: stored letters, then the number groups
// (-1 when absent). A fieldbus input `E`1.2.3 has number 1 (station), second 2, third 3.
struct OperandText {
  std::string letters;
  std::int32_t number = -1;
  std::int32_t second = -1;
  std::int32_t third = -1;
};

struct Node {
  Op op = Op::Nop;
  int line = 0;  // the intermediate line the node starts on, for messages
  std::int32_t value = 0;
  OperandText operand;
  std::vector<NodeId> children;
};

// The nodes of one sentence; the root is the last node added by the parser.
class SentenceTree {
 public:
  NodeId add(Node node) {
    m_nodes.push_back(std::move(node));
    return static_cast<NodeId>(m_nodes.size() - 1);
  }
  const Node& at(NodeId id) const { return m_nodes.at(static_cast<std::size_t>(id)); }
  Node& at(NodeId id) { return m_nodes.at(static_cast<std::size_t>(id)); }
  bool valid(NodeId id) const { return id >= 0 && static_cast<std::size_t>(id) < m_nodes.size(); }
  void clear() { m_nodes.clear(); }

 private:
  std::vector<Node> m_nodes;
};

}  // namespace zel::stl::code
