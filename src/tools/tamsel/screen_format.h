#pragma once
// The binary screen file the controller's display software reads. All words are 16 bits,
// little-endian:
//   word 0   0, or 1 when the file defines no screen
//   word 1   feature flags (bit 3: activate, bit 15: no screen)
//   word 2   number of screens S
//   word 3   0-based index of the initial screen, 0xFFFF when none is marked
//   S words  file offset of each screen's first record
//   records  type byte + fields; texts end with a zero byte
//   0x02     end marker, only when S is at least 1

#include <cstddef>
#include <cstdint>

namespace zel::tamsel {

// Larger definition files are refused before anything is converted.
inline constexpr std::size_t kMaxInputBytes = 65400;
inline constexpr unsigned kMaxScreens = 50;
inline constexpr unsigned kMaxNumber = 0xFFFF;
inline constexpr std::size_t kMaxHexDigits = 4;

// The operator display: positions are 0-based within 80 columns and 25 rows.
inline constexpr unsigned kDisplayColumns = 80;
inline constexpr unsigned kDisplayRows = 25;
inline constexpr unsigned kMinFrameSize = 2;
// A frame's title sits inside its two border characters.
inline constexpr unsigned kFrameBorderChars = 2;
inline constexpr unsigned kFunctionKeys = 8;
inline constexpr std::size_t kFunctionKeyTextMax = 8;

inline constexpr std::size_t kHeaderBytes = 8;
inline constexpr std::uint16_t kNoScreenMarker = 1;
inline constexpr std::uint16_t kActivateFlag = 0x0008;
inline constexpr std::uint16_t kNoScreenFlag = 0x8000;
inline constexpr std::uint16_t kNoInitialScreen = 0xFFFF;
inline constexpr std::uint8_t kEndMarker = 0x02;

enum class RecordType : std::uint8_t {
  Screen = 0x02,      // title
  Text = 0x03,        // column, row, value word, text
  TextSigned = 0x04,  // column, row, two value words (also the three below)
  TextUnsigned = 0x05,
  TextHexword = 0x06,
  TextString = 0x07,
  Message = 0x08,       // text
  MessageError = 0x09,  // text
  FunctionKey = 0x0A,   // key number, two texts
  Input = 0x0B,         // column, row, length, kind, value word
  Frame = 0x0C,         // column, row, width, height, title
};

enum class InputKind : std::uint8_t { String = 0, Password = 1 };

}  // namespace zel::tamsel
