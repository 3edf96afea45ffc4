#include "archive/entry_path.h"

namespace zel::archive {

std::optional<EntryPath> ParseEntryPath(std::string_view stored) {
  if (stored.empty()) return std::nullopt;
  const char first = stored.front();
  if (first == '/' || first == '\\') return std::nullopt;
  if (stored.size() >= 2 && stored[1] == ':') return std::nullopt;  // "C:", "C:\", "C:x"
  EntryPath path;
  std::string part;
  const auto take = [&]() {
    if (part == "..") return false;
    if (!part.empty() && part != ".") path.parts.push_back(part);
    part.clear();
    return true;
  };
  for (const char c : stored) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return std::nullopt;
    if (c == '/' || c == '\\') {
      if (!take()) return std::nullopt;
    } else {
      part += c;
    }
  }
  path.directory = stored.back() == '/' || stored.back() == '\\';
  if (!take()) return std::nullopt;
  if (path.parts.empty() && !path.directory) return std::nullopt;
  return path;
}

std::string JoinEntryPath(const std::vector<std::string>& parts) {
  std::string joined;
  for (const std::string& part : parts) {
    if (!joined.empty()) joined += '/';
    joined += part;
  }
  return joined;
}

}  // namespace zel::archive
