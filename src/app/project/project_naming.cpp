#include "app/project/project_naming.h"

#include <algorithm>

#include "app/project/project_messages.h"

namespace zel::app {

namespace {

// Names on disk are UTF-8: a letter outside ASCII is one character, not two.
std::size_t CharacterCount(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

}  // namespace

bool IsSafeDirectoryName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  return std::none_of(name.begin(), name.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return c == '/' || c == '\\' || u < 0x20 || u == 0x7f;
  });
}

std::optional<std::string_view> CheckNewProjectName(std::string_view name) {
  if (name.empty()) return kMsgEnterProjectName;
  if (name.find(' ') != std::string_view::npos) return kMsgProjectNameSpaces;
  if (!IsSafeDirectoryName(name)) return kMsgProjectNameInvalid;
  if (CharacterCount(name) > kMaxProjectNameLength) return kMsgProjectNameTooLong;
  return std::nullopt;
}

}  // namespace zel::app
