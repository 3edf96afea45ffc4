#pragma once
// What the grammar's actions work on: the scanner, the tree of the sentence being parsed
// and the sink that receives each completed item.

#include <string_view>

#include "stl/codegen/intermediate_scanner.h"
#include "stl/codegen/parser.h"
#include "stl/codegen/tree.h"

namespace zel::stl::code {

class ParserState {
 public:
  ParserState(std::string_view text, ParseSink& sink) : m_scanner(text), m_sink(sink) {}

  bool run();

  // The scanner's side: a token code, with a node index or a line as its value.
  int lex(int& value);
  void error(const char* text);

  // Hands a finished item to the sink and releases its tree. A lookahead token that the
  // parser already read keeps its leaf, under a new index.
  void item(NodeId root, bool lookaheadPending, int& lookaheadValue);
  // After a syntax error; false when the last recovery attempt is used up.
  bool recovered(bool lookaheadPending, int& lookaheadValue);

  NodeId node(Op op, NodeId left, NodeId right = kNoNode);
  NodeId statement(Op op, int line, NodeId first, NodeId second = kNoNode);
  NodeId compare(int op, NodeId left, NodeId right);
  NodeId unary(int op, NodeId operand);
  NodeId numbered(Op op, int line, NodeId number);
  NodeId call(Op op, int line, NodeId number, NodeId parameters);
  NodeId seconds(NodeId number);
  NodeId sentence(int line, NodeId condition, NodeId then, NodeId otherwise);
  NodeId actions(int line);
  void append(NodeId list, NodeId child);
  int lineOf(NodeId id) const;

 private:
  static int tokenCode(TokenKind kind);
  NodeId add(Op op, int line, std::initializer_list<NodeId> children);
  void release(bool lookaheadPending, int& lookaheadValue);

  IntermediateScanner m_scanner;
  ParseSink& m_sink;
  SentenceTree m_tree;
  NodeId m_lastLeaf = kNoNode;
  int m_line = 1;
  int m_syntaxErrors = 0;
  bool m_gaveUp = false;
};

}  // namespace zel::stl::code
