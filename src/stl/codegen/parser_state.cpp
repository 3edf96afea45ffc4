#include "stl/codegen/parser_state.h"

#include <cstring>
#include <limits>

#include "stl/codegen/messages.h"
#include "stl/codegen/translator.h"

namespace zel::stl::code {

bool ParseIntermediate(std::string_view text, ParseSink& sink) {
  ParserState state(text, sink);
  return state.run();
}

int ParserState::lex(int& value) {
  const Token token = m_scanner.next();
  m_line = token.line;
  m_lastLeaf = kNoNode;
  switch (token.kind) {
    case TokenKind::End:
      return 0;
    case TokenKind::Unknown:
      throw CodeStop{token.line, msg::kUnknownOperation};
    case TokenKind::Character:
      value = token.line;
      return static_cast<unsigned char>(token.character);
    case TokenKind::Unary:
    case TokenKind::Compare:
      value = static_cast<int>(token.op);
      return tokenCode(token.kind);
    default:
      break;
  }
  Node leaf;
  leaf.line = token.line;
  leaf.value = token.value;
  leaf.operand = token.operand;
  switch (token.kind) {
    case TokenKind::BitOperand:
    case TokenKind::WordOperand:
      leaf.op = Op::Operand;
      break;
    case TokenKind::TimeValue:
      leaf.op = Op::TimeValue;
      break;
    case TokenKind::Step:
      leaf.op = Op::Step;
      break;
    default:  // constants, and plain numbers until a rule says what they count
      leaf.op = Op::Constant;
      break;
  }
  value = m_lastLeaf = m_tree.add(std::move(leaf));
  return tokenCode(token.kind);
}

void ParserState::error(const char* text) {
  // The parser's own text for a full stack; every other complaint is a syntax error.
  if (std::strcmp(text, "memory exhausted") == 0) {
    m_sink.parseError(m_line, msg::kParserStackOverflow);
    m_gaveUp = true;
    return;
  }
  m_sink.parseError(m_line, msg::kSyntaxError);
  ++m_syntaxErrors;
}

void ParserState::item(NodeId root, bool lookaheadPending, int& lookaheadValue) {
  m_sink.item(m_tree, root);
  release(lookaheadPending, lookaheadValue);
}

bool ParserState::recovered(bool lookaheadPending, int& lookaheadValue) {
  release(lookaheadPending, lookaheadValue);
  // The parser may pass its error rule more than once while it discards tokens; what
  // counts is how many faults it reported.
  if (m_syntaxErrors <= kSyntaxErrorAttempts) return true;
  m_gaveUp = true;
  return false;
}

void ParserState::release(bool lookaheadPending, int& lookaheadValue) {
  if (lookaheadPending && m_lastLeaf != kNoNode && lookaheadValue == m_lastLeaf) {
    Node kept = m_tree.at(m_lastLeaf);
    m_tree.clear();
    lookaheadValue = m_lastLeaf = m_tree.add(std::move(kept));
    return;
  }
  m_tree.clear();
  m_lastLeaf = kNoNode;
}

NodeId ParserState::add(Op op, int line, std::initializer_list<NodeId> children) {
  Node node;
  node.op = op;
  node.line = line;
  for (NodeId child : children)
    if (child != kNoNode) node.children.push_back(child);
  return m_tree.add(std::move(node));
}

int ParserState::lineOf(NodeId id) const {
  return m_tree.valid(id) ? m_tree.at(id).line : m_line;
}

NodeId ParserState::node(Op op, NodeId left, NodeId right) {
  return add(op, lineOf(left), {left, right});
}

NodeId ParserState::statement(Op op, int line, NodeId first, NodeId second) {
  return add(op, line, {first, second});
}

NodeId ParserState::compare(int op, NodeId left, NodeId right) {
  return node(static_cast<Op>(op), left, right);
}

NodeId ParserState::unary(int op, NodeId operand) {
  return node(static_cast<Op>(op), operand);
}

NodeId ParserState::numbered(Op op, int line, NodeId number) {
  const NodeId id = add(op, line, {});
  m_tree.at(id).value = m_tree.at(number).value;
  return id;
}

NodeId ParserState::call(Op op, int line, NodeId number, NodeId parameters) {
  const NodeId id = numbered(op, line, number);
  m_tree.at(id).children = m_tree.at(parameters).children;
  return id;
}

// A whole number after WITH of a timer counts seconds, like a time value without decimals.
NodeId ParserState::seconds(NodeId number) {
  Node& node = m_tree.at(number);
  constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
  node.op = Op::TimeValue;
  node.value = static_cast<std::int32_t>(std::min<std::int64_t>(node.value * 100LL, kLimit));
  return number;
}

NodeId ParserState::sentence(int line, NodeId condition, NodeId then, NodeId otherwise) {
  const NodeId id = add(Op::Sentence, line, {});
  m_tree.at(id).children = {condition, then, otherwise};
  return id;
}

NodeId ParserState::actions(int line) {
  return add(Op::Actions, line, {});
}

void ParserState::append(NodeId list, NodeId child) {
  m_tree.at(list).children.push_back(child);
}

}  // namespace zel::stl::code
