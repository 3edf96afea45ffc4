// File commands on the drives: "FP", "FVG", "FVC", "FS", "FVF", "FVN", "FT", "FE", "FD",
// "FO", "FC", and the text blocks "FXS", "FXW", "FXR" (32 bytes as hexadecimal digits and
// a checksum: the low 8 bits of the sum of the digits' character codes).

#include <cctype>
#include <cstdio>
#include <ctime>

#include "tools/kzcsim/ci_interpreter.h"
#include "tools/kzcsim/ci_text.h"

namespace zel::kzcsim {

namespace {

constexpr std::size_t kBlockBytes = 32;
constexpr std::string_view kHexDigits = "0123456789ABCDEF";

// Answers that only confirm are one blank.
Reply Done() {
  return Reply::Ok(" ");
}

std::string FileTimeText(std::int64_t mtime) {
  const std::time_t seconds = static_cast<std::time_t>(mtime);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[80];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d,%02d:%02d:%02d", local.tm_mday, local.tm_mon + 1,
                local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec);
  return text;
}

// d "." m "." y "," h ":" min ":" s in local time.
std::optional<std::int64_t> ParseFileTime(std::string_view text) {
  unsigned part[6];
  const char separators[6] = {'.', '.', ',', ':', ':', '\0'};
  for (int i = 0; i < 6; ++i) {
    const auto number = TakeUnsigned(text, 9999);
    if (!number) return std::nullopt;
    part[i] = *number;
    if (separators[i] != '\0' && !TakePrefix(text, std::string_view(&separators[i], 1))) {
      return std::nullopt;
    }
  }
  if (!Trim(text).empty() || part[0] < 1 || part[0] > 31 || part[1] < 1 || part[1] > 12 ||
      part[2] < 1980 || part[3] > 23 || part[4] > 59 || part[5] > 59) {
    return std::nullopt;
  }
  std::tm local{};
  local.tm_mday = static_cast<int>(part[0]);
  local.tm_mon = static_cast<int>(part[1]) - 1;
  local.tm_year = static_cast<int>(part[2]) - 1900;
  local.tm_hour = static_cast<int>(part[3]);
  local.tm_min = static_cast<int>(part[4]);
  local.tm_sec = static_cast<int>(part[5]);
  local.tm_isdst = -1;
  const std::time_t seconds = std::mktime(&local);
  if (seconds == static_cast<std::time_t>(-1)) return std::nullopt;
  return static_cast<std::int64_t>(seconds);
}

Reply Drives(Controller& c, std::string_view) {
  return Reply::Ok(c.drives().Letters());
}

Reply WhereAmI(Controller& c, std::string_view) {
  return Reply::Ok("=" + c.drives().CurrentDirectory());
}

Reply ChangeDirectory(Controller& c, std::string_view args) {
  if (!c.drives().ChangeDirectory(Trim(args))) return Reply::Fail(reason::kNoFile);
  return Done();
}

Reply FreeSpace(Controller& c, std::string_view) {
  return Reply::Ok("=" + std::to_string(c.drives().FreeBytes()));
}

// "FVF" pattern " $11": the attribute after the blank is accepted and not used.
Reply FirstEntry(Controller& c, std::string_view args) {
  std::string pattern = Trim(args);
  pattern = pattern.substr(0, pattern.find(' '));
  if (pattern.empty()) pattern = "*.*";
  const auto name = c.drives().FirstEntry(pattern);
  return Reply::Ok(name ? "=" + *name : "");
}

// A reply without "=" ends the listing.
Reply NextEntry(Controller& c, std::string_view) {
  const auto name = c.drives().NextEntry();
  return Reply::Ok(name ? "=" + *name : "");
}

// "FT" name reads size and time; "FT" name "," date "," time sets the time.
Reply FileTime(Controller& c, std::string_view args) {
  const std::string text = Trim(args);
  const auto comma = text.find(',');
  const std::string name = text.substr(0, comma);
  if (comma != std::string::npos) {
    if (c.locked()) return Reply::Fail(reason::kLocked);
    const auto mtime = ParseFileTime(std::string_view(text).substr(comma + 1));
    if (!mtime) return Reply::Fail(reason::kSyntax);
    if (!c.drives().SetTime(name, *mtime)) return Reply::Fail(reason::kNoFile);
  }
  const auto info = c.drives().Info(name);
  if (!info) return Reply::Fail(reason::kNoFile);
  return Reply::Ok("=" + std::to_string(info->size) + "," + FileTimeText(info->mtime));
}

Reply FileExists(Controller& c, std::string_view args) {
  return Reply::Ok(c.drives().Exists(Trim(args)) ? "=1" : "=0");
}

Reply DeleteFile(Controller& c, std::string_view args) {
  if (!c.drives().Delete(Trim(args))) return Reply::Fail(reason::kNoFile);
  return Done();
}

Reply OpenFile(Controller& c, std::string_view args) {
  if (!c.drives().Open(Trim(args))) return Reply::Fail(reason::kFile);
  return Done();
}

// Closing with nothing open is no error: the PC closes before it retries an open.
Reply CloseFile(Controller& c, std::string_view) {
  c.drives().Close();
  return Done();
}

Reply Position(Controller& c, std::string_view args) {
  const auto offset = TakeUnsigned(args, 0x7FFFFFFF);
  if (!offset || !Trim(args).empty()) return Reply::Fail(reason::kSyntax);
  if (!c.drives().isOpen()) return Reply::Fail(reason::kNotOpen);
  if (!c.drives().Seek(*offset)) return Reply::Fail(reason::kFile);
  return Reply::Ok("=" + std::to_string(*offset));
}

int HexValue(char c) {
  const auto at = kHexDigits.find(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

unsigned DigitSum(std::string_view digits) {
  unsigned sum = 0;
  for (unsigned char c : digits) sum += c;
  return sum & 0xFF;
}

// Data digits and two checksum digits; no data (checksum "00") ends the file there.
Reply WriteBlock(Controller& c, std::string_view args) {
  if (args.size() < 2 || args.size() % 2 != 0 || args.size() > kBlockBytes * 2 + 2) {
    return Reply::Fail(reason::kSyntax);
  }
  for (char digit : args) {
    if (HexValue(digit) < 0) return Reply::Fail(reason::kSyntax);
  }
  const std::string_view data = args.substr(0, args.size() - 2);
  const std::string_view sum = args.substr(args.size() - 2);
  if (static_cast<unsigned>(HexValue(sum[0]) * 16 + HexValue(sum[1])) != DigitSum(data)) {
    return Reply::Fail(reason::kChecksum);
  }
  if (!c.drives().isOpen()) return Reply::Fail(reason::kNotOpen);
  std::string bytes;
  for (std::size_t i = 0; i < data.size(); i += 2) {
    bytes += static_cast<char>(HexValue(data[i]) * 16 + HexValue(data[i + 1]));
  }
  const bool written = bytes.empty() ? c.drives().Truncate() : c.drives().Write(bytes);
  if (!written) return Reply::Fail(reason::kFile);
  return Done();
}

Reply ReadBlock(Controller& c, std::string_view) {
  if (!c.drives().isOpen()) return Reply::Fail(reason::kNotOpen);
  const auto bytes = c.drives().Read(kBlockBytes);
  if (!bytes) return Reply::Fail(reason::kFile);
  std::string digits;
  for (unsigned char byte : *bytes) {
    digits += kHexDigits[byte >> 4];
    digits += kHexDigits[byte & 0xF];
  }
  const unsigned sum = DigitSum(digits);
  digits += kHexDigits[sum >> 4];
  digits += kHexDigits[sum & 0xF];
  return Reply::Ok(digits);
}

}  // namespace

void AddFileCommands(Interpreter& ci) {
  using M = Command::Match;
  using N = Command::Needs;
  ci.Add({"FP", M::Exact, N::Nothing, Drives});
  ci.Add({"FVG", M::Exact, N::Nothing, WhereAmI});
  ci.Add({"FVC", M::Prefix, N::Nothing, ChangeDirectory});
  ci.Add({"FS", M::Exact, N::Nothing, FreeSpace});
  ci.Add({"FVF", M::Prefix, N::Nothing, FirstEntry});
  ci.Add({"FVN", M::Exact, N::Nothing, NextEntry});
  ci.Add({"FT", M::Prefix, N::Nothing, FileTime});
  ci.Add({"FE", M::Prefix, N::Nothing, FileExists});
  ci.Add({"FD", M::Prefix, N::Unlocked, DeleteFile});
  ci.Add({"FO", M::Prefix, N::Unlocked, OpenFile});
  ci.Add({"FC", M::Exact, N::Nothing, CloseFile});
  ci.Add({"FXS", M::Prefix, N::Nothing, Position});
  ci.Add({"FXW", M::Prefix, N::Unlocked, WriteBlock});
  ci.Add({"FXR", M::Exact, N::Nothing, ReadBlock});
}

}  // namespace zel::kzcsim
