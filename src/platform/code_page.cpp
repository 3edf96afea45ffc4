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

namespace zel::platform {

namespace {

// Windows-1252 bytes of the code page 850 bytes 0x80 to 0xFF.
constexpr std::array<unsigned char, 128> kOem850ToCp1252 = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7,  // 80-87
    0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,  // 88-8F
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9,  // 90-97
    0xFF, 0xD6, 0xDC, 0xF8, 0xA3, 0xD8, 0xD7, 0x83,  // 98-9F
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA,  // A0-A7
    0xBF, 0xAE, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,  // A8-AF
    0x23, 0x23, 0x23, 0x7C, 0x2B, 0xC1, 0xC2, 0xC0,  // B0-B7
    0xA9, 0x2B, 0x7C, 0x2B, 0x2B, 0xA2, 0xA5, 0x2B,  // B8-BF
    0x2B, 0x2B, 0x2B, 0x2B, 0x2D, 0x2B, 0xE3, 0xC3,  // C0-C7
    0x2B, 0x2B, 0x2B, 0x2B, 0x2B, 0x3D, 0x2B, 0xA4,  // C8-CF
    0xF0, 0xD0, 0xCA, 0xCB, 0xC8, 0x69, 0xCD, 0xCE,  // D0-D7
    0xCF, 0x2B, 0x2B, 0x23, 0x23, 0xA6, 0xCC, 0x23,  // D8-DF
    0xD3, 0xDF, 0xD4, 0xD2, 0xF5, 0xD5, 0xB5, 0xFE,  // E0-E7
    0xDE, 0xDA, 0xDB, 0xD9, 0xFD, 0xDD, 0xAF, 0xB4,  // E8-EF
    0xAD, 0xB1, 0x5F, 0xBE, 0xB6, 0xA7, 0xF7, 0xB8,  // F0-F7
    0xB0, 0xA8, 0xB7, 0xB9, 0xB3, 0xB2, 0x23, 0xA0,  // F8-FF
};

}  // namespace

std::string OemToCp1252(std::string_view oem) {
  std::string out(oem);
  for (char& c : out) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) c = static_cast<char>(kOem850ToCp1252[byte - 0x80]);
  }
  return out;
}

}  // namespace zel::platform
