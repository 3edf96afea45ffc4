// Windows-1252 <-> UTF-8 for the stored files. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number, so
// any byte sequence survives the round trip through UTF-8 unchanged.

#include "platform/code_page.h"

#include <array>
#include <cstdint>
#include <optional>

namespace zel::platform {

namespace {

// Code points of the bytes 0x80 to 0x9F; 0xA0 to 0xFF equal their code points.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr char kReplacement = '?';

char32_t ByteToCodePoint(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
  return byte;
}

std::optional<char> CodePointToByte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
  }
  return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

struct Decoded {
  std::optional<char32_t> cp;  // nullopt: an ill-formed sequence
  std::size_t length = 1;      // bytes consumed (the maximal ill-formed part on error)
};

// One UTF-8 sequence; overlong forms, surrogates and values above U+10FFFF are ill-formed.
Decoded DecodeUtf8(std::string_view s, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) return {lead, 1};
  std::size_t length = 0;
  char32_t cp = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, cp = lead & 0x0F;
    low = (lead == 0xE0) ? 0xA0 : 0x80;
    high = (lead == 0xED) ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, cp = lead & 0x07;
    low = (lead == 0xF0) ? 0x90 : 0x80;
    high = (lead == 0xF4) ? 0x8F : 0xBF;
  } else {
    return {std::nullopt, 1};
  }
  for (std::size_t i = 1; i < length; ++i) {
    if (pos + i >= s.size()) return {std::nullopt, i};
    const auto byte = static_cast<unsigned char>(s[pos + i]);
    if (byte < low || byte > high) return {std::nullopt, i};
    cp = (cp << 6) | (byte & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  return {cp, length};
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (const char c : bytes) AppendUtf8(out, ByteToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const Decoded decoded = DecodeUtf8(utf8, pos);
    pos += decoded.length;
    const std::optional<char> byte =
        decoded.cp ? CodePointToByte(*decoded.cp) : std::optional<char>();
    out += byte.value_or(kReplacement);
  }
  return out;
}

}  // namespace zel::platform
