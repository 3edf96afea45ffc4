#include "app/tools/replace_tokens.h"

#include <array>
#include <functional>

#include "app/preferences/preferences.h"
#include "platform/files.h"

namespace zel::app {

namespace {

// The fixed part of the serial connection text that "<<<#5>>>" stands for.
constexpr int kConnectionTextNumber = 9000;

struct Token {
  std::string_view name;
  bool install;  // known in install mode
  bool path;     // a directory: a backslash after it is a separator
  std::function<std::string(const TokenValues&)> value;
};

std::string CurrentProject(const TokenValues& v) {
  if (v.projectName.empty() || v.projectDirectory.empty()) return {};
  return (v.projectDirectory / v.projectName).string();
}

std::string BaudRate(const TokenValues& v) {
  return v.baudRate > 0 ? std::to_string(v.baudRate) : std::string();
}

const std::array<Token, 13>& Tokens() {
  static const std::array<Token, 13> tokens = {{
      {"ZELDIR", true, true, [](const TokenValues& v) { return v.programDirectory.string(); }},
      {"RUNTIMEDIR", true, true,
       [](const TokenValues& v) {
         if (v.type.empty() || v.programDirectory.empty()) return std::string();
         return RuntimeDirectory(v.programDirectory, v.type).string();
       }},
      {"TARGET", true, false, [](const TokenValues& v) { return v.type; }},
      {"LANGUAGE", true, false, [](const TokenValues&) { return std::string(kLanguageCode); }},
      {"CURRENTPROJECT", true, true, CurrentProject},
      {"ALLPROJECTS", true, true, [](const TokenValues& v) { return v.projectDirectory.string(); }},
      {"COM_PORT", false, false, [](const TokenValues& v) { return v.comPort; }},
      {"COM_BAUDRATE", false, false, BaudRate},
      {"#1", false, false, [](const TokenValues&) { return std::string("VFNM"); }},
      {"#2", false, false, [](const TokenValues&) { return std::string("x"); }},
      {"#3", false, true, CurrentProject},
      {"#4", false, false, [](const TokenValues&) { return std::string("KZC"); }},
      {"#5", false, false,
       [](const TokenValues& v) {
         if (v.comPort.empty() || v.baudRate <= 0) return std::string();
         return v.comPort + "/" + std::to_string(v.baudRate) + "/" +
                std::to_string(kConnectionTextNumber);
       }},
  }};
  return tokens;
}

std::string TokenText(std::string_view name) {
  std::string text(kTokenOpen);
  text += name;
  text += kTokenClose;
  return text;
}

// Replaces every occurrence of one token; the text put in is not searched again in this
// pass. False when the token occurs but has no value.
bool ReplaceAll(std::string& text, const Token& token, const TokenValues& values, int& count) {
  const std::string pattern = TokenText(token.name);
  std::size_t at = text.find(pattern);
  if (at == std::string::npos) return true;
  const std::string value = token.value(values);
  if (value.empty()) return false;
  while (at != std::string::npos) {
    std::size_t length = pattern.size();
    std::string put = value;
    if (token.path && at + length < text.size() && text[at + length] == '\\') {
      ++length;
      put += '/';
    }
    text.replace(at, length, put);
    ++count;
    at = text.find(pattern, at + put.size());
  }
  return true;
}

}  // namespace

std::filesystem::path RuntimeDirectory(const std::filesystem::path& programDirectory,
                                       std::string_view type) {
  return platform::ResolvePathNoCase(programDirectory / ("RUNTIME." + std::string(type)));
}

std::optional<std::string> ReplaceTokens(std::string_view text, const TokenValues& values,
                                         TokenMode mode) {
  std::string out(text);
  for (int pass = 0; pass < kMaxTokenPasses; ++pass) {
    int count = 0;
    for (const Token& token : Tokens()) {
      if (mode == TokenMode::Install && !token.install) continue;
      if (!ReplaceAll(out, token, values, count)) return std::nullopt;
    }
    if (count == 0) {
      if (out.find(kTokenOpen) != std::string::npos || out.find(kTokenClose) != std::string::npos) {
        return std::nullopt;
      }
      return out;
    }
  }
  return std::nullopt;
}

}  // namespace zel::app
