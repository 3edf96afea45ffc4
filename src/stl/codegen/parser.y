/* The grammar of the intermediate text. Expressions run strictly left to right as the
   controller's accumulator computes them; a comparison splits its bracket level into two
   word expressions. Semantic values are node indexes into the sentence's tree, or the
   line of a keyword. */

%define api.pure full
%define api.prefix {zelcode_}
%parse-param {zel::stl::code::ParserState& state}
%lex-param {zel::stl::code::ParserState& state}

%code requires {
#include "stl/codegen/parser_state.h"
}

%code {
#include "stl/codegen/messages.h"
#include "stl/codegen/translator.h"

namespace {

using zel::stl::code::NodeId;
using zel::stl::code::Op;
using zel::stl::code::ParserState;

int zelcode_lex(ZELCODE_STYPE* value, ParserState& state);
void zelcode_error(ParserState& state, const char* text);

}  // namespace

// Whether the parser holds a lookahead token, and its value, for releasing a finished item.
#define LOOKAHEAD (yychar != ZELCODE_EMPTY), yylval

#define YYMAXDEPTH zel::stl::code::kParserStackLimit
#define YYINITDEPTH zel::stl::code::kParserStackLimit
}

%define api.value.type {int}

%token BIT WORD CONSTANT TIME NUMBER STEP UNARY COMPARE

%left 'q' 'v'
%nonassoc COMPARE
%left 'u' 'o' 'x' '+' '-' '*' '/' UNARY

/* The statements after THEN or OTHRW belong to that part rather than starting a single
   executive part: the parser shifts them. */
%expect 8

%%

program
  : %empty
  | program item
  ;

item
  : STEP                                  { state.item($1, LOOKAHEAD); }
  | 'w' condition then otherwise          { state.item(state.sentence($1, $2, $3, $4), LOOKAHEAD); }
  | 'w' 'a' then otherwise                { state.item(state.sentence($1, -1, $3, $4), LOOKAHEAD); }
  | then                                  { state.item(state.sentence(state.lineOf($1), -1, $1, -1), LOOKAHEAD); }
  | statement                             { state.item($1, LOOKAHEAD); }
  | error                                 { if (!state.recovered(LOOKAHEAD)) YYABORT; }
  ;

condition
  : bits
  | 'l' bits                              { $$ = $2; }
  ;

then
  : 'd' actions                           { $$ = $2; }
  ;

otherwise
  : %empty                                { $$ = -1; }
  | 'f' actions                           { $$ = $2; }
  ;

actions
  : 'a'                                   { $$ = state.actions($1); }
  | statements
  ;

statements
  : statement                             { $$ = state.actions(state.lineOf($1)); state.append($$, $1); }
  | statements statement                  { state.append($1, $2); $$ = $1; }
  ;

statement
  : 's' BIT                               { $$ = state.statement(Op::Set, $1, $2); }
  | 's' WORD                              { $$ = state.statement(Op::Set, $1, $2); }
  | 's' BIT 'm' value                     { $$ = state.statement(Op::Set, $1, $2, $4); }
  | 'r' BIT                               { $$ = state.statement(Op::Reset, $1, $2); }
  | 'r' WORD                              { $$ = state.statement(Op::Reset, $1, $2); }
  | 'l' bits                              { $$ = state.statement(Op::Load, $1, $2); }
  | 'l' words                             { $$ = state.statement(Op::Load, $1, $2); }
  | 'i' counted                           { $$ = state.statement(Op::Inc, $1, $2); }
  | 'j' counted                           { $$ = state.statement(Op::Dec, $1, $2); }
  | 'b' NUMBER                            { $$ = state.numbered(Op::Jump, $1, $2); }
  | 'c' NUMBER parameters                 { $$ = state.call(Op::CallCmp, $1, $2, $3); }
  | 'g' NUMBER parameters                 { $$ = state.call(Op::CallCfm, $1, $2, $3); }
  ;

value
  : TIME
  | NUMBER                                { $$ = state.seconds($1); }
  | WORD
  | CONSTANT
  ;

counted
  : BIT
  | WORD
  | CONSTANT
  ;

parameters
  : %empty                                { $$ = state.actions(0); }
  | parameters 'm' WORD                   { state.append($1, $3); $$ = $1; }
  | parameters 'm' CONSTANT               { state.append($1, $3); $$ = $1; }
  ;

bits
  : bit
  | comparison
  | bits 'u' bit                          { $$ = state.node(Op::BitAnd, $1, $3); }
  | bits 'o' bit                          { $$ = state.node(Op::BitOr, $1, $3); }
  | bits 'x' bit                          { $$ = state.node(Op::BitExor, $1, $3); }
  | bits 'q' BIT                          { $$ = state.node(Op::To, $1, $3); }
  | bits 'v' BIT                          { $$ = state.node(Op::Shift, $1, $3); }
  ;

bit
  : BIT
  | 'n' BIT                               { $$ = state.node(Op::BitNot, $2); }
  | '(' bits ')'                          { $$ = $2; }
  | 'n' '(' bits ')'                      { $$ = state.node(Op::BitNot, $3); }
  ;

comparison
  : words COMPARE words                   { $$ = state.compare($2, $1, $3); }
  ;

words
  : word
  | words '+' word                        { $$ = state.node(Op::Add, $1, $3); }
  | words '-' word                        { $$ = state.node(Op::Subtract, $1, $3); }
  | words '*' word                        { $$ = state.node(Op::Multiply, $1, $3); }
  | words '/' word                        { $$ = state.node(Op::Divide, $1, $3); }
  | words 'u' word                        { $$ = state.node(Op::WordAnd, $1, $3); }
  | words 'o' word                        { $$ = state.node(Op::WordOr, $1, $3); }
  | words 'x' word                        { $$ = state.node(Op::WordExor, $1, $3); }
  | words UNARY                           { $$ = state.unary($2, $1); }
  | words 'q' WORD                        { $$ = state.node(Op::To, $1, $3); }
  ;

word
  : WORD
  | CONSTANT
  | '(' words ')'                         { $$ = $2; }
  ;

%%

namespace {

int zelcode_lex(ZELCODE_STYPE* value, ParserState& state) {
  return state.lex(*value);
}

void zelcode_error(ParserState& state, const char* text) {
  state.error(text);
}

}  // namespace

namespace zel::stl::code {

bool ParserState::run() {
  return zelcode_parse(*this) == 0 && !m_gaveUp;
}

int ParserState::tokenCode(TokenKind kind) {
  switch (kind) {
    case TokenKind::BitOperand: return BIT;
    case TokenKind::WordOperand: return WORD;
    case TokenKind::Constant: return CONSTANT;
    case TokenKind::TimeValue: return TIME;
    case TokenKind::Number: return NUMBER;
    case TokenKind::Step: return STEP;
    case TokenKind::Unary: return UNARY;
    case TokenKind::Compare: return COMPARE;
    default: return 0;
  }
}

}  // namespace zel::stl::code
