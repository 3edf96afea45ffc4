#include "build/error_descriptions.h"

#include <cstdio>

#include "platform/files.h"

namespace zel::build {

namespace {

// The line's leading number: blanks, an optional sign, decimal digits. nullopt without
// digits, so a text line is never taken for the description of code 0.
std::optional<long> LeadingNumber(std::string_view line) {
  while (!line.empty() && (line.front() == ' ' || line.front() == '\t')) line.remove_prefix(1);
  bool minus = false;
  if (!line.empty() && (line.front() == '-' || line.front() == '+')) {
    minus = line.front() == '-';
    line.remove_prefix(1);
  }
  long value = 0;
  bool any = false;
  for (; !line.empty() && line.front() >= '0' && line.front() <= '9'; line.remove_prefix(1)) {
    if (value > 100'000'000) return std::nullopt;  // no code is this long
    value = value * 10 + (line.front() - '0');
    any = true;
  }
  if (!any) return std::nullopt;
  return minus ? -value : value;
}

}  // namespace

std::optional<std::string> FindErrorDescription(std::string_view text, long code) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    line = line.substr(0, kErrorLineMax);
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == ';') continue;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos || LeadingNumber(line) != code) continue;
    return std::string(line.substr(colon + 1));
  }
  return std::nullopt;
}

std::optional<std::string> ReadErrorDescription(const std::filesystem::path& file, long code) {
  const std::optional<std::filesystem::path> found = platform::FindPathNoCase(file);
  if (!found) return std::nullopt;
  const std::optional<std::string> text = platform::ReadWholeFile(*found);
  if (!text) return std::nullopt;
  return FindErrorDescription(*text, code);
}

ErrorDescription LookupErrorDescription(const std::filesystem::path& programDirectory,
                                        int fileNumber, long code) {
  ErrorDescription result;
  std::string_view name;
  if (fileNumber == kControllerErrorFileNumber) name = kControllerErrorFile;
  if (fileNumber == kLinkErrorFileNumber) name = kLinkErrorFile;
  if (name.empty()) {
    char text[96];
    std::snprintf(text, sizeof text,
                  "ERROR: No error descriptions for Error %ld, error file number %d", code,
                  fileNumber);
    result.complaint = text;
    return result;
  }
  result.text = ReadErrorDescription(programDirectory / name, code);
  return result;
}

}  // namespace zel::build
