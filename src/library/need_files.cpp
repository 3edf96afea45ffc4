#include "library/need_files.h"

#include <optional>
#include <string_view>

#include "app/project/stored_path.h"
#include "app/text/text_format.h"
#include "library/library_messages.h"
#include "platform/message_box.h"

namespace zel::library {

namespace fs = std::filesystem;

namespace {

bool IsWhite(char c) {
  return c == ' ' || c == '\t';
}

// The first two white-space separated words of `text`.
std::pair<std::string, std::string> TwoWords(std::string_view text) {
  std::string words[2];
  std::size_t i = 0;
  for (auto& word : words) {
    while (i < text.size() && IsWhite(text[i])) ++i;
    const std::size_t start = i;
    while (i < text.size() && !IsWhite(text[i])) ++i;
    word = text.substr(start, i - start);
  }
  return {words[0], words[1]};
}

bool IsBareFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\") == std::string_view::npos;
}

// `inner` lies in `outer` or below it, both made absolute and free of "..", links
// resolved as far as they exist.
bool LiesWithin(const fs::path& inner, const fs::path& outer) {
  std::error_code error;
  const fs::path a = fs::weakly_canonical(inner, error);
  if (error) return false;
  const fs::path b = fs::weakly_canonical(outer, error);
  if (error) return false;
  auto ai = a.begin();
  for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
    if (bi->empty()) continue;  // a trailing separator
    if (ai == a.end() || *ai != *bi) return false;
  }
  return true;
}

enum class Refusal { None, Replacement, Source, Outside };

Refusal ReadOne(std::string_view raw, const app::TokenValues& tokens, NeedFile& out) {
  const auto [sourceWord, destinationWord] = TwoWords(raw);
  if (sourceWord.empty() || destinationWord.empty()) return Refusal::Replacement;
  const auto source = app::ReplaceTokens(sourceWord, tokens, app::TokenMode::Install);
  const auto destination = app::ReplaceTokens(destinationWord, tokens, app::TokenMode::Install);
  if (!source || !destination || destination->empty()) return Refusal::Replacement;
  if (!IsBareFileName(*source)) return Refusal::Source;
  const fs::path dir = app::AbsoluteStoredPath(*destination, tokens.programDirectory);
  if (dir.empty() || !LiesWithin(dir, tokens.programDirectory)) return Refusal::Outside;
  out.raw = raw;
  out.source = *source;
  out.destination = dir;
  return Refusal::None;
}

std::string_view MessageFor(Refusal refusal) {
  switch (refusal) {
    case Refusal::Source:
      return kMsgNeedFileSourceNotBare;
    case Refusal::Outside:
      return kMsgNeedFileOutsideTree;
    default:
      return kMsgInvalidNeedFile;
  }
}

}  // namespace

NeedFiles ReadNeedFiles(const DriverScript& script, const app::TokenValues& tokens, bool tell) {
  NeedFiles result;
  for (const auto& raw : script.needFileValues()) {
    NeedFile file;
    const Refusal refusal = ReadOne(raw, tokens, file);
    if (refusal != Refusal::None) {
      if (tell) {
        platform::ShowMessageBox(app::FillText(MessageFor(refusal), raw), platform::Buttons::Ok,
                                 platform::Icon::Warning);
      }
      result.refused = true;
      break;
    }
    result.files.push_back(std::move(file));
  }
  return result;
}

}  // namespace zel::library
