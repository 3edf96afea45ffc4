#include "stl/editor/insert.h"

#include "app/text/text_format.h"
#include "stl/lang/text_lines.h"

namespace zel::stl {
namespace {

constexpr std::string_view kOtherwiseWord = "OTHRW";
constexpr std::string_view kElseWord = "ELSE";

// Label and text of every command; the two spellings of OTHRW/ELSE are both here and
// one is left out by the preference.
constexpr std::array<InsertionCommand, 32> kCommands{{
    {"STEP", "STEP "},
    {"IF", "IF "},
    {"THEN", "THEN "},
    {kOtherwiseWord, kOtherwiseWord},
    {kElseWord, kElseWord},
    {"SET", "SET "},
    {"RESET", "RESET "},
    {"LOAD", "LOAD "},
    {"TO", "TO "},
    {"AND", "AND "},
    {"OR", "OR "},
    {"XOR", "EXOR "},
    {"N", "N "},
    {"CMP", "CMP "},
    {"CFM", "CFM "},
    {"WITH", "WITH "},
    {"JMP TO", "JMP TO "},
    {"INC", "INC "},
    {"DEC", "DEC "},
    {"SWAP", "SWAP "},
    {"SHIFT", "SHIFT "},
    {"SHL", "SHL "},
    {"SHR", "SHR "},
    {"ROL", "ROL"},
    {"ROR", "ROR"},
    {"INV", "INV "},
    {"CPL", "CPL "},
    {"BID", "BID "},
    {"DEB", "DEB "},
    {"NOP", "NOP "},
    {"Comment", "\" "},
    {"Long Comment", "\"\" "},
}};

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A line break inside a comment or parameter would start a line the editor reads as code.
void AppendLine(std::string& text, std::string_view head, std::string_view comment) {
  text += app::StorableComment(head);
  const std::string_view shown = Trimmed(comment);
  if (!shown.empty()) {
    text += " \" ";
    text += app::StorableComment(shown);
  }
  text += kFileLineEnd;
}

}  // namespace

std::vector<InsertionCommand> KeywordInsertions(bool elseForOtherwise) {
  std::vector<InsertionCommand> commands;
  const std::string_view leftOut = elseForOtherwise ? kOtherwiseWord : kElseWord;
  for (const auto& command : kCommands)
    if (command.text != leftOut) commands.push_back(command);
  return commands;
}

std::string InsertionText(const InsertionCommand& command) {
  return " " + std::string(command.text) + " ";
}

std::string ModuleCallText(const ModuleCallRequest& request) {
  const char* word = request.module.kind == app::ModuleKind::Cfm ? "CFM" : "CMP";
  std::string text;
  AppendLine(text, app::FormatText("%s%d", word, request.module.number),
             request.moduleComment.value_or(""));
  for (const auto& row : request.parameters) {
    const std::string_view parameter = Trimmed(row.parameter);
    if (!parameter.empty()) AppendLine(text, "WITH " + std::string(parameter), row.comment);
  }
  return text;
}

}  // namespace zel::stl
